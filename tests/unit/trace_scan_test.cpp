#include "output/trace_scan.h"

#include <gtest/gtest.h>

namespace keldar {
namespace {

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
  for (const auto& c : cases) EXPECT_EQ(trace_scan_content(c.content), c.appended) << c.name;
}

TEST(TraceScan, LongLinesAreReadInPiecesOf99) {
  // The second piece of a long line starts at character 100 and is tested
  // as a line of its own.
  std::string line = std::string(99, 'x') + "ERROR       hidden in a continuation\n";
  EXPECT_EQ(trace_scan_content(line), " - hidden in a continuation");
}

}  // namespace
}  // namespace keldar
