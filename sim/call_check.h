// The strict checks of a call against a function module's interface. A
// list must hold exactly the module's parameters (or tables), all of them,
// in the order of its signature; every entry's name, name length, type and
// length must fit. A mismatch is described by a message naming the item.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "function_signatures.h"
#include "internal_table.h"
#include "rfc/rfc_interface.h"
#include "structure_catalogue.h"

namespace rfcsim {

// The structure behind an installed type handle, or null.
using TypeLookup = std::function<const StructureDefinition*(RFC_TYPEHANDLE)>;

// Checks a parameter list (null = empty) ending with a null name against
// `expected`. `direction` ("exporting" or "importing") is used in messages.
// On success returns "" and fills `found` with the entries, which then
// stand in the order of `expected`; otherwise the message.
std::string check_parameters(const FunctionSignature& function,
                             const std::vector<ParameterSignature>& expected,
                             const RFC_PARAMETER* list, const char* direction,
                             const TypeLookup& lookup, std::vector<const RFC_PARAMETER*>& found);

// Checks that no character value of the exporting entries `found` (as
// check_parameters returned them) holds a NUL byte: character values and
// the character, date, time and numeric-text fields of structures are
// blank- or zero-padded fixed-width fields.
std::string check_character_values(const FunctionSignature& function,
                                   const std::vector<const RFC_PARAMETER*>& found,
                                   const TypeLookup& lookup);

// Checks a table list likewise: exactly the module's tables in order, each
// with the exact name length, the type handle of the line structure, a
// live internal table whose line length is the structure's record size,
// and the entry's own length when it is given. Fills `found` with the
// internal tables in the order of the module's tables.
std::string check_tables(const FunctionSignature& function, const RFC_TABLE* list,
                         const TypeLookup& lookup, const InternalTables& tables,
                         std::vector<ITAB_H>& found);

// What RfcCall requires of its tables beyond check_tables: each internal
// table was created under its table parameter's name and is empty.
std::string check_tables_to_send(const FunctionSignature& function, const std::vector<ITAB_H>& found);

// What RfcReceive requires beyond check_tables: the very internal tables
// that were sent with the RfcCall it answers.
std::string check_tables_received(const FunctionSignature& function, const std::vector<ITAB_H>& sent,
                                  const std::vector<ITAB_H>& received);

}  // namespace rfcsim
