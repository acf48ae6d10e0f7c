#include "output/trace_scan.h"

#include "platform/text_lines.h"

namespace keldar {

std::string trace_scan(const platform::FileSystem& files) {
  return trace_scan_content(files.read(kTraceFileName));
}

std::string trace_scan_content(const std::optional<std::string>& content) {
  if (!content) return " - Look for Trace-File";
  std::string kept;
  for (const std::string& line : platform::read_lines(*content, 99)) {
    if (line.rfind("**** ERROR ", 0) == 0) kept.clear();
    if (line.rfind("ERROR ", 0) == 0) kept = line.substr(12 < line.size() ? 12 : line.size());
    // The arrow form is tested last, so it wins when a line has both.
    if (line.size() >= 15 && line.compare(7, 8, "======> ") == 0) kept = line.substr(15);
  }
  if (kept.empty()) return " - Please Check Trace-File !";
  return " - " + kept;
}

}  // namespace keldar
