#include "eval/node_line.h"

#include <algorithm>
#include <cstdio>

#include "text/fixed_field.h"

namespace keldar {

namespace {

std::string two_digits(std::int32_t n) {
  char text[16];
  std::snprintf(text, sizeof text, "%02ld", static_cast<long>(n));
  return text;
}

}  // namespace

std::string node_line(const TreeRow& row) {
  // The indentation never exceeds the name's column, whatever the level.
  std::size_t indent =
      static_cast<std::size_t>(std::clamp<std::int64_t>(std::int64_t{row.level()} - 1, 0,
                                                        kNodeNameWidth));
  std::string line(indent, ' ');
  line += row.short_name();
  line = text::fit(line, kNodeNameWidth);
  line += std::to_string(row.grade());
  line += ' ';
  line += std::to_string(row.highest_grade());
  line += ' ';
  line += two_digits(row.tree_number());
  line += ' ';
  line += two_digits(row.level());
  line += ' ';
  line += text::short_date(row.last_value_date());
  line += ' ';
  line += text::short_time(row.last_value_time());
  line += ' ';
  line += text::short_date(row.alert_date());
  line += ' ';
  line += text::short_time(row.alert_time());
  line += ' ';
  line += text::fit(row.mtuid(), 10);
  line += ' ';
  line += text::fit(row.mtclass(), 3);
  line += ' ';
  return line;
}

}  // namespace keldar
