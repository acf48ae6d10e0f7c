#include "run/program.h"

#include <string>
#include <vector>

#include "config/sensor_definition.h"
#include "config/system_profile.h"
#include "output/error_result.h"
#include "output/result_writer.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/file_system.h"
#include "platform/program_location.h"
#include "rfc/rfc_library.h"
#include "run/command_line.h"
#include "run/run_state.h"
#include "run/start_phase.h"

namespace keldar {

namespace {

constexpr const char* kProgramName = "Keldar";
constexpr const char* kVersion = "Vers 4.3 / 29.08.22";

// Everything one run owns.
struct Run {
  platform::FileSystem files;
  RunState state;
  SystemProfile profile;
  SensorDefinition definition;
  ResultWriter writer{state};
  RfcLibrary rfc;

  // Ends the run with the error document for `message`.
  int fail(const std::string& message) {
    error_result(writer, message);
    platform::console_write(writer.take());
    return 2;
  }
};

}  // namespace

int run_program(int argc, char** argv) {
  platform::console_init();
  Run run;
  RunState& state = run.state;
  state.start_time = platform::local_clock_time();
  state.banner_line =
      "* " + state.start_time + " SAP " + kProgramName + " " + kVersion + "\n";
  state.program_path = argc > 0 && argv[0] != nullptr ? argv[0] : "";
  state.output_mode = output_mode_for_program(state.program_path);

  std::vector<std::string> arguments;
  for (int i = 1; i < argc && i <= 3; ++i) arguments.emplace_back(argv[i]);

  if (auto error = run_start_phase(arguments, run.files, state, run.profile, run.definition)) {
    return run.fail(*error);
  }

  if (auto error = load_rfc_library(platform::executable_directory(), run.rfc)) {
    return run.fail(*error);
  }

  // The RFC work of the run (connection, XMI session, monitor evaluation) is
  // not part of this version yet.
  return run.fail("Error 1010: RFC-Library " + std::string(rfc_library_file_name()) +
                  " loaded, but RFC processing is not available in this version...");
}

}  // namespace keldar
