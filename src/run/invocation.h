// What the command line gave a run: taken apart once at start, then only
// read.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "config/parameter_text.h"
#include "output/output_mode.h"
#include "run/failure.h"

namespace keldar {

// The program's name in its banner and trace lines.
inline constexpr std::string_view kProgramName = "Keldar";

struct Invocation {
  std::string program_path;  // the program's own path (first command-line element)
  OutputMode output_mode = OutputMode::EXEXML;
  std::string start_time;    // HH:MM:SS, local time at start
  std::string banner_line;   // "* HH:MM:SS SAP Keldar Vers 4.3 / 29.08.22\n"

  std::string profile_argument;  // argument 1 as typed
  // Arguments 2 and 3 joined by one blank; the working copy is cut at
  // ",CH=".
  ParameterText parameters;
  std::string channel_selector = ".";  // "." or the upper-case text holding ",CH="
  std::string sensor_name;             // upper case, blank-padded to >= 10; empty: none
  std::string sensor_display_name;     // case unchanged, unpadded
  std::string option_suffix;           // comma-led parts, in reverse order

  bool global_run = false;  // "GLOBAL", ",GBLGRD=" or ",GBLVAL="
  bool trace_mode = false;  // "#", "@", "$" or "%"
};

// What the program knows before it reads its arguments.
struct ProgramStart {
  std::string program_path;
  OutputMode output_mode = OutputMode::EXEXML;
  std::string start_time;
};

// Takes the arguments that follow the program name apart: the profile
// argument, the parameter text (arguments 2 and 3 joined by one blank) in
// its upper-case and verbatim copies, the channel selector, the sensor name
// with its display name and option suffix, the global run flag and the
// trace mode. Further arguments are ignored. Fails with error 1001 (no
// profile argument) or 1019 (sensor name missing).
std::variant<Invocation, Failure> parse_command_line(const ProgramStart& start,
                                                     const std::vector<std::string>& arguments);

// The output mode an installation selects by the executable's file name:
// without directory and extension, compared without regard to case, a name
// ending in "-quibbet", "-pimtrel", "-halvenor" or "-dravosk" (or with "_"
// for "-") selects that mode; any other name is EXEXML.
OutputMode output_mode_for_program(std::string_view program_path);

// The banner of trace mode for a start time.
std::string banner_line(std::string_view start_time);

}  // namespace keldar
