#include "record.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "rfc/rfc_interface.h"

namespace rfcsim {

Record::Record(const StructureDefinition& structure)
    : structure_(&structure), bytes_(structure.size, 0) {
  for (const FieldDefinition& f : structure.fields) {
    char fill = 0;
    switch (f.type) {
      case TYPC: fill = ' '; break;
      case TYPDATE:
      case TYPTIME:
      case TYPNUM: fill = '0'; break;
      default: continue;
    }
    std::memset(bytes_.data() + f.offset, fill, f.length);
  }
}

Record::Record(const StructureDefinition& structure, const void* bytes)
    : structure_(&structure), bytes_(structure.size, 0) {
  std::memcpy(bytes_.data(), bytes, structure.size);
}

const FieldDefinition& Record::require(std::string_view field) const {
  const FieldDefinition* f = structure_->field(field);
  if (f == nullptr) {
    throw std::logic_error(structure_->name + " has no field " + std::string(field));
  }
  return *f;
}

void Record::set_text(std::string_view field, std::string_view value) { set_text(require(field), value); }

void Record::set_int(std::string_view field, std::int32_t value) { set_int(require(field), value); }

void Record::set_text(const FieldDefinition& f, std::string_view value) {
  if (f.type == TYPINT) throw std::logic_error(f.name + " is an integer field");
  const std::size_t n = std::min<std::size_t>(value.size(), f.length);
  std::memcpy(bytes_.data() + f.offset, value.data(), n);
  std::memset(bytes_.data() + f.offset + n, ' ', f.length - n);
}

void Record::set_int(const FieldDefinition& f, std::int32_t value) {
  if (f.type != TYPINT) throw std::logic_error(f.name + " is not an integer field");
  std::memcpy(bytes_.data() + f.offset, &value, sizeof value);
}

std::string Record::text(std::string_view field) const {
  const FieldDefinition& f = require(field);
  return std::string(reinterpret_cast<const char*>(bytes_.data()) + f.offset, f.length);
}

std::string Record::trimmed(std::string_view field) const { return trim_right(text(field)); }

std::int32_t Record::integer(std::string_view field) const {
  const FieldDefinition& f = require(field);
  std::int32_t value = 0;
  std::memcpy(&value, bytes_.data() + f.offset, sizeof value);
  return value;
}

}  // namespace rfcsim
