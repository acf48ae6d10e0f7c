// Text inside an element of the XML form: always well-formed, and pure
// ASCII so that no decoder can reject it.
//
// Texts from SAP arrive in the 8-bit code page of the logon (Latin-1 for
// SAP's usual code page 1100), and the monitor decodes the document
// strictly in an encoding it does not declare. So every byte is written as
// ASCII:
//   "&", "<", ">"                 "&amp;", "&lt;", "&gt;"
//   0x00-0x1F (but TAB, LF, CR)   a blank
//   0x7F-0x9F                     a blank
//   0xA0-0xFF                     a numeric character reference, "&#228;" for "ä"
// Every other byte (printable ASCII, TAB, LF, CR) stays as it is.
#pragma once

#include <string>
#include <string_view>

namespace keldar {

std::string xml_text(std::string_view text);

}  // namespace keldar
