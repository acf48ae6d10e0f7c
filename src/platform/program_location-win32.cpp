#include <windows.h>

#include <vector>

#include "platform/program_location.h"

namespace keldar::platform {

std::string executable_directory() {
  std::vector<char> buffer(4096);
  DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  if (n == 0 || n >= buffer.size()) return {};
  std::string path(buffer.data(), n);
  std::size_t cut = path.find_last_of("\\/");
  if (cut == std::string::npos) return {};
  return path.substr(0, cut + 1);
}

}  // namespace keldar::platform
