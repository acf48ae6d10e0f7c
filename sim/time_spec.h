// Moments in a landscape: either an absolute local time stamp or an age in
// seconds before the moment of the call, so that a landscape describes
// "an alert five minutes ago" as well as a fixed date.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace rfcsim {

struct TimeSpec {
  enum class Kind {
    Initial,   // not given: SAP's initial date and time (zeros)
    Blank,     // given as "": blank date and time fields
    Absolute,  // "YYYYMMDDhhmmss", local time
    Age,       // seconds before the call
  };
  Kind kind = Kind::Initial;
  std::string stamp;     // Absolute: the 14 digits
  std::int64_t age = 0;  // Age: seconds
};

struct DateTime {
  std::string date;  // 8 characters YYYYMMDD
  std::string time;  // 6 characters hhmmss
};

// The date and time fields for `spec` at the moment `now`.
DateTime resolve(const TimeSpec& spec, std::time_t now);

// `moment` as a 14-digit local time stamp YYYYMMDDhhmmss.
std::string local_stamp(std::time_t moment);

// True when `text` is a plausible 14-digit local time stamp.
bool is_valid_stamp(const std::string& text);

}  // namespace rfcsim
