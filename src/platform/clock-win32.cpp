#include <ctime>

#include "platform/clock.h"

namespace keldar::platform {

LocalTime machine_local_time(std::int64_t seconds) {
  std::time_t t = static_cast<std::time_t>(seconds);
  std::tm tm{};
  localtime_s(&tm, &t);
  return {1900 + tm.tm_year, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec,
          tm.tm_wday};
}

}  // namespace keldar::platform
