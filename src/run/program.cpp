#include "run/program.h"

#include <exception>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "output/error_result.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/file_system.h"
#include "platform/program_location.h"
#include "rfc/rfc_library.h"
#include "run/failure.h"
#include "run/global_run.h"
#include "run/invocation.h"
#include "run/local_run.h"
#include "run/run_context.h"
#include "run/start_phase.h"
#include "run/timeout.h"

namespace keldar {

namespace {

// Arguments read after the program name: the profile and two parameter parts.
constexpr int kArgumentsRead = 3;

int end_with(const Failure& failure) {
  platform::console_write(error_result(failure.text));
  return kFailureExitStatus;
}

// The end of a run that something unforeseen broke off; even without
// memory for the message the monitor gets a document.
int last_resort(const char* reason) noexcept {
  try {
    return end_with(failure(Message::internal_error, {reason}));
  } catch (...) {
    platform::console_write(
        "<Prtg>\n<Error>1</Error>\n<Text>Error 1099: Internal error</Text>\n</Prtg>\n");
    return kFailureExitStatus;
  }
}

int run(int argc, char** argv) {
  const platform::Clock& clock = platform::system_clock();
  ProgramStart start;
  start.start_time = platform::clock_time(clock.local(clock.now()));
  start.program_path = argc > 0 && argv[0] != nullptr ? argv[0] : "";
  start.output_mode = output_mode_for_program(start.program_path);

  std::vector<std::string> arguments;
  for (int i = 1; i < argc && i <= kArgumentsRead; ++i) arguments.emplace_back(argv[i]);

  platform::FileSystem files;
  RfcLibrary rfc;
  RunEnvironment environment{
      files, clock,
      [&rfc]() -> std::variant<const RfcApi*, Failure> {
        if (auto error = library_failure(load_rfc_library(platform::executable_directory(), rfc))) {
          return *error;
        }
        return &rfc.api;
      },
      &platform::console_write};
  return run_sensor(start, arguments, environment);
}

}  // namespace

int run_sensor(const ProgramStart& start, const std::vector<std::string>& arguments,
               const RunEnvironment& environment) {
  auto fail = [&environment](const Failure& failure) {
    environment.print(error_result(failure.text));
    return kFailureExitStatus;
  };
  auto parsed = parse_command_line(start, arguments);
  if (const Failure* error = std::get_if<Failure>(&parsed)) return fail(*error);
  const Invocation& invocation = std::get<Invocation>(parsed);

  auto started = run_start_phase(invocation, environment.files);
  if (const Failure* error = std::get_if<Failure>(&started)) return fail(*error);

  auto loaded = environment.load_library();
  if (const Failure* error = std::get_if<Failure>(&loaded)) return fail(*error);

  const Configuration& config = std::get<Configuration>(started);
  RunContext context(invocation, config, environment.files, environment.clock,
                     *std::get<const RfcApi*>(loaded), environment.print);
  std::unique_ptr<platform::Watchdog> time_limit;
  if (environment.time_limit) time_limit = arm_timeout(context);
  return config.global_run ? global_run(context) : local_run(context);
}

int run_program(int argc, char** argv) {
  platform::console_init();
  try {
    return run(argc, argv);
  } catch (const std::exception& e) {
    return last_resort(e.what());
  } catch (...) {
    return last_resort("unknown exception");
  }
}

}  // namespace keldar
