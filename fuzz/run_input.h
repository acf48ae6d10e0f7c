// Fuzz inputs that describe a whole run of the sensor, and the in-process
// run they drive.
//
// Such an input is sections separated by NUL bytes:
//
//   program NUL argument-1 NUL argument-2 NUL argument-3 NUL profile NUL
//   sensor-file NUL trace-file NUL rest
//
// The program's file name selects the output mode as an installation's
// does. The arguments are those present (an input with one NUL byte runs
// with one argument). The profile is laid down in the working directory
// under the name the profile argument gives it (".P00" added as the sensor
// adds it) when that is a plain file name; the sensor file as "Velquist.Prf"
// and as the global file "SAP Velquist.Gbl" when it is not empty; the
// trace file as the RFC library's "Dev_Rfc.Trc" when it is not empty. The rest
// is the answer script of the RFC library (answer_script.h); it may hold
// NUL bytes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "rfc/rfc_library.h"

namespace keldar::fuzz {

struct RunInput {
  std::string program = "keldar";
  std::vector<std::string> arguments;  // at most three
  std::string profile;
  std::string sensor_file;
  std::string trace_file;
  std::string rest;
};

RunInput split_run_input(std::string_view data);
std::string join_run_input(const RunInput& input);

// A working directory of its own for the process's runs, emptied before
// each and removed with the sandbox. The sensor's file system maps drive C:
// and the root onto it as well.
class Sandbox {
 public:
  Sandbox();
  ~Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  const std::filesystem::path& directory() const { return directory_; }
  const platform::FileSystem& files() const { return files_; }

  // Empties the directory and lays down the files of `input`.
  void lay_down(const RunInput& input) const;

 private:
  std::filesystem::path directory_;
  platform::FileSystem files_;
};

struct RunOutcome {
  int status = 0;
  std::string output;  // everything the run printed
};

// Runs the sensor on `input` in the sandbox, at a fixed clock time, with
// `api` as the RFC library (null: the library is missing, so the run ends
// after the start phase).
RunOutcome run_sensor_input(const RunInput& input, const Sandbox& sandbox, const RfcApi* api);

// Ends the process with a report when the outcome is no result its
// consumer can take: a status other than 0 and 2, an XML form that a real
// XML parser refuses, or a statistics form that is not one; or when an
// exception broke the run off (error 1099), whatever the mode. Trace mode
// and the listings, which are for a person, are not checked otherwise.
// `sandbox` must still hold the run's files.
void check_outcome(const RunInput& input, const Sandbox& sandbox, const RunOutcome& outcome);

}  // namespace keldar::fuzz
