#include "connect_string.h"

#include "text.h"

#include <cctype>

namespace rfcsim {

std::map<std::string, std::string> parse_connect_string(const std::string& text) {
  std::map<std::string, std::string> result;
  std::size_t pos = 0;
  auto is_blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (true) {
    while (pos < text.size() && is_blank(text[pos])) ++pos;
    if (pos >= text.size()) break;
    std::size_t key_start = pos;
    while (pos < text.size() && text[pos] != '=' && !is_blank(text[pos])) ++pos;
    std::string key = text.substr(key_start, pos - key_start);
    if (pos >= text.size() || text[pos] != '=') {
      throw ConnectStringError("connect string: \"" + key + "\" is not of the form KEYWORD=value");
    }
    if (key.empty()) throw ConnectStringError("connect string: a value without keyword");
    key = upper(key);
    ++pos;  // '='
    std::string value;
    if (pos < text.size() && text[pos] == '"') {
      std::size_t close = text.find('"', pos + 1);
      if (close == std::string::npos) {
        throw ConnectStringError("connect string: the value of " + key + " has no closing quote");
      }
      value = text.substr(pos + 1, close - pos - 1);
      pos = close + 1;
    } else {
      std::size_t value_start = pos;
      while (pos < text.size() && !is_blank(text[pos])) ++pos;
      value = text.substr(value_start, pos - value_start);
    }
    result[key] = value;
  }
  return result;
}

}  // namespace rfcsim
