#include <unistd.h>

#include <vector>

#include "platform/program_location.h"

namespace keldar::platform {

std::string executable_directory() {
  std::vector<char> buffer(4096);
  ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return {};
  std::string path(buffer.data(), static_cast<std::size_t>(n));
  std::size_t cut = path.find_last_of('/');
  if (cut == std::string::npos) return {};
  return path.substr(0, cut + 1);
}

}  // namespace keldar::platform
