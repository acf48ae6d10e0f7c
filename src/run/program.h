// The sensor program: one run per process.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/clock.h"
#include "platform/file_system.h"
#include "rfc/rfc_library.h"
#include "run/failure.h"
#include "run/invocation.h"

namespace keldar {

// Runs the sensor on the command line of the process with the real files,
// clock, library and standard output: run_sensor below.
int run_program(int argc, char** argv);

// What a run takes from the process around it: run_program passes the real
// files, clock, library and standard output; a harness can pass its own.
struct RunEnvironment {
  const platform::FileSystem& files;
  const platform::Clock& clock;
  // Loads the RFC library, after the start phase has passed: its entry
  // points (which must outlive the run), or why it cannot be used.
  std::function<std::variant<const RfcApi*, Failure>()> load_library;
  std::function<void(std::string_view)> print;
  // Arms ",TIMEOUT=", which ends the process when the time is up.
  bool time_limit = true;
};

// One run on the arguments that follow the program name: the command line,
// the start phase, the library, then the local or the global run. Returns
// the exit status: 0 after a successful run, 2 after every failure, whose
// error document goes out through `print`. No exception leaves it: what
// escapes the run ends it with error 1099 and status 2, as the error
// document, or, when the run's result is already open on standard output,
// as a message text that closes that result; either way standard output
// holds one document.
int run_sensor(const ProgramStart& start, const std::vector<std::string>& arguments,
               const RunEnvironment& environment);

}  // namespace keldar
