// Reading text line by line the way a fixed-buffer reader does, from a
// source of any size with memory independent of it.
//
// Each read returns at most `max_chars` characters: it stops after a line
// feed or when `max_chars` characters (the line feed among them) have been
// taken, so a longer line comes back in several pieces. CR LF reads as one
// line feed on every platform, as text mode turns it into one on Windows.
// The line end (the line feed, and a carriage return before it or at the
// end of a piece) is removed, and a piece ends at its first NUL byte, as a
// line read into a C string does.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace keldar::text {

class LineReader {
 public:
  // Fills `buffer` with up to `size` bytes and returns how many it put
  // there: 0 at the end of the data, a negative number when reading failed.
  using Source = std::function<std::ptrdiff_t(char* buffer, std::size_t size)>;

  LineReader(Source source, std::size_t max_chars);

  // The next piece, or false at the end of the data or after a read error.
  bool next(std::string& piece);

  // True once the source has reported a read error. Whatever was read
  // before the error must not be trusted as the whole content.
  bool failed() const { return failed_; }

 private:
  int raw();
  int get();

  Source source_;
  std::size_t max_chars_;
  std::vector<char> buffer_;
  std::size_t position_ = 0;
  std::size_t filled_ = 0;
  bool ended_ = false;
  bool failed_ = false;
};

// A reader of text held in memory; `content` must outlive it.
LineReader memory_reader(std::string_view content, std::size_t max_chars);

// All pieces of text held in memory.
std::vector<std::string> split_lines(std::string_view content, std::size_t max_chars);

}  // namespace keldar::text
