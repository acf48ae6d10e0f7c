// Where the configuration files are: the profile named on the command line,
// the program directory, and the PRTG custom-sensor directory search.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "run/run_state.h"

namespace keldar {

// The global file, which holds global sensors instead of a system.
inline constexpr std::string_view kGlobalSensorFile = "SAP Velquist.Gbl";

// The optional file that names the PRTG installation directory.
inline constexpr std::string_view kPrtgPathFile = "C:\\PRTG_Path.Txt";

// The profile argument with the default extension ".P00" appended unless its
// fourth character from the end is "." ("PRD" -> "PRD.P00"; "PRD.P01" stays).
std::string with_default_extension(std::string_view profile_argument);

// Turns the profile argument into state.profile_file_name and
// state.program_directory (sets state.global_run for "GLOBAL" and
// "GLOBAL.P00", whose file is the global file), searches the sensor
// directory in EXEXML mode without "@", and reads the profile. On success
// `profile_content` holds the file's bytes. Returns the message of error
// 1002 when the profile cannot be opened: with the full path when the
// directory came from the profile argument (sibling modes, "@"), with the
// file name alone after the sensor directory search.
//
// The search: when "C:\PRTG_Path.Txt" exists, its last line that starts with
// a directory separator, has one in column 3 or a ":" in column 2 is the
// installation root (a separator appended when missing; no such line: the
// root "\"); "PRTG Network Monitor\Custom Sensors\ExeXml\" and then
// "Custom Sensors\ExeXml\" are appended where they hold the profile, and the
// profile must be there. Without that file the working directory is tried,
// then "\Programme\", "\Program Files\" and "\Program Files (x86)\" each with
// "PRTG Network Monitor\Custom Sensors\ExeXml\".
std::optional<std::string> locate_profile(const platform::FileSystem& files, RunState& state,
                                          std::string& profile_content);

}  // namespace keldar
