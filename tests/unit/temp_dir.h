// A temporary directory for one test, removed with everything in it.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace keldar::testing {

class TempDir {
 public:
  TempDir() {
    std::random_device device;
    path_ = std::filesystem::temp_directory_path() /
            ("keldar-test-" + std::to_string(device()) + "-" + std::to_string(device()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // The directory in the platform's own notation, ending with its
  // separator, e.g. for an injected root.
  std::string root() const { return (path_ / "").string(); }

  // Writes `content` to `relative` below the directory, creating parents.
  void write(const std::string& relative, const std::string& content) const {
    std::filesystem::path file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << content;
  }

  // The bytes of `relative` below the directory; empty when it is missing.
  std::string read(const std::string& relative) const {
    std::ifstream in(path_ / relative, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

 private:
  std::filesystem::path path_;
};

}  // namespace keldar::testing
