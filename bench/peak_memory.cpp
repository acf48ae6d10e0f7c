// keldar_bench_peak: the peak resident size of a program run, as the
// kernel accounts it (the maximum resident set of the child).
//
//   keldar_bench_peak RUNS PROGRAM [ARGS...]
//
// Runs PROGRAM RUNS times with standard output discarded and prints the
// median of the peaks in KiB. The benchmarks build on Linux only.
#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// The peak of one run in KiB; -1 when it could not be run or failed.
long peak_of_run(char** argv) {
  pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, STDOUT_FILENO);
    execv(argv[0], argv);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) return -1;
  if (!WIFEXITED(status) || WEXITSTATUS(status) == 127) return -1;
  return usage.ru_maxrss;  // KiB on Linux
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs("usage: keldar_bench_peak RUNS PROGRAM [ARGS...]\n", stderr);
    return 2;
  }
  const int runs = std::max(1, std::atoi(argv[1]));
  std::vector<long> peaks;
  for (int i = 0; i < runs; ++i) {
    long peak = peak_of_run(argv + 2);
    if (peak < 0) {
      std::fprintf(stderr, "keldar_bench_peak: %s did not run\n", argv[2]);
      return 1;
    }
    peaks.push_back(peak);
  }
  std::sort(peaks.begin(), peaks.end());
  std::printf("%ld\n", peaks[peaks.size() / 2]);
  return 0;
}
