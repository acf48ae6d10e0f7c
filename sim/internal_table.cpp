#include "internal_table.h"

#include <algorithm>
#include <cstring>

namespace rfcsim {

InternalTables::~InternalTables() {
  for (ITAB_H table : tables_) delete table;
}

ITAB_H InternalTables::create(const std::string& name, unsigned line_length) {
  if (line_length == 0) return nullptr;
  auto table = std::make_unique<ITAB_S>(ITAB_S{name, line_length, {}});
  tables_.push_back(table.get());
  return table.release();
}

bool InternalTables::is_live(ITAB_H table) const {
  return table != nullptr && std::find(tables_.begin(), tables_.end(), table) != tables_.end();
}

void* InternalTables::append_line(ITAB_H table) {
  if (!is_live(table)) return nullptr;
  table->lines.emplace_back(table->line_length, 0);
  return table->lines.back().data();
}

void InternalTables::append(ITAB_H table, std::vector<unsigned char> line) {
  if (!is_live(table)) return;
  line.resize(table->line_length, 0);
  table->lines.push_back(std::move(line));
}

void* InternalTables::line(ITAB_H table, unsigned line) const {
  if (!is_live(table) || line == 0 || line > table->lines.size()) return nullptr;
  return table->lines[line - 1].data();
}

unsigned InternalTables::fill(ITAB_H table) const {
  return is_live(table) ? static_cast<unsigned>(table->lines.size()) : 0;
}

void InternalTables::clear(ITAB_H table) {
  if (is_live(table)) table->lines.clear();
}

bool InternalTables::remove(ITAB_H table) {
  auto it = std::find(tables_.begin(), tables_.end(), table);
  if (table == nullptr || it == tables_.end()) return false;
  tables_.erase(it);
  delete table;
  return true;
}

}  // namespace rfcsim
