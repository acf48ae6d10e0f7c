#include "call_check.h"

#include "internal_table.h"

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

// Checks the name and name length of an entry; "" or the message.
std::string check_name(const FunctionSignature& function, const char* what, const void* raw,
                       unsigned nlen, std::string& name) {
  name = bounded_name(raw);
  if (name.size() == kMaxName) return function.name + ": a " + what + " name is not terminated";
  if (nlen != name.size()) {
    return function.name + ": " + what + " " + name + ": name length " + std::to_string(nlen) +
           " given, the name has " + std::to_string(name.size()) + " characters";
  }
  return "";
}

bool type_matches(const ParameterSignature& p, RFC_TYPEHANDLE type, const TypeLookup& lookup) {
  const StructureDefinition* s = lookup(type);
  if (p.structure.empty()) return s == nullptr && type == p.type;
  return s != nullptr && s->name == p.structure;
}

}  // namespace

std::string check_parameters(const FunctionSignature& function,
                             const std::vector<ParameterSignature>& expected,
                             const RFC_PARAMETER* list, const char* direction, bool mandatory,
                             const TypeLookup& lookup,
                             std::map<std::string, const RFC_PARAMETER*>& found) {
  found.clear();
  for (std::size_t i = 0; list != nullptr && list[i].name != nullptr; ++i) {
    if (i == kMaxEntries) return function.name + ": the " + direction + " list has no end";
    const RFC_PARAMETER& entry = list[i];
    std::string name;
    std::string error = check_name(function, "parameter", entry.name, entry.nlen, name);
    if (!error.empty()) return error;
    const ParameterSignature* p = find(expected, name);
    if (p == nullptr) return function.name + " has no " + direction + " parameter " + name;
    if (found.count(name) != 0) return function.name + ": parameter " + name + " is given twice";
    if (!type_matches(*p, entry.type, lookup)) {
      return function.name + ": parameter " + name + " has " + type_text(entry.type, lookup) +
             ", expected " + expected_type_text(*p, lookup);
    }
    if (entry.leng != p->length) {
      return function.name + ": parameter " + name + " has length " + std::to_string(entry.leng) +
             ", expected " + std::to_string(p->length);
    }
    if (entry.addr == nullptr) return function.name + ": parameter " + name + " has no value address";
    found[name] = &entry;
  }
  if (mandatory) {
    for (const ParameterSignature& p : expected) {
      if (!p.optional && found.count(p.name) == 0) {
        return function.name + ": " + direction + " parameter " + p.name + " is missing";
      }
    }
  }
  return "";
}

std::string check_tables(const FunctionSignature& function, const RFC_TABLE* list,
                         const TypeLookup& lookup, std::map<std::string, ITAB_H>& found) {
  found.clear();
  for (std::size_t i = 0; list != nullptr && list[i].name != nullptr; ++i) {
    if (i == kMaxEntries) return function.name + ": the table list has no end";
    const RFC_TABLE& entry = list[i];
    std::string name;
    std::string error = check_name(function, "table", entry.name, entry.nlen, name);
    if (!error.empty()) return error;
    const ParameterSignature* p = find(function.tables, name);
    if (p == nullptr) return function.name + " has no table " + name;
    if (found.count(name) != 0) return function.name + ": table " + name + " is given twice";
    if (!type_matches(*p, entry.type, lookup)) {
      return function.name + ": table " + name + " has lines of " + type_text(entry.type, lookup) +
             ", expected " + expected_type_text(*p, lookup);
    }
    if (entry.leng != 0 && entry.leng != p->length) {
      return function.name + ": table " + name + " has line length " + std::to_string(entry.leng) +
             ", expected " + std::to_string(p->length);
    }
    if (!is_live_table(entry.ithandle)) {
      return function.name + ": table " + name + " has no valid internal table";
    }
    if (entry.ithandle->line_length != p->length) {
      return function.name + ": the internal table of " + name + " has lines of " +
             std::to_string(entry.ithandle->line_length) + " bytes, " + p->structure + " needs " +
             std::to_string(p->length);
    }
    found[name] = entry.ithandle;
  }
  return "";
}

}  // namespace rfcsim
