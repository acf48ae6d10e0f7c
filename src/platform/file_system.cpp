#include "platform/file_system.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <utility>

namespace keldar::platform {

bool is_directory_separator(char c) {
#if defined(_WIN32)
  return c == '\\';
#else
  return c == '\\' || c == '/';
#endif
}

FileSystem::FileSystem(std::string posix_root) : posix_root_(std::move(posix_root)) {
  if (posix_root_.empty() || posix_root_.back() != '/') posix_root_ += '/';
}

std::string FileSystem::native_path(std::string_view path) const {
#if defined(_WIN32)
  return std::string(path);
#else
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
  std::string native = rooted ? posix_root_ : std::string();
  for (char c : path) native += (c == '\\') ? '/' : c;
  return native;
#endif
}

std::optional<std::string> FileSystem::read(std::string_view path) const {
  std::ifstream in(native_path(path), std::ios::binary);
  if (!in) return std::nullopt;
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // A directory opens on some platforms but cannot be read.
  if (in.bad()) return std::nullopt;
  return content;
}

bool FileSystem::can_open(std::string_view path) const {
  std::FILE* f = std::fopen(native_path(path).c_str(), "rb");
  if (f == nullptr) return false;
  // fopen succeeds on a directory under glibc; reading tells them apart.
  std::fgetc(f);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

bool FileSystem::write(std::string_view path, std::string_view content) const {
  std::ofstream out(native_path(path), std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  out.close();
  return static_cast<bool>(out);
}

bool FileSystem::remove(std::string_view path) const {
  return std::remove(native_path(path).c_str()) == 0;
}

}  // namespace keldar::platform
