// The clock: "now" and its local time, behind an interface so that tests
// set the time instead of reading it.
#pragma once

#include <cstdint>
#include <string>

namespace keldar::platform {

// A moment in local time.
struct LocalTime {
  int year = 1970;
  int month = 1;    // 1-12
  int day = 1;      // 1-31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int weekday = 4;  // 0 = Sunday
};

class Clock {
 public:
  virtual ~Clock() = default;
  // Seconds since the epoch.
  virtual std::int64_t now() const = 0;
  // `seconds` since the epoch in local time.
  virtual LocalTime local(std::int64_t seconds) const = 0;
};

// The machine's clock and time zone.
const Clock& system_clock();

// `seconds` since the epoch in the machine's time zone, by the C library of
// this platform.
LocalTime machine_local_time(std::int64_t seconds);

// A clock that stands still at the moment a test sets; its "local time" is
// UTC, so results do not depend on the machine's time zone.
class ManualClock : public Clock {
 public:
  explicit ManualClock(std::int64_t now = 0) : now_(now) {}
  void set(std::int64_t now) { now_ = now; }
  void advance(std::int64_t seconds) { now_ += seconds; }
  std::int64_t now() const override { return now_; }
  LocalTime local(std::int64_t seconds) const override;

 private:
  std::int64_t now_;
};

// The standard 26-character date text "Www Mmm dd hh:mm:ss yyyy\n".
std::string date_text(const LocalTime& time);

// "hh:mm:ss", characters 12 to 19 of the date text.
std::string clock_time(const LocalTime& time);

// The 14-digit stamp YYYYMMDDhhmmss.
std::string time_stamp(const LocalTime& time);

// `seconds` since the epoch as UTC.
LocalTime utc_time(std::int64_t seconds);

}  // namespace keldar::platform
