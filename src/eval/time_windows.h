// The alert time windows: how many alerts and state changes of a run fall
// into the last 5, 10, 30 and 60 minutes, 4 hours and 1 day.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "eval/measurement.h"
#include "platform/clock.h"

namespace keldar {

struct TimeWindow {
  std::string_view name;
  std::int64_t seconds;
};

// In the order of the counters and the trigger-window channels.
inline constexpr std::array<TimeWindow, kWindowCount> kTimeWindows = {{
    {"x05M", 300},
    {"x10M", 600},
    {"x30M", 1800},
    {"x60M", 3600},
    {"x04H", 14400},
    {"x01D", 86400},
}};

// Counts `stamp` (14 characters, the SAP date and time YYYYMMDDhhmmss, in
// the local time of the machine) into window `window`: when it does not sort
// before the window's start, now minus its length as a local stamp, the
// window's counter grows by one. An alert exactly at the start counts; a
// blank or shorter stamp sorts before every start and counts nowhere; one in
// the future counts everywhere.
void count_in_window(Measurement& measurement, std::string_view stamp, std::size_t window,
                     const platform::Clock& clock);

// Counts `stamp` into all six windows, in their order.
void count_in_windows(Measurement& measurement, std::string_view stamp,
                      const platform::Clock& clock);

}  // namespace keldar
