// Taking the command line apart into the run state.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "run/run_state.h"

namespace keldar {

// Fills the run state from the arguments that follow the program name: the
// profile argument, the parameter text (arguments 2 and 3 joined by one
// blank) in its upper-case and verbatim copies, the channel selector, the
// sensor name with its display name and option suffix, the global run flag
// and the trace mode. Further arguments are ignored. Returns the message of
// error 1001 (no profile argument) or 1019 (sensor name missing).
std::optional<std::string> parse_command_line(const std::vector<std::string>& arguments,
                                              RunState& state);

// The output mode an installation selects by the executable's file name:
// without directory and extension, compared without regard to case, a name
// ending in "-quibbet", "-pimtrel", "-halvenor" or "-dravosk" (or with "_"
// for "-") selects that mode; any other name is EXEXML.
OutputMode output_mode_for_program(std::string_view program_path);

// ASCII upper case (a-z only).
std::string to_upper_ascii(std::string_view text);

}  // namespace keldar
