#include "call_check.h"

#include <algorithm>
#include <cstring>

namespace rfcsim {
namespace {

// Entries are read up to their terminator but never further than this, so
// that a list or name without one cannot make the library run away.
constexpr std::size_t kMaxEntries = 256;
constexpr std::size_t kMaxName = 128;

std::string bounded_name(const void* name) {
  const char* p = static_cast<const char*>(name);
  std::size_t n = 0;
  while (n < kMaxName && p[n] != '\0') ++n;
  return std::string(p, n);
}

std::string type_text(unsigned type, const TypeLookup& lookup) {
  if (const StructureDefinition* s = lookup(type)) return "structure " + s->name;
  return elementary_type_name(type);
}

std::string expected_type_text(const ParameterSignature& p, const TypeLookup& lookup) {
  return p.structure.empty() ? type_text(p.type, lookup) : "structure " + p.structure;
}

const ParameterSignature* find(const std::vector<ParameterSignature>& list, const std::string& name) {
  for (const ParameterSignature& p : list) {
    if (p.name == name) return &p;
  }
  return nullptr;
}

bool type_matches(const ParameterSignature& p, RFC_TYPEHANDLE type, const TypeLookup& lookup) {
  const StructureDefinition* s = lookup(type);
  if (p.structure.empty()) return s == nullptr && type == p.type;
  return s != nullptr && s->name == p.structure;
}

// The names of a list's entries up to its terminator, each checked against
// its name length; "" or the message.
template <typename Entry>
std::string read_names(const FunctionSignature& function, const char* what, const char* list_name,
                       const Entry* list, std::vector<std::string>& names) {
  names.clear();
  for (std::size_t i = 0; list != nullptr && list[i].name != nullptr; ++i) {
    if (i == kMaxEntries) return function.name + ": the " + list_name + " list has no end";
    std::string name = bounded_name(list[i].name);
    if (name.size() == kMaxName) return function.name + ": a " + what + " name is not terminated";
    if (list[i].nlen != name.size()) {
      return function.name + ": " + what + " " + name + ": name length " + std::to_string(list[i].nlen) +
             " given, the name has " + std::to_string(name.size()) + " characters";
    }
    names.push_back(std::move(name));
  }
  return "";
}

// The names must be exactly those of `expected`, in its order. `kind` is
// "exporting parameter", "importing parameter" or "table".
std::string check_order(const FunctionSignature& function, const std::vector<ParameterSignature>& expected,
                        const std::vector<std::string>& given, const std::string& kind) {
  for (std::size_t i = 0; i < given.size(); ++i) {
    if (find(expected, given[i]) == nullptr) return function.name + " has no " + kind + " " + given[i];
    if (std::find(given.begin(), given.begin() + static_cast<std::ptrdiff_t>(i), given[i]) !=
        given.begin() + static_cast<std::ptrdiff_t>(i)) {
      return function.name + ": " + kind + " " + given[i] + " is given twice";
    }
  }
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const std::string& wanted = expected[i].name;
    if (i < given.size() && given[i] == wanted) continue;
    // Every name before position i is in place, so the entry here belongs
    // further down: the one expected here is either missing or late.
    if (std::find(given.begin(), given.end(), wanted) == given.end()) {
      return function.name + ": " + kind + " " + wanted + " is missing";
    }
    return function.name + ": " + kind + " " + given[i] + " is out of order: " + wanted +
           " comes before it";
  }
  return "";
}

// The first NUL byte of `bytes`, or npos.
std::size_t nul_position(const void* bytes, std::size_t length) {
  const void* nul = std::memchr(bytes, '\0', length);
  return nul == nullptr ? std::string::npos
                        : static_cast<std::size_t>(static_cast<const char*>(nul) - static_cast<const char*>(bytes));
}

}  // namespace

std::string check_parameters(const FunctionSignature& function,
                             const std::vector<ParameterSignature>& expected,
                             const RFC_PARAMETER* list, const char* direction,
                             const TypeLookup& lookup, std::vector<const RFC_PARAMETER*>& found) {
  found.clear();
  std::vector<std::string> names;
  std::string error = read_names(function, "parameter", direction, list, names);
  if (error.empty()) error = check_order(function, expected, names, std::string(direction) + " parameter");
  if (!error.empty()) return error;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const ParameterSignature& p = expected[i];
    const RFC_PARAMETER& entry = list[i];
    if (!type_matches(p, entry.type, lookup)) {
      return function.name + ": parameter " + p.name + " has " + type_text(entry.type, lookup) + ", expected " +
             expected_type_text(p, lookup);
    }
    if (entry.leng != p.length) {
      return function.name + ": parameter " + p.name + " has length " + std::to_string(entry.leng) +
             ", expected " + std::to_string(p.length);
    }
    if (entry.addr == nullptr) return function.name + ": parameter " + p.name + " has no value address";
    found.push_back(&entry);
  }
  return "";
}

std::string check_character_values(const FunctionSignature& function,
                                   const std::vector<const RFC_PARAMETER*>& found,
                                   const TypeLookup& lookup) {
  for (const RFC_PARAMETER* entry : found) {
    const std::string name = bounded_name(entry->name);
    const auto* bytes = static_cast<const unsigned char*>(entry->addr);
    if (const StructureDefinition* s = lookup(entry->type)) {
      for (const FieldDefinition& f : s->fields) {
        if (f.type == TYPINT) continue;
        std::size_t at = nul_position(bytes + f.offset, f.length);
        if (at != std::string::npos) {
          return function.name + ": parameter " + name + ", field " + f.name + " holds a NUL byte at position " +
                 std::to_string(at + 1) + "; fields are blank-padded";
        }
      }
    } else if (entry->type != TYPINT) {
      std::size_t at = nul_position(bytes, entry->leng);
      if (at != std::string::npos) {
        return function.name + ": parameter " + name + " holds a NUL byte at position " + std::to_string(at + 1) +
               "; values are blank-padded";
      }
    }
  }
  return "";
}

std::string check_tables(const FunctionSignature& function, const RFC_TABLE* list,
                         const TypeLookup& lookup, const InternalTables& tables,
                         std::vector<ITAB_H>& found) {
  found.clear();
  std::vector<std::string> names;
  std::string error = read_names(function, "table", "table", list, names);
  if (error.empty()) error = check_order(function, function.tables, names, "table");
  if (!error.empty()) return error;
  for (std::size_t i = 0; i < function.tables.size(); ++i) {
    const ParameterSignature& p = function.tables[i];
    const RFC_TABLE& entry = list[i];
    if (!type_matches(p, entry.type, lookup)) {
      return function.name + ": table " + p.name + " has lines of " + type_text(entry.type, lookup) +
             ", expected " + expected_type_text(p, lookup);
    }
    if (entry.leng != 0 && entry.leng != p.length) {
      return function.name + ": table " + p.name + " has line length " + std::to_string(entry.leng) +
             ", expected " + std::to_string(p.length);
    }
    if (!tables.is_live(entry.ithandle)) return function.name + ": table " + p.name + " has no valid internal table";
    if (entry.ithandle->line_length != p.length) {
      return function.name + ": the internal table of " + p.name + " has lines of " +
             std::to_string(entry.ithandle->line_length) + " bytes, " + p.structure + " needs " +
             std::to_string(p.length);
    }
    found.push_back(entry.ithandle);
  }
  return "";
}

std::string check_tables_to_send(const FunctionSignature& function, const std::vector<ITAB_H>& found) {
  for (std::size_t i = 0; i < found.size(); ++i) {
    const std::string& name = function.tables[i].name;
    if (found[i]->name != name) {
      return function.name + ": the internal table of " + name + " was created as \"" + found[i]->name +
             "\", not under the table's name";
    }
    if (!found[i]->lines.empty()) {
      return function.name + ": table " + name + " holds " + std::to_string(found[i]->lines.size()) +
             " lines; a table is sent empty";
    }
  }
  return "";
}

std::string check_tables_received(const FunctionSignature& function, const std::vector<ITAB_H>& sent,
                                  const std::vector<ITAB_H>& received) {
  for (std::size_t i = 0; i < received.size() && i < sent.size(); ++i) {
    if (received[i] != sent[i]) {
      return function.name + ": table " + function.tables[i].name +
             " is not the internal table sent with RfcCall";
    }
  }
  return "";
}

}  // namespace rfcsim
