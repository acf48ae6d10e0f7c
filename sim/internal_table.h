// Internal tables of the RFC library: named tables of fixed-length lines,
// handed to callers as opaque handles.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "rfc/rfc_interface.h"

// The library's table object behind ITAB_H.
struct ITAB_S {
  std::string name;  // as given to ItCreate
  unsigned line_length = 0;
  // Each line its own buffer, so that a line keeps its address while lines
  // are added.
  std::vector<std::vector<unsigned char>> lines;
};

namespace rfcsim {

// Every table the library has handed out and not yet deleted. A handle is
// followed only after it is found here, so a stale or foreign handle is
// refused, never followed.
class InternalTables {
 public:
  InternalTables() = default;
  InternalTables(const InternalTables&) = delete;
  InternalTables& operator=(const InternalTables&) = delete;
  ~InternalTables();  // frees the tables still alive

  // Creates a table; null when `line_length` is 0.
  ITAB_H create(const std::string& name, unsigned line_length);

  // True when `table` was created and not yet deleted.
  bool is_live(ITAB_H table) const;

  // Appends a line of zero bytes and returns it; null for a dead handle.
  void* append_line(ITAB_H table);

  // Appends `line`, cut or zero-padded to the table's line length; nothing
  // for a dead handle.
  void append(ITAB_H table, std::vector<unsigned char> line);

  // Address of line `line` (from 1); null past the end, at 0 or for a dead
  // handle. Valid until the table is cleared or deleted.
  void* line(ITAB_H table, unsigned line) const;

  // Number of lines; 0 for a dead handle.
  unsigned fill(ITAB_H table) const;

  // Removes every line.
  void clear(ITAB_H table);

  // Deletes the table; false for a dead handle.
  bool remove(ITAB_H table);

  // The tables alive, oldest first.
  const std::vector<ITAB_H>& live() const { return tables_; }

 private:
  std::vector<ITAB_H> tables_;  // creation order, so leak reports read in the order of the program
};

}  // namespace rfcsim
