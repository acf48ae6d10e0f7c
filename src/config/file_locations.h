// Where the configuration files are: the profile named on the command line,
// the program directory, and the PRTG custom-sensor directory search.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "text/line_reader.h"

namespace keldar {

// The global file, which holds global sensors instead of a system.
inline constexpr std::string_view kGlobalSensorFile = "SAP Velquist.Gbl";

// The optional file that names the PRTG installation directory, read as
// with a 100-byte line buffer.
inline constexpr std::string_view kPrtgPathFile = "C:\\PRTG_Path.Txt";
inline constexpr std::size_t kPathFileLineChars = 99;

// The installation root that the lines of "C:\PRTG_Path.Txt" name: the
// last line that starts with a directory separator, has one in column 3
// or a ":" in column 2, with a separator appended when it lacks one ("\"
// when there is no such line); none after a read error.
std::optional<std::string> installation_root(text::LineReader& lines);

// The profile argument with the default extension ".P00" appended unless its
// fourth character from the end is "." ("PRD" -> "PRD.P00"; "PRD.P01" stays).
std::string with_default_extension(std::string_view profile_argument);

// Where the profile was found.
struct ProfileLocation {
  std::string file_name;          // without directory; the global file for "GLOBAL"
  std::string program_directory;  // prefix ending in a separator, or empty
  bool global = false;            // "GLOBAL" or "GLOBAL.P00" named the global file
  // The profile opened for reading; null when it was not found.
  std::unique_ptr<platform::InputFile> file;
  // The name a "profile is missing" message shows: the full path when the
  // directory came from the profile argument, the file name alone after the
  // sensor directory search.
  std::string shown_name;
};

// Turns the profile argument into the profile file name and the program
// directory, and opens the profile. With `search` (EXEXML without "@") the
// sensor directory is searched and the argument's own directory is ignored;
// otherwise the profile is opened as the argument names it.
//
// The search: when "C:\PRTG_Path.Txt" can be read, its last line that
// starts with a directory separator, has one in column 3 or a ":" in column
// 2 is the installation root (a separator appended when missing; no such
// line: the root "\"); "PRTG Network Monitor\Custom Sensors\ExeXml\" and
// then "Custom Sensors\ExeXml\" are appended where they hold the profile,
// and the profile must be there. Without that file the working directory is
// tried, then "\Programme\", "\Program Files\" and "\Program Files (x86)\"
// each with "PRTG Network Monitor\Custom Sensors\ExeXml\". A candidate that
// cannot be read (a directory, say) counts as missing.
ProfileLocation locate_profile(const platform::FileSystem& files,
                               std::string_view profile_argument, bool search);

}  // namespace keldar
