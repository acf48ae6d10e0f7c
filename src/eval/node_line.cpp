#include "eval/node_line.h"

#include <algorithm>
#include <charconv>

namespace keldar {

namespace {

// The listing writes a line per node of trees of any size: each piece is
// appended in place, with no text made on the way.

// `n` in decimal; with `two`, at least two digits, zero-padded behind the
// sign (printf's "%02ld").
void append_number(std::string& line, std::int64_t n, bool two = false) {
  char digits[24];
  char* end = std::to_chars(digits, digits + sizeof digits, n).ptr;
  if (two && end - digits < 2) line += '0';
  line.append(digits, end);
}

// `text` cut or blank-padded to `width`.
void append_fitted(std::string& line, std::string_view text, std::size_t width) {
  text = text.substr(0, width);
  line += text;
  line.append(width - text.size(), ' ');
}

// The short forms "DD.MM.YY" and "HH:MM", as text::short_date and
// text::short_time make them: blanks for what a field lacks.
char at(std::string_view field, std::size_t i) { return i < field.size() ? field[i] : ' '; }

void append_short_date(std::string& line, std::string_view d) {
  const char text[] = {at(d, 6), at(d, 7), '.', at(d, 4), at(d, 5), '.', at(d, 2), at(d, 3)};
  line.append(text, sizeof text);
}

void append_short_time(std::string& line, std::string_view t) {
  const char text[] = {at(t, 0), at(t, 1), ':', at(t, 2), at(t, 3)};
  line.append(text, sizeof text);
}

}  // namespace

void append_node_line(std::string& line, const TreeRow& row) {
  const std::size_t start = line.size();
  // The indentation never exceeds the name's column, whatever the level.
  const auto indent = static_cast<std::size_t>(
      std::clamp<std::int64_t>(std::int64_t{row.level()} - 1, 0, kNodeNameWidth));
  line.append(indent, ' ');
  line += row.short_name().substr(0, kNodeNameWidth - indent);
  line.resize(start + kNodeNameWidth, ' ');
  append_number(line, row.grade());
  line += ' ';
  append_number(line, row.highest_grade());
  line += ' ';
  append_number(line, row.tree_number(), true);
  line += ' ';
  append_number(line, row.level(), true);
  line += ' ';
  append_short_date(line, row.last_value_date());
  line += ' ';
  append_short_time(line, row.last_value_time());
  line += ' ';
  append_short_date(line, row.alert_date());
  line += ' ';
  append_short_time(line, row.alert_time());
  line += ' ';
  append_fitted(line, row.mtuid(), 10);
  line += ' ';
  append_fitted(line, row.mtclass(), 3);
  line += ' ';
}

std::string node_line(const TreeRow& row) {
  std::string line;
  line.reserve(kNodeNameWidth + 64);
  append_node_line(line, row);
  return line;
}

}  // namespace keldar
