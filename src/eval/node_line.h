// The node line: the text that describes a tree node in the tree listing.
#pragma once

#include <string>
#include <string_view>

#include "eval/tree_row.h"

namespace keldar {

// Width of the indented short name at the start of a node line; the grade
// follows in the next character (the column "T" of the listing headers).
inline constexpr std::size_t kNodeNameWidth = 47;

// "(level - 1) blanks and the short name" cut or blank-padded to 47, the
// grade, a blank, the highest grade, a blank, the tree number and the level
// (at least two digits each, each followed by a blank), the last value's
// date and time, the alert's date and time (short forms, each followed by a
// blank), MTUID (10) and a blank, MTCLASS (3) and a blank.
std::string node_line(const TreeRow& row);

// The same, appended to `line`.
void append_node_line(std::string& line, const TreeRow& row);

}  // namespace keldar
