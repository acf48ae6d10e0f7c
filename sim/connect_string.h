// The connect string of RfcOpenEx: blank-separated KEYWORD=value pairs,
// keywords in any case, a value containing blanks enclosed in double
// quotes ("CLIENT=100 USER=X PASSWD=Y LANG=D DEST=PRD").
#pragma once

#include <map>
#include <stdexcept>
#include <string>

namespace rfcsim {

class ConnectStringError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Keyword (upper case) -> value. A later keyword replaces an earlier one.
// Throws ConnectStringError for a pair without "=", an empty keyword or an
// unterminated quote.
std::map<std::string, std::string> parse_connect_string(const std::string& text);

}  // namespace rfcsim
