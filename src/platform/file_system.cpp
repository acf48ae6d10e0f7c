#include "platform/file_system.h"

#include <utility>

namespace keldar::platform {

InputFile::~InputFile() { std::fclose(file_); }

std::ptrdiff_t InputFile::read(char* buffer, std::size_t size) {
  std::size_t n = std::fread(buffer, 1, size, file_);
  if (n == 0 && std::ferror(file_)) return -1;
  return static_cast<std::ptrdiff_t>(n);
}

FileSystem::FileSystem(Roots roots) : roots_(std::move(roots)) {
  if (roots_.posix_root.empty() || roots_.posix_root.back() != '/') roots_.posix_root += '/';
}

std::FILE* FileSystem::open_native(std::string_view path, const char* mode) const {
  return std::fopen(native_path(path).c_str(), mode);
}

std::unique_ptr<InputFile> FileSystem::open(std::string_view path) const {
  std::FILE* f = open_native(path, "rb");
  if (f == nullptr) return nullptr;
  return std::make_unique<InputFile>(f);
}

bool FileSystem::can_open(std::string_view path) const {
  std::unique_ptr<InputFile> file = open(path);
  char byte;
  return file != nullptr && file->read(&byte, 1) >= 0;
}

namespace {

bool put(std::FILE* f, std::string_view content) {
  if (f == nullptr) return false;
  bool ok = std::fwrite(content.data(), 1, content.size(), f) == content.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace

bool FileSystem::write(std::string_view path, std::string_view content) const {
  return put(open_native(path, "wb"), content);
}

bool FileSystem::append(std::string_view path, std::string_view content) const {
  return put(open_native(path, "ab"), content);
}

bool FileSystem::copy(std::string_view from, std::string_view to) const {
  std::unique_ptr<InputFile> in = open(from);
  if (in == nullptr) return false;
  std::FILE* out = open_native(to, "wb");
  if (out == nullptr) return false;
  char buffer[4096];
  bool ok = true;
  for (;;) {
    std::ptrdiff_t n = in->read(buffer, sizeof buffer);
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    if (std::fwrite(buffer, 1, static_cast<std::size_t>(n), out) != static_cast<std::size_t>(n)) {
      ok = false;
      break;
    }
  }
  return std::fclose(out) == 0 && ok;
}

bool FileSystem::remove(std::string_view path) const {
  return std::remove(native_path(path).c_str()) == 0;
}

}  // namespace keldar::platform
