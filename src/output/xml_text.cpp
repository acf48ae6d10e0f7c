#include "output/xml_text.h"

namespace keldar {

std::string xml_text(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    auto u = static_cast<unsigned char>(c);
    switch (c) {
      case '&': out += "&amp;"; continue;
      case '<': out += "&lt;"; continue;
      case '>': out += "&gt;"; continue;
      case '\t':
      case '\n':
      case '\r': out += c; continue;
      default: break;
    }
    if (u < 0x20 || (u >= 0x7F && u <= 0x9F)) {
      out += ' ';
    } else if (u >= 0xA0) {
      out += "&#";
      out += std::to_string(u);
      out += ';';
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace keldar
