// The RFC library's trace file: the reason the scan takes from it, and the
// error document that carries that reason, which must stay well-formed
// whatever the file holds.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "e2e/output_checks.h"
#include "output/error_result.h"
#include "output/messages.h"
#include "rfc/trace_scan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace keldar;
  auto lines = text::memory_reader({reinterpret_cast<const char*>(data), size}, kTraceLineChars);
  TraceScan scan = scan_trace_lines(lines);
  if (scan.outcome != TraceScan::Outcome::error_found) return 0;
  std::string document = error_result(message_text(Message::trace_reason, {scan.error}));
  std::string problem = e2e::xml_document_problem(document);
  if (!problem.empty()) {
    std::fprintf(stderr, "not well-formed XML: %s\n%s\n", problem.c_str(), document.c_str());
    std::abort();
  }
  return 0;
}
