// The global run: one global sensor measured on every system of its system
// list, one channel per system, and a summary.
#pragma once

#include <string>
#include <string_view>

#include "run/run_context.h"

namespace keldar {

// How one system of a global run ended.
enum class SystemOutcome { processed, not_found, rfc_failure };

// "Processed", "Not Found" or "Rfc Failure".
std::string_view state_text(SystemOutcome outcome);

// The outcome of a system: a failure of the RFC work, a logoff without
// "OK", or else whether the sensor's node was found.
SystemOutcome classify(bool failed, bool call_ok, bool node_found);

// The global node names of a system: every "%S%" replaced in place by the
// first three characters of the system ID (blank-padded, so the text keeps
// its length), then the first "%H%" by the system host without trailing
// blanks.
std::string replace_placeholders(std::string name, std::string_view system_id,
                                 std::string_view system_host);

// The message text of the summary: "(***) NODE[, SUBNODE]: NoSystems=n,
// Processed=n, Failed=n " (no sub-node part when the sub-node template is
// "None").
std::string summary_text(std::string_view node_template, std::string_view sub_node_template,
                         unsigned systems, unsigned processed, unsigned failed);

// Runs the global sensor over its system list and prints the result.
// Returns 0: a failing system never ends the run; the counts show it.
int global_run(RunContext& run);

}  // namespace keldar
