// The strict checks of a call against a function module's interface: every
// parameter's name, name length, type and length, and every table's line
// structure. A mismatch is described by a message naming the item.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "function_signatures.h"
#include "rfc/rfc_interface.h"
#include "structure_catalogue.h"

namespace rfcsim {

// The structure behind an installed type handle, or null.
using TypeLookup = std::function<const StructureDefinition*(RFC_TYPEHANDLE)>;

// Checks a parameter list (null = empty) ending with a null name against
// `expected`. `direction` ("exporting" or "importing") is used in messages;
// `mandatory` requires every non-optional parameter. On success returns ""
// and fills `found` (parameter name -> entry); otherwise the message.
std::string check_parameters(const FunctionSignature& function,
                             const std::vector<ParameterSignature>& expected,
                             const RFC_PARAMETER* list, const char* direction, bool mandatory,
                             const TypeLookup& lookup,
                             std::map<std::string, const RFC_PARAMETER*>& found);

// Checks a table list likewise: known name, exact name length, the type
// handle of the line structure, a live internal table whose line length is
// the structure's record size, and the entry's own length when it is given.
// Tables may be left out.
std::string check_tables(const FunctionSignature& function, const RFC_TABLE* list,
                         const TypeLookup& lookup, std::map<std::string, ITAB_H>& found);

}  // namespace rfcsim
