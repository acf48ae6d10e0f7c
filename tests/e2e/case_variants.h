// Generated cases: the "vary" tables of a case and the variants they make.
//
//     vary code text
//     | 1 Error 1014: RFC-Failure raised !
//     | 2 Error 1012: Exception.: SIMULATED_FAULT
//
// A table names its variables and gives one row of values per variant; a
// row's columns are split at blanks ("..." groups, "" is empty), its last
// column takes the rest of the row. Several tables in one case vary
// together as a product: every row of one with every row of the others.
// "{{NAME}}" stands for a variable's value; other "{{...}}" are left as
// they are, for the runner.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace keldar::e2e {

// Values by variable name.
using Variables = std::map<std::string, std::string>;

struct VaryTable {
  int line = 0;                                  // of the "vary" directive
  std::vector<std::string> names;
  std::vector<std::vector<std::string>> rows;    // one value per name
};

// A table's or row's mistake; the parser adds the file and line.
struct VaryError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The table for "vary NAMES": names are letters, digits, "_" and "-", each
// once; they must not be the runner's own placeholders.
VaryTable vary_table(const std::string& names, int line);

// Adds a row ("|" content, without the "| ") to `table`.
void add_vary_row(VaryTable& table, const std::string& row);

// Every combination of the tables' rows, the first table varying slowest;
// one empty set of variables when there are no tables. Throws VaryError for
// a table without rows or a name given in two tables.
std::vector<Variables> variants(const std::vector<VaryTable>& tables);

// `text` with every "{{NAME}}" of `variables` replaced by its value; values
// are not scanned again.
std::string substitute(const std::string& text, const Variables& variables);

// "code=1, text=Error 1014: ..." for messages about one variant.
std::string describe(const Variables& variables);

}  // namespace keldar::e2e
