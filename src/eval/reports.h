// The texts of the state reports: the state-change sentence and the trace
// lines that show a node's time stamps.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "eval/measurement.h"
#include "eval/tree_row.h"
#include "platform/clock.h"

namespace keldar {

// "Zero at ", "Green at ", "Yellow at ", "Red at ", or nothing for another
// grade.
std::string_view grade_word(std::int32_t grade);

// The state-change sentence, without its first step (the message count):
// the alert line becomes "State had changed to " + grade word + the alert's
// short date and time + " for " + the short name + "...", and the alert's
// stamp is counted into the time windows.
void state_change(Measurement& measurement, const TreeRow& row, const platform::Clock& clock);

// The trace lines of a report: "Actual / Highal / Class" (with
// `grades`), the alert stamp after `alert_feeds` line feeds, the last
// value's stamp and the value alert's stamp.
std::string report_trace(const TreeRow& row, bool grades, int alert_feeds);

// "* Keldar   Note => <alert text> <\n".
std::string note_trace(std::string_view alert_text);

}  // namespace keldar
