// The RFC session, the tree walk and every driver over whatever the library
// answers: a whole run (run_input.h) whose rest is the answer script of an
// in-process library (answer_script.h). Rows and records come as the script
// has them: without blanks or terminators, with NUL bytes, with any
// integers and dates, and thousands of rows.
#include <cstddef>
#include <cstdint>

#include "answer_script.h"
#include "run_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace keldar::fuzz;
  static Sandbox sandbox;
  static ScriptedLibrary library;
  RunInput input = split_run_input({reinterpret_cast<const char*>(data), size});
  sandbox.lay_down(input);
  library.start(input.rest);
  check_outcome(input, sandbox, run_sensor_input(input, sandbox, &library.api()));
  return 0;
}
