// keldar_bench_work: writes the files of one benchmark work (work_files.h).
//
//   keldar_bench_work DIR --nodes N [--systems S] [--delay-ms D] [--call-log FILE]
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>

#include "work_files.h"

namespace {

int usage() {
  std::fputs("usage: keldar_bench_work DIR --nodes N [--systems S] [--delay-ms D] [--call-log FILE]\n",
             stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  keldar::bench::WorkRequest request;
  for (int i = 2; i + 1 < argc; i += 2) {
    std::string_view option = argv[i];
    const char* value = argv[i + 1];
    if (option == "--nodes") {
      request.nodes = std::strtoul(value, nullptr, 10);
    } else if (option == "--systems") {
      request.systems = std::strtoul(value, nullptr, 10);
    } else if (option == "--delay-ms") {
      request.call_delay_ms = std::atoi(value);
    } else if (option == "--call-log") {
      request.call_log = value;
    } else {
      return usage();
    }
  }
  if (argc % 2 != 0) return usage();
  try {
    keldar::bench::write_work(argv[1], request);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "keldar_bench_work: %s\n", e.what());
    return 1;
  }
  return 0;
}
