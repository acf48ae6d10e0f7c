// Internal tables of the RFC library: named tables of fixed-length lines,
// handed to callers as opaque handles.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "rfc/rfc_interface.h"

// The library's table object behind ITAB_H.
struct ITAB_S {
  std::string name;
  unsigned line_length = 0;
  std::vector<std::unique_ptr<unsigned char[]>> lines;  // stable addresses
};

namespace rfcsim {

// Creates a table; null when `line_length` is 0.
ITAB_H create_table(const std::string& name, unsigned line_length);

// True when `table` was created and not yet deleted. Every other operation
// checks this first, so a stale or foreign handle is refused, not followed.
bool is_live_table(ITAB_H table);

// Appends a line of zero bytes and returns it; null for a dead handle.
void* append_line(ITAB_H table);

// Address of line `line` (from 1); null past the end, at 0 or for a dead
// handle. Valid until the table is cleared or deleted.
void* table_line(ITAB_H table, unsigned line);

// Number of lines; 0 for a dead handle.
unsigned table_fill(ITAB_H table);

// Removes every line.
void clear_table(ITAB_H table);

// Deletes the table; false for a dead handle.
bool delete_table(ITAB_H table);

}  // namespace rfcsim
