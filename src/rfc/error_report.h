// The RFC error report: what the program prints when the RFC library itself
// fails, before it ends with exit status 1.
//
// The library calls its error handler with nothing but the name of the
// failing operation, so the report reaches the library through the one
// process-wide pointer that install_error_report sets.
#pragma once

#include <string>
#include <string_view>

#include "rfc/rfc_library.h"

namespace keldar {

// The block, eight lines:
//   "RFC error"
//   "operation/code  : <operation>"
//   "key             : <key>"         the library's last error
//   "status          : <status>"
//   "message         : <message>"
//   "internal status : <internal status>"
//   ""
//   "* Programm aborted..."
// Fields are read up to their NUL byte or their width, whichever comes first.
std::string rfc_error_block(std::string_view operation, const RFC_ERROR_INFO& last_error);

// "%*.0s" then "%-*s : %s\n": `indent` blanks, the label left-aligned in
// `width` characters, " : ", the value.
std::string labelled_line(std::string_view label, int indent, int width, std::string_view value);

// Lets the report reach `api`, which must outlive the process's RFC work.
void install_error_report(const RfcApi& api);

// Prints the block for `operation` with the library's last error, closes
// every connection and ends the process with exit status 1. Requires
// install_error_report.
[[noreturn]] void rfc_error_report(std::string_view operation);

// The same with the library's error-handler signature, for RfcEnvironment.
extern "C" void KELDAR_RFC_API rfc_error_handler(RFC_CHAR* operation);

// Registers rfc_error_handler with the library (RFC_ENV: error handler, no
// allocator).
void register_error_handler(const RfcApi& api);

}  // namespace keldar
