#include "destination_file.h"

#include <cctype>
#include <sstream>

#include "text.h"

namespace rfcsim {
namespace {

std::string trim(const std::string& text) {
  std::size_t begin = text.find_first_not_of(" \t\r");
  if (begin == std::string::npos) return "";
  std::size_t end = text.find_last_not_of(" \t\r");
  return text.substr(begin, end - begin + 1);
}

}  // namespace

std::string Destination::key(const std::string& keyword) const {
  auto it = keys.find(keyword);
  return it == keys.end() ? std::string() : it->second;
}

std::optional<Destination> find_destination(const std::string& file_text, const std::string& name) {
  std::istringstream lines(file_text);
  std::string line;
  std::optional<Destination> current;
  const std::string wanted = upper(trim(name));
  while (std::getline(lines, line)) {
    line = trim(line);
    if (line.empty() || line[0] == '*' || line[0] == '#') continue;
    std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string key = upper(trim(line.substr(0, eq)));
    std::string value = trim(line.substr(eq + 1));
    if (key == "DEST") {
      if (current && upper(current->name) == wanted) return current;
      current = Destination{value, {}};
    }
    if (current) current->keys[key] = value;
  }
  if (current && upper(current->name) == wanted) return current;
  return std::nullopt;
}

}  // namespace rfcsim
