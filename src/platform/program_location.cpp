#include "platform/program_location.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <vector>

namespace keldar::platform {

std::string executable_directory() {
  std::vector<char> buffer(4096);
#if defined(_WIN32)
  DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  if (n == 0 || n >= buffer.size()) return {};
  std::string path(buffer.data(), n);
  std::size_t cut = path.find_last_of("\\/");
#else
  ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return {};
  std::string path(buffer.data(), static_cast<std::size_t>(n));
  std::size_t cut = path.find_last_of('/');
#endif
  if (cut == std::string::npos) return {};
  return path.substr(0, cut + 1);
}

}  // namespace keldar::platform
