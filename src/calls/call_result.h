// The outcome of a function-module driver, and the frame every driver uses.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "rfc/function_call.h"

namespace keldar {

// What a driver call came to: the library's result code and, for every code
// but 0, the text the run appends to its result ("Error 1014: RFC-Failure
// raised !", ...).
struct CallResult {
  int code = RFC_OK;
  std::string error_text;
  bool ok() const { return code == RFC_OK; }
};

// The error texts of a failed call: the standard ones (1012 to 1015), or
// those of the XMI logon and logoff, which name the session's interface and
// version.
struct ErrorTexts {
  bool xmi = false;
  std::string_view interface;
  std::string_view version;
};

// The text for `code` (empty for 0); `exception` is the library's text for
// codes 2 and 3.
std::string call_error_text(int code, std::string_view exception, const ErrorTexts& texts);

// The driver's frame: calls `module` with `exporting` through the generic
// driver and turns the code into a CallResult; `read` sees a successful
// answer.
CallResult drive(const RfcSession& session, const FunctionModule& module,
                 std::vector<std::string> exporting,
                 const std::function<void(const Answer&)>& read,
                 const ErrorTexts& texts = ErrorTexts());

// EXTERNAL_USER_NAME: the profile's user, cut or blank-padded to 16.
std::string external_user_name(std::string_view user);

}  // namespace keldar
