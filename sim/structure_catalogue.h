// The SAP dictionary structures that the simulated system exchanges over RFC,
// with their fields and the record layout the RFC library uses for them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rfcsim {

struct FieldDefinition {
  std::string name;
  unsigned type = 0;    // RFC type code: TYPC, TYPDATE, TYPTIME, TYPNUM or TYPINT
  unsigned length = 0;  // bytes in the record
  unsigned offset = 0;  // laid out by the record layout rule
};

struct StructureDefinition {
  std::string name;
  std::vector<FieldDefinition> fields;
  unsigned size = 0;  // record size in bytes, padding included

  // The field called `name`, or null.
  const FieldDefinition* field(std::string_view field_name) const;
};

// The structure called `name` (exact, upper case), or null when this system
// does not know it.
const StructureDefinition* find_structure(std::string_view name);

// Name of an elementary type code for messages ("TYPC", ..., "type 9").
std::string elementary_type_name(unsigned type);

}  // namespace rfcsim
