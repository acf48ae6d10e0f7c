#include "code_page.h"

namespace rfcsim {

std::string to_latin1(std::string_view utf8) {
  std::string result;
  result.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3
                                                                   : (lead & 0xF8) == 0xF0 ? 4 : 0;
    bool valid = length != 0 && i + length <= utf8.size();
    unsigned long code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      valid = (next & 0xC0) == 0x80;
      code = code << 6 | (next & 0x3F);
    }
    if (!valid) {
      // A stray byte stands for one unknown character; resynchronise behind it.
      result += '#';
      ++i;
      continue;
    }
    result += code <= 0xFF ? static_cast<char>(code) : '#';
    i += length;
  }
  return result;
}

}  // namespace rfcsim
