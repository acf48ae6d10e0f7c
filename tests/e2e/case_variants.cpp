#include "case_variants.h"

#include <set>

namespace keldar::e2e {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

bool is_name(const std::string& name) {
  if (name.empty()) return false;
  for (char c : name) {
    bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
              c == '_' || c == '-';
    if (!ok) return false;
  }
  return true;
}

// Reads the word at `pos` ("..." grouping, "" empty) and moves past it.
std::string next_column(const std::string& row, std::size_t& pos) {
  std::string word;
  bool quoted = false;
  for (; pos < row.size(); ++pos) {
    char c = row[pos];
    if (c == '"') {
      quoted = !quoted;
    } else if (is_blank(c) && !quoted) {
      break;
    } else {
      word += c;
    }
  }
  if (quoted) throw VaryError("unterminated \" in row: " + row);
  return word;
}

void skip_blanks(const std::string& row, std::size_t& pos) {
  while (pos < row.size() && is_blank(row[pos])) ++pos;
}

}  // namespace

VaryTable vary_table(const std::string& names, int line) {
  // The runner's own placeholders; a variable of that name would hide them.
  static const std::set<std::string> reserved = {"tab", "cr", "any", "rfclib", "exe"};
  VaryTable table;
  table.line = line;
  std::size_t pos = 0;
  skip_blanks(names, pos);
  while (pos < names.size()) {
    std::string name = next_column(names, pos);
    if (!is_name(name)) {
      throw VaryError("\"vary NAME...\": names are letters, digits, _ and -, not \"" + name + "\"");
    }
    if (reserved.count(name) != 0) throw VaryError("{{" + name + "}} is a placeholder of the runner");
    for (const std::string& earlier : table.names) {
      if (earlier == name) throw VaryError("\"" + name + "\" named twice in \"vary\"");
    }
    table.names.push_back(name);
    skip_blanks(names, pos);
  }
  if (table.names.empty()) throw VaryError("\"vary NAME...\" expected");
  return table;
}

void add_vary_row(VaryTable& table, const std::string& row) {
  std::vector<std::string> values;
  std::size_t pos = 0;
  for (std::size_t i = 0; i + 1 < table.names.size(); ++i) {
    skip_blanks(row, pos);
    values.push_back(next_column(row, pos));
  }
  skip_blanks(row, pos);
  // The last column is the rest of the row as written.
  if (pos >= row.size()) {
    throw VaryError("row \"" + row + "\" has fewer than " + std::to_string(table.names.size()) +
                    " values");
  }
  values.push_back(row.substr(pos));
  table.rows.push_back(std::move(values));
}

std::vector<Variables> variants(const std::vector<VaryTable>& tables) {
  std::vector<Variables> result{Variables{}};
  for (const VaryTable& table : tables) {
    if (table.rows.empty()) throw VaryError("\"vary\" without \"|\" rows");
    std::vector<Variables> next;
    for (const Variables& outer : result) {
      for (const std::vector<std::string>& row : table.rows) {
        Variables combined = outer;
        for (std::size_t i = 0; i < table.names.size(); ++i) {
          if (!combined.emplace(table.names[i], row[i]).second) {
            throw VaryError("\"" + table.names[i] + "\" varies in two tables");
          }
        }
        next.push_back(std::move(combined));
      }
    }
    result = std::move(next);
  }
  return result;
}

std::string substitute(const std::string& text, const Variables& variables) {
  if (variables.empty()) return text;
  std::string out;
  std::size_t pos = 0;
  while (true) {
    std::size_t open = text.find("{{", pos);
    if (open == std::string::npos) break;
    std::size_t close = text.find("}}", open + 2);
    if (close == std::string::npos) break;
    auto found = variables.find(text.substr(open + 2, close - open - 2));
    if (found == variables.end()) {
      // Not ours: keep the "{{" and look again behind it, so that a "{{{{x}}"
      // still finds "{{x}}".
      out.append(text, pos, open + 2 - pos);
      pos = open + 2;
      continue;
    }
    out.append(text, pos, open - pos);
    out += found->second;
    pos = close + 2;
  }
  return out + text.substr(pos);
}

std::string describe(const Variables& variables) {
  std::string text;
  for (const auto& [name, value] : variables) {
    if (!text.empty()) text += ", ";
    text += name + "=" + value;
  }
  return text;
}

}  // namespace keldar::e2e
