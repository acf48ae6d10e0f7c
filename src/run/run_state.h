// The run state built by the start phase from the command line and read by
// every later step of the run.
#pragma once

#include <string>

namespace keldar {

// Consumer format of the result.
enum class OutputMode { EXEXML, Quibbet, Pimtrel, Halvenor, Dravosk };

// Name of the mode as it appears in messages ("EXEXML", "Quibbet", ...).
const char* output_mode_name(OutputMode mode);

struct RunState {
  std::string start_time;   // HH:MM:SS, local time at start
  std::string banner_line;  // "* HH:MM:SS SAP Keldar Vers 4.3 / 29.08.22\n"
  std::string program_path; // the program's own path (first command-line element)

  std::string profile_argument;   // argument 1 as typed
  std::string profile_file_name;  // file name part with default extension
  std::string program_directory;  // prefix ending in "\" (or "/"), or empty

  // The parameter text twice: an upper-case working copy in which keywords
  // are searched, and the verbatim copy from which values are copied at the
  // same positions. Both hold the same characters position for position,
  // except where the working copy has been cut.
  std::string parameter_text;
  std::string verbatim_parameter_text;

  std::string channel_selector = ".";  // "." or the upper-case text holding ",CH="
  std::string sensor_name;             // upper case, blank-padded to >= 10; empty: none
  std::string sensor_display_name;     // case unchanged, unpadded
  std::string option_suffix;           // comma-led parts, in reverse order

  bool global_run = false;
  bool trace_mode = false;
  OutputMode output_mode = OutputMode::EXEXML;
};

}  // namespace keldar
