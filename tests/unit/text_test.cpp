#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/ascii.h"
#include "text/fixed_field.h"
#include "text/line_reader.h"

namespace keldar {
namespace {

using Lines = std::vector<std::string>;

TEST(LineReader, PiecesLineEndsAndCrLf) {
  EXPECT_EQ(text::split_lines("a\nbb\n", 199), (Lines{"a", "bb"}));
  EXPECT_EQ(text::split_lines("a\r\nbb\r\n", 199), (Lines{"a", "bb"}));
  EXPECT_EQ(text::split_lines("last without end", 199), (Lines{"last without end"}));
  EXPECT_EQ(text::split_lines("\n\n", 199), (Lines{"", ""}));
  // At most max characters per read, the line feed counted among them.
  EXPECT_EQ(text::split_lines("abcdefg\n", 3), (Lines{"abc", "def", "g"}));
  EXPECT_EQ(text::split_lines("abc\n", 3), (Lines{"abc", ""}));
  EXPECT_EQ(text::split_lines("ab\r\n", 3), (Lines{"ab"}));
  EXPECT_EQ(text::split_lines("", 199), Lines{});
  // A lone CR is no line end, but a piece does not end with one.
  EXPECT_EQ(text::split_lines("a\rb\nc\r", 199), (Lines{"a\rb", "c"}));
  // A piece ends at its first NUL byte, as a C string does.
  EXPECT_EQ(text::split_lines(std::string("ab\0cd\nef\n", 9), 199), (Lines{"ab", "ef"}));
}

// A source that hands out its bytes in the given chunk sizes, so that CR LF
// pairs fall across the reader's buffer refills.
text::LineReader chunked(const std::string& content, std::vector<std::size_t> chunks,
                         std::size_t max_chars) {
  return text::LineReader(
      [content, chunks, offset = std::size_t{0}, next = std::size_t{0}](
          char* buffer, std::size_t size) mutable -> std::ptrdiff_t {
        std::size_t n = std::min({size, content.size() - offset,
                                  next < chunks.size() ? chunks[next] : size});
        ++next;
        content.copy(buffer, n, offset);
        offset += n;
        return static_cast<std::ptrdiff_t>(n);
      },
      max_chars);
}

TEST(LineReader, CrLfAcrossChunksReadsAsOneLineEnd) {
  text::LineReader reader = chunked("ab\r\ncd\r\r\nef", {3, 1, 3, 1, 1}, 199);
  Lines lines;
  std::string piece;
  while (reader.next(piece)) lines.push_back(piece);
  EXPECT_EQ(lines, (Lines{"ab", "cd", "ef"}));
  EXPECT_FALSE(reader.failed());
}

TEST(LineReader, AReadErrorEndsTheLinesAndIsReported) {
  int calls = 0;
  text::LineReader reader(
      [&calls](char* buffer, std::size_t) -> std::ptrdiff_t {
        if (calls++ > 0) return -1;
        buffer[0] = 'a';
        buffer[1] = '\n';
        return 2;
      },
      199);
  std::string piece;
  EXPECT_TRUE(reader.next(piece));
  EXPECT_EQ(piece, "a");
  EXPECT_FALSE(reader.next(piece));
  EXPECT_TRUE(reader.failed());
}

TEST(LineReader, AHugeLineComesInPiecesWithoutBeingHeldWhole) {
  // 20 MB in one line: every piece has the reader's size.
  const std::size_t size = 20u << 20;
  std::size_t given = 0;
  text::LineReader reader(
      [&given, size](char* buffer, std::size_t n) -> std::ptrdiff_t {
        n = std::min(n, size - given);
        std::fill(buffer, buffer + n, 'x');
        given += n;
        return static_cast<std::ptrdiff_t>(n);
      },
      199);
  std::string piece;
  std::size_t pieces = 0, total = 0;
  while (reader.next(piece)) {
    ++pieces;
    total += piece.size();
    ASSERT_LE(piece.size(), 199u);
  }
  EXPECT_EQ(total, size);
  EXPECT_EQ(pieces, (size + 198) / 199);
}

TEST(FixedField, CutPadFitTrimAndFields) {
  EXPECT_EQ(text::cut("abcdef", 3), "abc");
  EXPECT_EQ(text::cut("ab", 3), "ab");
  EXPECT_EQ(text::pad_right("ab", 4), "ab  ");
  EXPECT_EQ(text::pad_right("abcdef", 4), "abcdef");
  EXPECT_EQ(text::fit("ab", 4), "ab  ");
  EXPECT_EQ(text::fit("abcdef", 4), "abcd");
  EXPECT_EQ(text::trim_right("a b  "), "a b");
  EXPECT_EQ(text::trim_right("   "), "");
  const char field[] = {'X', 'A', 'L', ' ', '\0', 'z', '!'};
  EXPECT_EQ(text::field_text(field, 4), "XAL ");
  EXPECT_EQ(text::field_text(field, 7), "XAL ");
  EXPECT_EQ(text::to_upper_ascii("mSet=a\xE4"), "MSET=A\xE4");
}

}  // namespace
}  // namespace keldar
