#include "fault_effect.h"

#include <algorithm>

#include "function_signatures.h"
#include "rfc/rfc_interface.h"
#include "structure_catalogue.h"

namespace rfcsim {
namespace {

bool contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// The message of an injected library-operation failure, per operation.
std::string library_message(const std::string& operation, const std::string& subject) {
  if (operation == "RfcInstallStructure") return "Structure " + subject + " cannot be installed";
  if (operation == "ItCreate") return "Memory insufficient for internal table " + subject;
  if (operation == "ItGetLine") return "Internal table " + subject + ": line cannot be read";
  return "Internal table " + subject + " cannot be deleted";
}

FaultEffect fatal_effect(const Fault& fault) {
  return {RFC_FAILURE, "", fault.key.empty() ? "RFC_ERROR_SYSTEM_FAILURE" : fault.key,
          fault.message.empty() ? "Fatal error in " + fault.fatal : fault.message, fault.fatal};
}

}  // namespace

bool is_fault_key(const std::string& key) {
  if (key == "open" || find_function(key) != nullptr) return true;
  std::size_t blank = key.find(' ');
  if (blank == std::string::npos) return false;
  const std::string operation = key.substr(0, blank), subject = key.substr(blank + 1);
  if (operation == "RfcCall") return find_function(subject) != nullptr;
  if (operation == "RfcInstallStructure") return find_structure(subject) != nullptr;
  if (operation == "ItCreate" || operation == "ItGetLine" || operation == "ItDelete") {
    return contains(table_parameter_names(), subject);
  }
  return false;
}

FaultEffect module_fault_effect(const Fault& fault, const std::string& module) {
  if (!fault.fatal.empty()) return fatal_effect(fault);
  FaultEffect e;
  e.code = fault.code;
  if (fault.code == RFC_OK) return e;
  if (fault.code == RFC_FAILURE) {
    e.key = fault.key.empty() ? "RFC_ERROR_COMMUNICATION" : fault.key;
    e.message = fault.message.empty() ? "Connection to partner broken" : fault.message;
    return e;
  }
  const bool system_failure = fault.code == RFC_SYS_EXCEPTION;
  e.exception = !fault.exception.empty() ? fault.exception : system_failure ? "SYSTEM_FAILURE" : "SIMULATED_FAULT";
  e.key = !fault.key.empty() ? fault.key : system_failure ? "RFC_ERROR_SYSTEM_FAILURE" : "RFC_ERROR_APPLICATION_EXCEPTION";
  e.message = fault.message.empty() ? module + ": exception " + e.exception : fault.message;
  return e;
}

FaultEffect library_fault_effect(const Fault& fault, const std::string& operation, const std::string& subject,
                                 bool code_counts) {
  if (!fault.fatal.empty()) return fatal_effect(fault);
  FaultEffect e;
  e.code = code_counts && fault.code != RFC_OK ? fault.code : RFC_FAILURE;
  e.key = fault.key.empty() ? "RFC_ERROR_PROGRAM" : fault.key;
  e.message = fault.message.empty() ? library_message(operation, subject) : fault.message;
  return e;
}

}  // namespace rfcsim
