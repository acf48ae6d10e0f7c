// Starts a program as the monitor does: given arguments, a working
// directory, bytes on standard input; collects standard output, standard
// error and the exit status.
#pragma once

#include <string>
#include <vector>

namespace keldar::e2e {

struct ProcessResult {
  std::string out;
  std::string err;
  int status = -1;          // exit status, or -1 when the process did not exit normally
  std::string abnormal;     // how it ended otherwise (signal, time-out, start failure)
};

struct ProcessSpec {
  std::vector<std::string> argv;          // argv[0] is the program path
  std::string working_directory;
  std::string stdin_bytes;
  std::vector<std::string> set_env;       // "NAME=VALUE" entries added to the environment
  std::vector<std::string> unset_env;     // names removed from the environment
  int timeout_seconds = 120;              // a guard against hangs, not a speed goal
};

ProcessResult run_process(const ProcessSpec& spec);

}  // namespace keldar::e2e
