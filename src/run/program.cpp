#include "run/program.h"

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "output/error_result.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/file_system.h"
#include "platform/program_location.h"
#include "rfc/rfc_library.h"
#include "rfc/run_progress.h"
#include "run/failure.h"
#include "run/global_run.h"
#include "run/invocation.h"
#include "run/local_run.h"
#include "run/run_context.h"
#include "run/start_phase.h"
#include "run/timeout.h"

namespace keldar {

namespace {

using Print = std::function<void(std::string_view)>;

// Arguments read after the program name: the profile and two parameter parts.
constexpr int kArgumentsRead = 3;

// The step a time limit names while the library loads.
constexpr std::string_view kLibraryStep = "the RFC library";

// Error 1099 without its reason, for when there is no memory for more.
constexpr std::string_view kBareMessage = "Error 1099: Internal error";
constexpr std::string_view kBareDocument =
    "<Prtg>\n<Error>1</Error>\n<Text>Error 1099: Internal error</Text>\n</Prtg>\n";

// Where a run's output stands. It is kept outside the run, which is gone by
// the time the last resort answers.
struct RunOutput {
  RunProgress progress;
  WriterOptions form;
  // The end of an open result with the bare message, made while there was
  // memory for it.
  std::string bare_closing;
};

// The end of a run that something unforeseen broke off; `output` is null
// when nothing was printed. Even without memory for the message standard
// output gets one whole document.
int last_resort(const char* reason, const RunOutput* output, const Print& print) noexcept {
  bool open = false;
  try {
    if (output != nullptr) open = output->progress.snapshot().result_open;
    const std::string message = failure(Message::internal_error, {reason}).text;
    print(open ? ending_text(message, true, output->form) : error_result(message));
  } catch (...) {
    try {
      print(open ? std::string_view(output->bare_closing) : kBareDocument);
    } catch (...) {
      // Standard output itself fails: nothing more can reach the monitor.
    }
  }
  return kFailureExitStatus;
}

int run(const ProgramStart& start, const std::vector<std::string>& arguments,
        const RunEnvironment& environment, RunOutput& output) {
  auto fail = [&environment](const Failure& failure) {
    environment.print(error_document(failure, environment.files));
    return kFailureExitStatus;
  };
  auto parsed = parse_command_line(start, arguments);
  if (const Failure* error = std::get_if<Failure>(&parsed)) return fail(*error);
  const Invocation& invocation = std::get<Invocation>(parsed);
  output.form = {invocation.output_mode, invocation.channel_selector};
  output.bare_closing = ending_text(kBareMessage, true, output.form);

  auto started = run_start_phase(invocation, environment.files);
  if (const Failure* error = std::get_if<Failure>(&started)) return fail(*error);

  const Configuration& config = std::get<Configuration>(started);
  // The limit holds from here: loading the library can hang too (a share
  // that does not answer).
  std::unique_ptr<platform::Watchdog> time_limit;
  if (environment.time_limit) time_limit = arm_timeout(config, output.progress, output.form);
  output.progress.set_system(config.profile_file_name);
  output.progress.set_step(kLibraryStep);
  auto loaded = environment.load_library();
  if (const Failure* error = std::get_if<Failure>(&loaded)) return fail(*error);

  RunContext context(invocation, config, environment.files, environment.clock,
                     *std::get<const RfcApi*>(loaded), environment.print, output.progress);
  return config.global_run ? global_run(context) : local_run(context);
}

}  // namespace

int run_sensor(const ProgramStart& start, const std::vector<std::string>& arguments,
               const RunEnvironment& environment) {
  RunOutput output;
  try {
    return run(start, arguments, environment, output);
  } catch (const std::exception& e) {
    return last_resort(e.what(), &output, environment.print);
  } catch (...) {
    return last_resort("unknown exception", &output, environment.print);
  }
}

int run_program(int argc, char** argv) {
  platform::console_init();
  const Print print = &platform::console_write;
  // What is set up here can fail too (no memory); run_sensor answers for
  // the rest.
  try {
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
          if (auto error =
                  library_failure(load_rfc_library(platform::executable_directory(), rfc))) {
            return *error;
          }
          return &rfc.api;
        },
        print};
    return run_sensor(start, arguments, environment);
  } catch (const std::exception& e) {
    return last_resort(e.what(), nullptr, print);
  } catch (...) {
    return last_resort("unknown exception", nullptr, print);
  }
}

}  // namespace keldar
