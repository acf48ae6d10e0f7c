#include "eval/tree_row.h"

#include <cstring>

#include "text/fixed_field.h"

namespace keldar {

namespace {

// A character field of the identifier: the text as the row holds it (up to
// a NUL byte), blank-padded to the field's width.
template <std::size_t N>
void put(char (&target)[N], std::string_view text) {
  std::string fitted = text::fit(text, N);
  std::memcpy(target, fitted.data(), N);
}

}  // namespace

std::string_view TreeRow::short_name() const {
  std::string_view name = short_name_field();
  std::size_t end = name.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : name.substr(0, end + 1);
}

BapitidRecord TreeRow::mte_identifier() const {
  BapitidRecord id;
  put(id.MTSYSID, field(record_.MTSYSID));
  put(id.MTMCNAME, context());
  put(id.MTNUMRANGE, field(record_.MTNUMRANGE));
  put(id.MTUID, mtuid());
  put(id.MTCLASS, mtclass());
  put(id.MTINDEX, field(record_.MTINDEX));
  put(id.EXTINDEX, field(record_.EXTINDEX));
  return id;
}

}  // namespace keldar
