// The interfaces of the function modules that the simulated system offers:
// per module its exporting and importing parameters and its tables, as the
// caller must describe them to the RFC library. Each list is in the order
// the caller must send it, and every parameter of it must be sent.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rfcsim {

struct ParameterSignature {
  std::string name;
  unsigned type = 0;      // elementary RFC type code when `structure` is empty
  std::string structure;  // structure name for structured parameters
  unsigned length = 0;    // bytes of the value (structure: record size)
};

struct FunctionSignature {
  std::string name;
  std::vector<ParameterSignature> exporting;  // sent by the caller
  std::vector<ParameterSignature> importing;  // received by the caller
  std::vector<ParameterSignature> tables;     // structure and line length
};

// The function module called `name`, or null when the system has none.
const FunctionSignature* find_function(std::string_view name);

// Names of all function modules, in alphabetical order.
std::vector<std::string> function_names();

// Names of the table parameters of all function modules, in alphabetical
// order without repeats.
std::vector<std::string> table_parameter_names();

}  // namespace rfcsim
