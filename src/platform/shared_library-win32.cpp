#include <windows.h>

#include <string>
#include <vector>

#include "platform/shared_library.h"

namespace keldar::platform {

namespace {

bool is_absolute(const std::string& path) {
  return (path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/')) ||
         (path.size() >= 2 && (path[0] == '\\' || path[0] == '/') &&
          (path[1] == '\\' || path[1] == '/'));
}

bool is_file(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string joined(std::string directory, const std::string& name) {
  if (!directory.empty() && directory.back() != '\\' && directory.back() != '/') directory += '\\';
  return directory + name;
}

// The places Windows searches for a library by name, less the working
// directory and any relative PATH entry (which mean the working directory
// too): the system directory, the Windows directory, then PATH. The search
// is done here and the file loaded by its full path, because not every
// Windows (nor Wine) drops the working directory for SetDllDirectory("").
std::string find_on_search_path(const std::string& name) {
  std::vector<std::string> directories;
  std::string buffer(MAX_PATH, '\0');
  UINT n = GetSystemDirectoryA(buffer.data(), MAX_PATH);
  if (n > 0 && n < MAX_PATH) directories.push_back(buffer.substr(0, n));
  n = GetWindowsDirectoryA(buffer.data(), MAX_PATH);
  if (n > 0 && n < MAX_PATH) directories.push_back(buffer.substr(0, n));
  DWORD size = GetEnvironmentVariableA("PATH", nullptr, 0);
  if (size > 0) {
    std::string path(size, '\0');
    DWORD got = GetEnvironmentVariableA("PATH", path.data(), size);
    path.resize(got < size ? got : 0);
    size_t start = 0;
    while (start <= path.size()) {
      size_t end = path.find(';', start);
      if (end == std::string::npos) end = path.size();
      std::string entry = path.substr(start, end - start);
      if (entry.size() >= 2 && entry.front() == '"' && entry.back() == '"') {
        entry = entry.substr(1, entry.size() - 2);
      }
      if (is_absolute(entry)) directories.push_back(entry);
      start = end + 1;
    }
  }
  for (const std::string& directory : directories) {
    std::string candidate = joined(directory, name);
    if (is_file(candidate)) return candidate;
  }
  return "";
}

}  // namespace

std::unique_ptr<SharedLibrary> SharedLibrary::load(const std::string& path,
                                                   std::string* problem) {
  if (problem != nullptr) problem->clear();
  // The working directory is whatever the monitor starts the program in;
  // it leaves the search for good, so that nothing planted there is loaded.
  SetDllDirectoryA("");
  std::string file = path;
  if (path.find_first_of("\\/:") == std::string::npos) {
    file = find_on_search_path(path);
    if (file.empty()) return nullptr;
  }
  // No error dialog box on a probe: a missing library is an error result.
  UINT old_mode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE module = LoadLibraryA(file.c_str());
  DWORD error = module == nullptr ? GetLastError() : 0;
  SetErrorMode(old_mode);
  if (module == nullptr) {
    if (problem != nullptr && error != ERROR_MOD_NOT_FOUND && error != ERROR_FILE_NOT_FOUND &&
        error != ERROR_PATH_NOT_FOUND) {
      // The usual cause on a probe: a 32-bit DLL beside a 64-bit program or
      // the other way round.
      *problem = error == ERROR_BAD_EXE_FORMAT
                     ? "it is no valid library for this program (32/64-bit mismatch, or damaged)"
                     : "Windows error " + std::to_string(error);
    }
    return nullptr;
  }
  return std::unique_ptr<SharedLibrary>(new SharedLibrary(reinterpret_cast<void*>(module)));
}

SharedLibrary::~SharedLibrary() { FreeLibrary(reinterpret_cast<HMODULE>(handle_)); }

void* SharedLibrary::symbol(const std::string& name) const {
  return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(handle_), name.c_str()));
}

}  // namespace keldar::platform
