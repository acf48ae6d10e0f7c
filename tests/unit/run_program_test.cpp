// The last resort of a run: an exception that escapes the run ends it with
// error 1099, and standard output still holds one whole document.
#include "run/program.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "fake_rfc_library.h"
#include "temp_dir.h"

namespace keldar {
namespace {

// A global sensor over one system whose profile is missing: the run opens
// its result and goes on to the summary without any RFC call.
constexpr const char* kGlobalFile =
    "# Gblx: CPU_GRADE  MSET=Set,MONITOR=OS,GBLGRD=CPU_%S%,ID=None\n"
    "# Gblg: CPU_GRADE   GONE.P00#\n";

// Standard output that records what reaches it and throws instead of
// taking a piece that holds one of `failing`, each once (as when memory
// for the piece runs out).
struct Console {
  std::vector<std::string> failing;
  std::string written;

  void print(std::string_view piece) {
    for (std::string& text : failing) {
      if (!text.empty() && piece.find(text) != std::string_view::npos) {
        text.clear();
        throw std::runtime_error("output failed");
      }
    }
    written += piece;
  }
};

struct Case {
  const char* program;
  std::vector<std::string> arguments;
  std::vector<std::string> failing;  // pieces whose printing throws
  bool library_throws;               // loading the library throws an exception
  bool library_throws_other;         // ... something that is no std::exception
  const char* output;
};

struct SensorRun {
  testing::TempDir work;
  platform::FileSystem files{{work.root(), work.root()}};
  platform::ManualClock clock{1700000000};
  testing::FakeRfcLibrary library;
  Console console;
  int status = -1;

  explicit SensorRun(const Case& c) {
    work.write("SAP Velquist.Gbl", kGlobalFile);
    console.failing = c.failing;
    ProgramStart start;
    start.program_path = c.program;
    start.output_mode = output_mode_for_program(c.program);
    start.start_time = "10:00:00";
    RunEnvironment environment{
        files, clock,
        [&]() -> std::variant<const RfcApi*, Failure> {
          if (c.library_throws) throw std::runtime_error("library table damaged");
          if (c.library_throws_other) throw 42;
          return &library.api();
        },
        [this](std::string_view piece) { console.print(piece); },
        /*time_limit=*/false};
    status = run_sensor(start, c.arguments, environment);
  }
};

const std::vector<std::string> kGlobal = {"GLOBAL", "Cpu_Grade"};

TEST(LastResort, AnExceptionBeforeAnyOutputGivesTheErrorDocument) {
  const Case cases[] = {
      {"keldar", kGlobal, {}, true, false,
       "<Prtg>\n<Error>1</Error>\n<Text>Error 1099: Internal error: library table "
       "damaged</Text>\n</Prtg>\n"},
      {"keldar", kGlobal, {}, false, true,
       "<Prtg>\n<Error>1</Error>\n<Text>Error 1099: Internal error: unknown "
       "exception</Text>\n</Prtg>\n"},
      // The error document of 1001 cannot be printed: 1099 takes its place.
      {"keldar", {}, {"Error 1001"}, false, false,
       "<Prtg>\n<Error>1</Error>\n<Text>Error 1099: Internal error: output failed</Text>\n</Prtg>\n"},
      // The text forms get the same error document.
      {"keldar-halvenor", kGlobal, {}, true, false,
       "<Prtg>\n<Error>1</Error>\n<Text>Error 1099: Internal error: library table "
       "damaged</Text>\n</Prtg>\n"},
      // Not even the message with its reason can be made: the bare one.
      {"keldar", kGlobal, {"Internal error: "}, true, false,
       "<Prtg>\n<Error>1</Error>\n<Text>Error 1099: Internal error</Text>\n</Prtg>\n"},
  };
  for (const Case& c : cases) {
    SensorRun run(c);
    EXPECT_EQ(run.console.written, c.output) << c.program << " " << c.output;
    EXPECT_EQ(run.status, kFailureExitStatus) << c.output;
  }
}

TEST(LastResort, AnExceptionAfterTheResultOpenedClosesThatResult) {
  const Case cases[] = {
      {"keldar", kGlobal, {"NoSystems="}, false, false,
       "\n<Prtg>\n"
       "\n<Text>Error 1099: Internal error: output failed</Text>\n\n</Prtg>\n"},
      {"keldar-halvenor", kGlobal, {"NoSystems="}, false, false,
       "\n# Error 1099: Internal error: output failed\n"},
      {"keldar", kGlobal, {"NoSystems=", "Internal error: "}, false, false,
       "\n<Prtg>\n"
       "\n<Text>Error 1099: Internal error</Text>\n\n</Prtg>\n"},
  };
  for (const Case& c : cases) {
    SensorRun run(c);
    EXPECT_EQ(run.console.written, c.output) << c.program << " " << c.output;
    EXPECT_EQ(run.status, kFailureExitStatus) << c.output;
  }
}

}  // namespace
}  // namespace keldar
