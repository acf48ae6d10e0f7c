// The call log a landscape may ask for ("call_log": file name): one line per
// open, function-module round trip and close, appended as it happens:
//
//   <handle> <operation> [<name>=<value> ...] rc=<code> [exception=<text>]
//
// <operation> is RfcOpen, RfcOpenEx, RfcClose or the function module's name.
// Values with blanks are written in double quotes; trailing blanks are
// removed. A failed open has the handle 0.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace rfcsim {

using LogFields = std::vector<std::pair<std::string, std::string>>;

// Appends one line to `file`; does nothing when `file` is empty.
void log_call(const std::string& file, unsigned handle, const std::string& operation,
              const LogFields& fields, int code, const std::string& exception = "");

}  // namespace rfcsim
