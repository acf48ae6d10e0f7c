#include "platform/shared_library.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace keldar::platform {

std::unique_ptr<SharedLibrary> SharedLibrary::load(const std::string& path) {
#if defined(_WIN32)
  // No error dialog box on a probe: a missing library is an error result.
  UINT old_mode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE module = LoadLibraryA(path.c_str());
  SetErrorMode(old_mode);
  if (module == nullptr) return nullptr;
  return std::unique_ptr<SharedLibrary>(new SharedLibrary(reinterpret_cast<void*>(module)));
#else
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) return nullptr;
  return std::unique_ptr<SharedLibrary>(new SharedLibrary(handle));
#endif
}

SharedLibrary::~SharedLibrary() {
#if defined(_WIN32)
  FreeLibrary(reinterpret_cast<HMODULE>(handle_));
#else
  dlclose(handle_);
#endif
}

void* SharedLibrary::symbol(const std::string& name) const {
#if defined(_WIN32)
  return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(handle_), name.c_str()));
#else
  return dlsym(handle_, name.c_str());
#endif
}

}  // namespace keldar::platform
