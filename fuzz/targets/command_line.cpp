// The command line and the run state it leads to: the invocation, the
// profile and sensor files the start phase reads, the definition keys, and
// the result when the run ends before the RFC library (run_input.h).
#include <cstddef>
#include <cstdint>

#include "run_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace keldar::fuzz;
  static Sandbox sandbox;
  RunInput input = split_run_input({reinterpret_cast<const char*>(data), size});
  sandbox.lay_down(input);
  check_outcome(input, sandbox, run_sensor_input(input, sandbox, nullptr));
  return 0;
}
