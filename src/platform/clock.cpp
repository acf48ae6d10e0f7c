#include "platform/clock.h"

#include <cstdio>
#include <ctime>

namespace keldar::platform {

namespace {

class SystemClock : public Clock {
 public:
  std::int64_t now() const override { return static_cast<std::int64_t>(std::time(nullptr)); }
  LocalTime local(std::int64_t seconds) const override { return machine_local_time(seconds); }
};

}  // namespace

const Clock& system_clock() {
  static const SystemClock clock;
  return clock;
}

LocalTime ManualClock::local(std::int64_t seconds) const { return utc_time(seconds); }

std::string date_text(const LocalTime& t) {
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char text[64];
  std::snprintf(text, sizeof text, "%.3s %.3s%3d %.2d:%.2d:%.2d %d\n",
                kDays[((t.weekday % 7) + 7) % 7], kMonths[((t.month - 1) % 12 + 12) % 12], t.day,
                t.hour, t.minute, t.second, t.year);
  return text;
}

std::string clock_time(const LocalTime& t) { return date_text(t).substr(11, 8); }

std::string time_stamp(const LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return text;
}

LocalTime utc_time(std::int64_t seconds) {
  // Days since the epoch to the civil date (proleptic Gregorian calendar).
  std::int64_t days = seconds / 86400;
  std::int64_t rest = seconds % 86400;
  if (rest < 0) {
    rest += 86400;
    --days;
  }
  LocalTime t;
  t.hour = static_cast<int>(rest / 3600);
  t.minute = static_cast<int>(rest % 3600 / 60);
  t.second = static_cast<int>(rest % 60);
  t.weekday = static_cast<int>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
  std::int64_t z = days + 719468;
  std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  std::int64_t doe = z - era * 146097;
  std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  std::int64_t mp = (5 * doy + 2) / 153;
  t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2 ? 1 : 0));
  return t;
}

}  // namespace keldar::platform
