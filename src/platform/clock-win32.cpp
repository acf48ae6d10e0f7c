#include <ctime>

#include "platform/clock.h"

namespace keldar::platform {

namespace {

class SystemClock : public Clock {
 public:
  std::int64_t now() const override { return static_cast<std::int64_t>(std::time(nullptr)); }

  LocalTime local(std::int64_t seconds) const override {
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    localtime_s(&tm, &t);
    return {1900 + tm.tm_year, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec,
            tm.tm_wday};
  }
};

}  // namespace

const Clock& system_clock() {
  static const SystemClock clock;
  return clock;
}

}  // namespace keldar::platform
