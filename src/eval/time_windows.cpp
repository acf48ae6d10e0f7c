#include "eval/time_windows.h"

namespace keldar {

void count_in_window(Measurement& measurement, std::string_view stamp, std::size_t window,
                     const platform::Clock& clock) {
  if (window >= kTimeWindows.size()) return;
  std::string start =
      platform::time_stamp(clock.local(clock.now() - kTimeWindows[window].seconds));
  if (stamp < start) return;
  ++measurement.windows[window];
}

void count_in_windows(Measurement& measurement, std::string_view stamp,
                      const platform::Clock& clock) {
  for (std::size_t i = 0; i < kTimeWindows.size(); ++i) count_in_window(measurement, stamp, i, clock);
}

}  // namespace keldar
