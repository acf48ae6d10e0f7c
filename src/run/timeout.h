// The run's time limit (",TIMEOUT=n"): when it runs out, the run ends with
// a result that names the system and the step that did not answer.
#pragma once

#include <memory>

#include "platform/watchdog.h"
#include "output/result_writer.h"
#include "rfc/run_progress.h"
#include "run/configuration.h"

namespace keldar {

// Arms the time limit of the definition, if it has one: after that many
// seconds the watchdog prints, from its own thread, the error document (or,
// when the result is already open on standard output, a message text that
// closes it) with error 1017, and ends the process with status 2, leaving
// any blocked call of the library behind. None without ",TIMEOUT=".
std::unique_ptr<platform::Watchdog> arm_timeout(const Configuration& config,
                                                const RunProgress& progress,
                                                const WriterOptions& options);

// The text that ends a timed-out run, for what `progress` says.
std::string timeout_text(const RunProgress::Snapshot& progress, int seconds,
                         const WriterOptions& options);

}  // namespace keldar
