// A record of an SAP structure as the RFC library lays it out in memory:
// character, date, time and numeric-text fields fixed-width without a
// terminator, integers in machine byte order, padding bytes zero.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "structure_catalogue.h"
#include "text.h"

namespace rfcsim {

class Record {
 public:
  // A record with every field at its initial value: blanks in character
  // fields, zeros in date, time and numeric-text fields, 0 in integers.
  explicit Record(const StructureDefinition& structure);

  // A record read from `size` bytes at `bytes` (as many bytes as the
  // structure has; the caller guarantees them).
  Record(const StructureDefinition& structure, const void* bytes);

  // Sets a text field: cut to its width, blank-padded. An unknown field
  // name or an integer field is a programming error and throws.
  void set_text(std::string_view field, std::string_view value);
  void set_int(std::string_view field, std::int32_t value);
  // The same for a field of this record's structure already looked up, for
  // records filled by the thousand.
  void set_text(const FieldDefinition& field, std::string_view value);
  void set_int(const FieldDefinition& field, std::int32_t value);

  // The field's bytes as they stand, and with trailing blanks removed.
  std::string text(std::string_view field) const;
  std::string trimmed(std::string_view field) const;
  std::int32_t integer(std::string_view field) const;

  const StructureDefinition& structure() const { return *structure_; }
  const std::vector<unsigned char>& bytes() const { return bytes_; }
  std::vector<unsigned char> take_bytes() { return std::move(bytes_); }

 private:
  const FieldDefinition& require(std::string_view field) const;

  const StructureDefinition* structure_;
  std::vector<unsigned char> bytes_;
};

}  // namespace rfcsim
