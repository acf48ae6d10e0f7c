#include "placeholders.h"

#include <stdexcept>

namespace keldar::e2e {

std::string expand_placeholders(const std::string& text, const PlaceholderContext& context) {
  std::string out;
  std::size_t pos = 0;
  while (true) {
    std::size_t open = text.find("{{", pos);
    if (open == std::string::npos) break;
    std::size_t close = text.find("}}", open);
    if (close == std::string::npos) throw std::runtime_error("unclosed {{ in: " + text);
    out += text.substr(pos, open - pos);
    std::string name = text.substr(open + 2, close - open - 2);
    if (name == "tab") {
      out += '\t';
    } else if (name == "cr") {
      out += '\r';
    } else if (name == "rfclib") {
      out += context.windows ? "librfc32.dll" : "librfccm.so";
    } else if (name.rfind("byte:", 0) == 0 && name.size() == 7) {
      out += static_cast<char>(std::stoi(name.substr(5), nullptr, 16));
    } else if (name == "any") {
      out += "{{any}}";  // a wildcard of pattern expectations, kept for the matcher
    } else if (name == "exe") {
      out += context.windows ? ".exe" : "";
    } else if (name.rfind("scramble:", 0) == 0) {
      out += context.scramble(name.substr(9));
    } else if (name.rfind("scramble-wrongsum:", 0) == 0) {
      // The first stored character carries the checksum digit (XOR a key
      // byte); flipping its lowest bit turns that digit into another digit.
      std::string stored = context.scramble(name.substr(18));
      stored[0] = static_cast<char>(stored[0] ^ 1);
      out += stored;
    } else {
      throw std::runtime_error("unknown placeholder {{" + name + "}}");
    }
    pos = close + 2;
  }
  return out + text.substr(pos);
}

}  // namespace keldar::e2e
