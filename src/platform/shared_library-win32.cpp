#include <windows.h>

#include "platform/shared_library.h"

namespace keldar::platform {

std::unique_ptr<SharedLibrary> SharedLibrary::load(const std::string& path,
                                                   std::string* problem) {
  if (problem != nullptr) problem->clear();
  // The working directory is whatever the monitor starts the program in;
  // it leaves the search for good, so that nothing planted there is loaded.
  SetDllDirectoryA("");
  // No error dialog box on a probe: a missing library is an error result.
  UINT old_mode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE module = LoadLibraryA(path.c_str());
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
