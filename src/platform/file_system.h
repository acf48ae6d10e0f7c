// Files and paths as the configuration names them.
//
// Configuration texts use Windows path names: drive letters, "\" as the
// directory separator, "\" at the start for the root of the current drive.
// On Windows they are used as they stand. On POSIX a drive letter ("C:\",
// "C:" or "C:/") and a leading "\" or "/" map to the root directory, which is
// "/" in production and injectable for tests, and every "\" becomes "/".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace keldar::platform {

class FileSystem {
 public:
  // posix_root: the directory that stands for the root of every drive on
  // POSIX; ignored on Windows. It should end with "/".
  explicit FileSystem(std::string posix_root = "/");

  // The path to hand to the operating system.
  std::string native_path(std::string_view path) const;

  // Whole content of a file opened for reading, bytes unchanged; nullopt
  // when it cannot be opened (missing, a directory, no permission).
  std::optional<std::string> read(std::string_view path) const;

  // True when the file can be opened for reading.
  bool can_open(std::string_view path) const;

  // Creates or replaces a file with the given bytes; false on failure.
  bool write(std::string_view path, std::string_view content) const;

  // Deletes a file; false when there was none or it could not be deleted.
  bool remove(std::string_view path) const;

 private:
  std::string posix_root_;
};

// True for the directory separators of configuration paths on this
// platform: "\" everywhere, "/" as well on POSIX.
bool is_directory_separator(char c);

}  // namespace keldar::platform
