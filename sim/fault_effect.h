// What a fault declared in the landscape does to the operation it targets.
// A system's "faults" are keyed by the operation:
//
//   "open"                          every open of the system
//   "<MODULE>"                      RfcReceive of the module, after the module ran
//   "RfcCall <MODULE>"              RfcCall of the module, after the call checks
//   "RfcInstallStructure <STRUCT>"  installing that structure
//   "ItCreate <TABLE>", "ItGetLine <TABLE>", "ItDelete <TABLE>"
//                                   those operations on tables of that name
//
// The library operations without a connection handle (RfcInstallStructure
// and the It* operations) take the faults of the system of the most
// recently opened connection that is still open.
#pragma once

#include <string>

#include "landscape.h"

namespace rfcsim {

// True when `key` is a fault key this system knows: "open", a function
// module, or one of the prefixed keys above with a known module, structure
// or table parameter name.
bool is_fault_key(const std::string& key);

struct FaultEffect {
  int code = 0;           // result code; 0: the operation goes on, only delayed
  std::string exception;  // exception text for codes other than 0 and 1
  std::string key;        // error key for RfcLastError
  std::string message;    // message for RfcLastError and the trace file
  std::string fatal;      // operation name for the error handler; empty: none

  // The exception field of the call-log line: "fatal <operation>" or the
  // exception text.
  std::string log_exception() const { return fatal.empty() ? exception : "fatal " + fatal; }
};

// The effect of a function-module fault at RfcCall or RfcReceive, with the
// defaults filled in.
FaultEffect module_fault_effect(const Fault& fault, const std::string& module);

// The effect of a fault of a library operation (RfcInstallStructure,
// ItCreate, ItGetLine, ItDelete) on `subject` (structure or table name).
// Such a fault always fails the operation: with its code (default 1) when
// `code_counts`, otherwise with 1.
FaultEffect library_fault_effect(const Fault& fault, const std::string& operation, const std::string& subject,
                                 bool code_counts);

}  // namespace rfcsim
