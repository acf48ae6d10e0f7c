// The logon code page of the simulated system. The landscape file is UTF-8,
// but the non-Unicode RFC library delivers texts in the code page of the
// logon, here Latin-1 (SAP code page 1100): one byte per character.
#pragma once

#include <string>
#include <string_view>

namespace rfcsim {

// `utf8` in Latin-1: characters U+0000..U+00FF become their one byte, every
// other character (and every byte that is not valid UTF-8) becomes "#".
std::string to_latin1(std::string_view utf8);

}  // namespace rfcsim
