#include "rfc/trace_scan.h"

#include "text/ascii.h"
#include "text/line_reader.h"

namespace keldar {

namespace {

// "**** ERROR " opens an error block.
constexpr std::string_view kBlockStart = "**** ERROR ";
// "ERROR " and its blanks take the first 12 characters; the error follows.
constexpr std::string_view kErrorKeyword = "ERROR ";
constexpr std::size_t kErrorTextColumn = 12;
// "======> " at characters 8 to 15 (0-based 7); the error follows.
constexpr std::string_view kArrow = "======> ";
constexpr std::size_t kArrowColumn = 7;

}  // namespace

TraceScan trace_scan(const platform::FileSystem& files) {
  std::unique_ptr<platform::InputFile> file = files.open(kTraceFileName);
  if (file == nullptr) return {};
  text::LineReader reader(
      [&file](char* buffer, std::size_t size) { return file->read(buffer, size); },
      kTraceLineChars);
  return scan_trace_lines(reader);
}

TraceScan scan_trace_lines(text::LineReader& reader) {
  std::string kept;
  std::string line;
  while (reader.next(line)) {
    if (text::starts_with(line, kBlockStart)) kept.clear();
    if (text::starts_with(line, kErrorKeyword)) {
      kept = line.substr(std::min(kErrorTextColumn, line.size()));
    }
    // The arrow form is tested last, so it wins when a line has both.
    if (line.compare(std::min(kArrowColumn, line.size()), kArrow.size(), kArrow) == 0) {
      kept = line.substr(kArrowColumn + kArrow.size());
    }
  }
  if (reader.failed()) return {};
  if (kept.empty()) return {TraceScan::Outcome::no_error_line, ""};
  return {TraceScan::Outcome::error_found, kept};
}

}  // namespace keldar
