#include "platform/file_system.h"

namespace keldar::platform {

bool is_directory_separator(char c) { return c == '\\'; }

bool maps_windows_paths() { return false; }

std::string FileSystem::native_path(std::string_view path) const {
  bool absolute = (!path.empty() && (path[0] == '\\' || path[0] == '/')) ||
                  (path.size() >= 2 && path[1] == ':');
  if (absolute || roots_.working_directory.empty()) return std::string(path);
  std::string native = roots_.working_directory;
  if (native.back() != '\\' && native.back() != '/') native += '\\';
  native += path;
  return native;
}

}  // namespace keldar::platform
