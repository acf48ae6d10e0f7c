// The local clock.
#pragma once

#include <cstdint>
#include <string>

namespace keldar::platform {

// Current time as seconds since the epoch.
std::int64_t now_seconds();

// Local time of `seconds` as the 26-character standard date text
// "Www Mmm dd hh:mm:ss yyyy\n".
std::string local_date_text(std::int64_t seconds);

// Local time of `seconds` as the 14-digit stamp YYYYMMDDhhmmss.
std::string local_stamp(std::int64_t seconds);

// "HH:MM:SS" of the current local time (characters 12 to 19 of the date text).
std::string local_clock_time();

}  // namespace keldar::platform
