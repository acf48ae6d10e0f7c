#include "platform/file_system.h"

namespace keldar::platform {

bool is_directory_separator(char c) { return c == '\\' || c == '/'; }

bool maps_windows_paths() { return true; }

std::string FileSystem::native_path(std::string_view path) const {
  // A drive letter ("C:", "C:\", "C:/") and a leading separator both stand
  // for the root; whatever follows is relative to it.
  bool rooted = false;
  if (path.size() >= 2 && path[1] == ':' &&
      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'))) {
    path.remove_prefix(2);
    rooted = true;
  }
  if (!path.empty() && is_directory_separator(path.front())) rooted = true;
  if (rooted) {
    while (!path.empty() && is_directory_separator(path.front())) path.remove_prefix(1);
  }
  std::string native;
  if (rooted) {
    native = roots_.posix_root;
  } else if (!roots_.working_directory.empty()) {
    native = roots_.working_directory;
    if (native.back() != '/') native += '/';
  }
  for (char c : path) native += (c == '\\') ? '/' : c;
  return native;
}

}  // namespace keldar::platform
