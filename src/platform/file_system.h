// Files and paths as the configuration names them.
//
// Configuration texts use Windows path names: drive letters, "\" as the
// directory separator, "\" at the start for the root of the current drive.
// On Windows they are used as they stand. On POSIX a drive letter ("C:\",
// "C:" or "C:/") and a leading "\" or "/" map to the root directory, which is
// "/" in production and injectable for tests, and every "\" becomes "/".
//
// Relative paths are taken relative to the working directory: the process's
// own in production, an injectable one for tests.
//
// Reading streams: no operation holds a whole file in memory, so a file
// that grows without bound (the RFC library's trace file, say) costs no
// more memory than a small one.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace keldar::platform {

// A file opened for reading, bytes unchanged.
class InputFile {
 public:
  explicit InputFile(std::FILE* file) : file_(file) {}
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // Reads up to `size` bytes into `buffer`: the number read, 0 at the end of
  // the file, a negative number when reading failed (a directory opened as
  // a file fails here on POSIX).
  std::ptrdiff_t read(char* buffer, std::size_t size);

 private:
  std::FILE* file_;
};

class FileSystem {
 public:
  struct Roots {
    // The directory that stands for the root of every drive on POSIX;
    // ignored on Windows.
    std::string posix_root = "/";
    // Relative paths are taken below it; empty: the process's working
    // directory.
    std::string working_directory;
  };

  FileSystem() : FileSystem(Roots()) {}
  explicit FileSystem(Roots roots);

  // The path to hand to the operating system.
  std::string native_path(std::string_view path) const;

  // The file opened for reading, or null when it cannot be opened.
  std::unique_ptr<InputFile> open(std::string_view path) const;

  // True when the file can be opened and its first byte read (an empty file
  // counts too): a directory or an unreadable file is no file to use.
  bool can_open(std::string_view path) const;

  // Creates or replaces a file with the given bytes; false on failure.
  bool write(std::string_view path, std::string_view content) const;

  // Appends bytes to a file, creating it when missing; false on failure.
  bool append(std::string_view path, std::string_view content) const;

  // Copies a file byte for byte, creating or replacing `to`; false when
  // `from` cannot be read or `to` cannot be written.
  bool copy(std::string_view from, std::string_view to) const;

  // Deletes a file; false when there was none or it could not be deleted.
  bool remove(std::string_view path) const;

 private:
  std::FILE* open_native(std::string_view path, const char* mode) const;

  Roots roots_;
};

// True for the directory separators of configuration paths on this
// platform: "\" everywhere, "/" as well on POSIX.
bool is_directory_separator(char c);

// True where drive letters and rooted paths map onto an injectable root
// (POSIX); false where they are the operating system's own (Windows).
bool maps_windows_paths();

}  // namespace keldar::platform
