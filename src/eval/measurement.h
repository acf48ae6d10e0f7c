// What a run measures across all its systems: the counters and texts that
// the value, alert and report steps add to and the result finally shows.
// Nothing here is reset between the systems of a global run.
#pragma once

#include <array>
#include <string>

namespace keldar {

// The six alert time windows, in the order the channels show them.
inline constexpr std::size_t kWindowCount = 6;

struct Measurement {
  int message_count = 0;  // status messages, alerts and state changes counted
  int alert_count = 0;    // alerts found by the last alert call
  std::array<int, kWindowCount> windows{};  // alerts and changes per time window
  std::string alert_line;  // the short message line of the result's text
  std::string alert_text;  // the running text of raw dates, times and messages
  // The unit of the last performance property read, as received (4
  // characters) and without trailing blanks; empty after a failed read.
  std::string raw_unit;
  std::string unit;
};

}  // namespace keldar
