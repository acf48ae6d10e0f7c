#include "time_spec.h"

#include <cstdio>

namespace rfcsim {

std::string local_stamp(std::time_t moment) {
  // The library runs on one thread per process (as the classic library is
  // used here), so the shared result of localtime is not contended.
  const std::tm* t = std::localtime(&moment);
  if (t == nullptr) return "00000000000000";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d%02d%02d%02d%02d%02d", t->tm_year + 1900,
                t->tm_mon + 1, t->tm_mday, t->tm_hour, t->tm_min, t->tm_sec);
  return std::string(buffer, 14);
}

bool is_valid_stamp(const std::string& text) {
  if (text.size() != 14) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  auto number = [&text](std::size_t pos, std::size_t len) { return std::stoi(text.substr(pos, len)); };
  int month = number(4, 2), day = number(6, 2), hour = number(8, 2), minute = number(10, 2),
      second = number(12, 2);
  return month >= 1 && month <= 12 && day >= 1 && day <= 31 && hour <= 23 && minute <= 59 &&
         second <= 59;
}

DateTime resolve(const TimeSpec& spec, std::time_t now) {
  switch (spec.kind) {
    case TimeSpec::Kind::Initial: return {"00000000", "000000"};
    case TimeSpec::Kind::Blank: return {"        ", "      "};
    case TimeSpec::Kind::Absolute: return {spec.stamp.substr(0, 8), spec.stamp.substr(8, 6)};
    case TimeSpec::Kind::Age: {
      std::string stamp = local_stamp(now - static_cast<std::time_t>(spec.age));
      return {stamp.substr(0, 8), stamp.substr(8, 6)};
    }
  }
  return {"00000000", "000000"};
}

}  // namespace rfcsim
