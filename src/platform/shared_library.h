// Loading a shared library at run time and looking up its entry points.
#pragma once

#include <memory>
#include <string>

namespace keldar::platform {

class SharedLibrary {
 public:
  // Loads the library at `path` (a full path, or a bare file name for the
  // platform's normal search, which never takes the working directory: a
  // library planted there is not loaded). Returns null when it cannot be loaded; then
  // `problem`, when given, is empty if no such file was found, or says why
  // a file that was found could not be loaded (for example a library built
  // for another architecture).
  static std::unique_ptr<SharedLibrary> load(const std::string& path,
                                             std::string* problem = nullptr);

  ~SharedLibrary();
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  // Address of an exported symbol, or null when the library has none.
  void* symbol(const std::string& name) const;

 private:
  explicit SharedLibrary(void* handle) : handle_(handle) {}
  void* handle_;
};

}  // namespace keldar::platform
