#include "run/timeout.h"

#include <chrono>

#include "platform/console.h"
#include "run/failure.h"

namespace keldar {

std::string timeout_text(const RunProgress::Snapshot& progress, int seconds,
                         const WriterOptions& options) {
  const std::string step = progress.step.empty() ? "the start of the run" : progress.step;
  const std::string message =
      failure(Message::run_timed_out, {std::to_string(seconds), progress.system, step}).text;
  return ending_text(message, progress.result_open, options);
}

std::unique_ptr<platform::Watchdog> arm_timeout(const Configuration& config,
                                                const RunProgress& progress,
                                                const WriterOptions& options) {
  const std::optional<int> seconds = config.definition.timeout_seconds;
  if (!seconds) return nullptr;
  return std::make_unique<platform::Watchdog>(
      std::chrono::seconds(*seconds), [&progress, options, limit = *seconds] {
        platform::console_last_words(timeout_text(progress.snapshot(), limit, options),
                                     kFailureExitStatus);
      });
}

}  // namespace keldar
