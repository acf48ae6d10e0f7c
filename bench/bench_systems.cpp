#include "bench_systems.h"

#include <cstdio>

namespace keldar::bench {

namespace {

std::string two_digits(std::size_t system) {
  char text[8];
  std::snprintf(text, sizeof text, "%02zu", system % (kMaximumBenchSystems + 1));
  return text;
}

}  // namespace

std::string bench_sid(std::size_t system) { return "B" + two_digits(system); }
std::string bench_host(std::size_t system) { return "bench" + two_digits(system); }
std::string bench_profile_file(std::size_t system) { return bench_sid(system) + ".P00"; }

}  // namespace keldar::bench
