#include "text/line_reader.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "text/fixed_field.h"

namespace keldar::text {

namespace {

constexpr std::size_t kChunk = 4096;

}  // namespace

LineReader::LineReader(Source source, std::size_t max_chars)
    : source_(std::move(source)), max_chars_(max_chars), buffer_(kChunk) {}

int LineReader::raw() {
  if (position_ == filled_) {
    if (ended_) return -1;
    std::ptrdiff_t n = source_(buffer_.data(), buffer_.size());
    if (n <= 0) {
      ended_ = true;
      failed_ = n < 0;
      return -1;
    }
    filled_ = static_cast<std::size_t>(n);
    position_ = 0;
  }
  return static_cast<unsigned char>(buffer_[position_++]);
}

int LineReader::get() {
  int c = raw();
  if (c != '\r') return c;
  int next = raw();
  if (next == '\n') return '\n';
  // Not a line end: give the byte back for the next call.
  if (next >= 0) --position_;
  return c;
}

bool LineReader::next(std::string& piece) {
  piece.clear();
  if (max_chars_ == 0 || failed_) return false;
  bool line_feed = false;
  while (piece.size() < max_chars_) {
    int c = get();
    if (c < 0) break;
    if (c == '\n') {
      line_feed = true;
      break;
    }
    piece += static_cast<char>(c);
  }
  if (failed_) return false;
  if (piece.empty() && !line_feed && ended_) return false;
  if (!piece.empty() && piece.back() == '\r') piece.pop_back();
  piece.resize(until_nul(piece).size());
  return true;
}

LineReader memory_reader(std::string_view content, std::size_t max_chars) {
  return LineReader(
      [content, offset = std::size_t{0}](char* buffer, std::size_t size) mutable {
        std::size_t n = std::min(size, content.size() - offset);
        if (n > 0) std::memcpy(buffer, content.data() + offset, n);
        offset += n;
        return static_cast<std::ptrdiff_t>(n);
      },
      max_chars);
}

std::vector<std::string> split_lines(std::string_view content, std::size_t max_chars) {
  LineReader reader = memory_reader(content, max_chars);
  std::vector<std::string> lines;
  std::string piece;
  while (reader.next(piece)) lines.push_back(piece);
  return lines;
}

}  // namespace keldar::text
