// ASCII helpers for the parameter text and the configuration files: the
// program never depends on the C locale.
#pragma once

#include <string>
#include <string_view>

namespace keldar::text {

// Upper case of the letters a-z; every other byte stays as it is.
std::string to_upper_ascii(std::string_view text);

// True when `key` occurs anywhere in `text`.
inline bool contains(std::string_view text, std::string_view key) {
  return text.find(key) != std::string_view::npos;
}

// True when `text` begins with `prefix`.
inline bool starts_with(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

inline bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace keldar::text
