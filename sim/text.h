// Text helpers of the simulated system: SAP compares names in upper case
// and without trailing blanks, and fills fields blank-padded.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rfcsim {

// Upper case of the ASCII letters.
std::string upper(std::string_view text);

// Text with trailing blanks removed.
std::string trim_right(std::string_view text);

// Text cut or blank-padded to `width`.
std::string pad(std::string_view text, std::size_t width);

}  // namespace rfcsim
