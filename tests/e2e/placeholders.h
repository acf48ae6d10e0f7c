// The runner's placeholders in case texts: {{tab}}, {{cr}}, {{byte:XX}},
// {{rfclib}}, {{exe}}, {{scramble:PASSWORD}}, {{scramble-wrongsum:PASSWORD}};
// {{any}} is kept for the pattern matcher.
#pragma once

#include <functional>
#include <string>

namespace keldar::e2e {

struct PlaceholderContext {
  bool windows = false;  // the programs are Windows builds (.exe, librfc32.dll)
  // The stored form of a password, as keldar-profile writes it.
  std::function<std::string(const std::string& password)> scramble;
};

// `text` with every placeholder replaced; throws std::runtime_error for an
// unknown or unclosed one.
std::string expand_placeholders(const std::string& text, const PlaceholderContext& context);

}  // namespace keldar::e2e
