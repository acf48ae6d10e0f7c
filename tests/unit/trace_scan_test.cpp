#include "rfc/trace_scan.h"
#include "run/failure.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "temp_dir.h"

namespace keldar {
namespace {

// The scan of a working directory that holds `content` as the trace file
// (none when nullopt).
std::string scan(const std::optional<std::string>& content) {
  testing::TempDir work;
  if (content) work.write(kTraceFileName, *content);
  return trace_suffix(platform::FileSystem({"/", work.root()}));
}

TEST(TraceScan, ReportsTheLastErrorOfTheFile) {
  const struct {
    const char* name;
    std::optional<std::string> content;
    const char* appended;
  } cases[] = {
      {"missing file", std::nullopt, " - Look for Trace-File"},
      {"empty file", std::string(), " - Please Check Trace-File !"},
      {"no error lines", std::string("RFC trace\nT:1 call\n"), " - Please Check Trace-File !"},
      {"arrow line", std::string("**** ERROR file opened at 20260101 120000\n"
                                 "T:1234 ======> Name or password is incorrect\n"),
       " - Name or password is incorrect"},
      {"ERROR keyword line", std::string("ERROR       partner not reached\n"),
       " - partner not reached"},
      {"last error wins", std::string("**** ERROR file opened\nT:1    ======> first\n"
                                      "**** ERROR file opened\nT:1    ======> second\r\n"),
       " - second"},
      {"new block without message clears earlier ones",
       std::string("**** ERROR file opened\nT:1    ======> first\n**** ERROR file opened\n"
                   "some other line\n"),
       " - Please Check Trace-File !"},
      // A line that is both an ERROR line and an arrow line: the arrow wins.
      {"arrow wins over keyword", std::string("ERROR  ======> arrow text\n"), " - arrow text"},
      {"short ERROR line", std::string("ERROR x\n"), " - Please Check Trace-File !"},
      {"CRLF line ends", std::string("**** ERROR opened\r\nT:7    ======> timeout\r\n"),
       " - timeout"},
  };
  for (const auto& c : cases) EXPECT_EQ(scan(c.content), c.appended) << c.name;
}

TEST(TraceScan, LongLinesAreReadInPiecesOf99) {
  // The second piece of a long line starts at character 100 and is tested
  // as a line of its own.
  std::string line = std::string(99, 'x') + "ERROR       hidden in a continuation\n";
  EXPECT_EQ(scan(line), " - hidden in a continuation");
}

TEST(TraceScan, AFileThatGrewLargeIsReadToItsEnd) {
  // Megabytes of earlier blocks, then the last error.
  std::string block = "**** ERROR file opened\nT:1    ======> " + std::string(80, 'o') + "\n";
  std::string content;
  while (content.size() < (8u << 20)) content += block;
  content += "**** ERROR file opened\nT:1    ======> the last one\n";
  EXPECT_EQ(scan(content), " - the last one");
}

TEST(TraceScan, ADirectoryInItsPlaceCannotBeRead) {
  testing::TempDir work;
  std::filesystem::create_directories(work.path() / kTraceFileName);
  EXPECT_EQ(trace_suffix(platform::FileSystem({"/", work.root()})), " - Look for Trace-File");
}

// Only a step failure carries the trace file's reason; a failure of the
// start phase says nothing of an old trace file lying there.
TEST(TraceScan, OnlyAStepFailureEndsWithTheReason) {
  testing::TempDir work;
  work.write(kTraceFileName, "**** ERROR file opened\nT:1    ======> partner not reached\n");
  platform::FileSystem files({"/", work.root()});
  EXPECT_EQ(error_document({1011, "Error 1011: Open failed", Ending::step_failure}, files),
            "<Prtg>\n<Error>1</Error>\n<Text>Error 1011: Open failed - partner not "
            "reached</Text>\n</Prtg>\n");
  EXPECT_EQ(error_document(failure(Message::profile_missing, {"PRD.P00"}), files),
            "<Prtg>\n<Error>1</Error>\n<Text>Error 1002: Profile PRD.P00 is "
            "missing...</Text>\n</Prtg>\n");
}

}  // namespace
}  // namespace keldar
