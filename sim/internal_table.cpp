#include "internal_table.h"

#include <cstring>
#include <set>

namespace rfcsim {
namespace {

std::set<ITAB_H>& live_tables() {
  static std::set<ITAB_H> tables;
  return tables;
}

}  // namespace

ITAB_H create_table(const std::string& name, unsigned line_length) {
  if (line_length == 0) return nullptr;
  auto* table = new ITAB_S{name, line_length, {}};
  live_tables().insert(table);
  return table;
}

bool is_live_table(ITAB_H table) { return table != nullptr && live_tables().count(table) != 0; }

void* append_line(ITAB_H table) {
  if (!is_live_table(table)) return nullptr;
  auto line = std::make_unique<unsigned char[]>(table->line_length);
  std::memset(line.get(), 0, table->line_length);
  table->lines.push_back(std::move(line));
  return table->lines.back().get();
}

void* table_line(ITAB_H table, unsigned line) {
  if (!is_live_table(table) || line == 0 || line > table->lines.size()) return nullptr;
  return table->lines[line - 1].get();
}

unsigned table_fill(ITAB_H table) {
  return is_live_table(table) ? static_cast<unsigned>(table->lines.size()) : 0;
}

void clear_table(ITAB_H table) {
  if (is_live_table(table)) table->lines.clear();
}

bool delete_table(ITAB_H table) {
  if (!is_live_table(table)) return false;
  live_tables().erase(table);
  delete table;
  return true;
}

}  // namespace rfcsim
