#include "platform/clock.h"

#include <cstdio>
#include <ctime>

namespace keldar::platform {

namespace {

std::tm local_tm(std::int64_t seconds) {
  std::time_t t = static_cast<std::time_t>(seconds);
  std::tm tm{};
#if defined(_WIN32)
  localtime_s(&tm, &t);
#else
  localtime_r(&t, &tm);
#endif
  return tm;
}

}  // namespace

std::int64_t now_seconds() { return static_cast<std::int64_t>(std::time(nullptr)); }

std::string local_date_text(std::int64_t seconds) {
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::tm tm = local_tm(seconds);
  char text[64];
  std::snprintf(text, sizeof text, "%.3s %.3s%3d %.2d:%.2d:%.2d %d\n", kDays[tm.tm_wday % 7],
                kMonths[tm.tm_mon % 12], tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec,
                1900 + tm.tm_year);
  return text;
}

std::string local_stamp(std::int64_t seconds) {
  std::tm tm = local_tm(seconds);
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d", 1900 + tm.tm_year, tm.tm_mon + 1,
                tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
  return text;
}

std::string local_clock_time() { return local_date_text(now_seconds()).substr(11, 8); }

}  // namespace keldar::platform
