// The library's trace file "Dev_Rfc.Trc" in the working directory. Every
// failure appends one error block:
//
//   **** ERROR file opened at 20240612 101500
//   T:1234 Error in program 'rfcsim': <operation> (<key>)
//   T:1234 ======> <message>
//
// The thread number is left-aligned in four characters, so that the marker
// "======> " stands at characters 8 to 15 of its line; readers take the text
// behind the last marker of the last block as the reason of the failure.
#pragma once

#include <string>

namespace rfcsim {

inline constexpr const char* kTraceFileName = "Dev_Rfc.Trc";

// Appends an error block. A message of several lines gives one marker line
// per line. Failing to write the file is not an error of the call.
void write_error_block(const std::string& operation, const std::string& key,
                       const std::string& message);

}  // namespace rfcsim
