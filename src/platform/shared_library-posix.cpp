#include <dlfcn.h>

#include "platform/shared_library.h"

namespace keldar::platform {

std::unique_ptr<SharedLibrary> SharedLibrary::load(const std::string& path,
                                                   std::string* problem) {
  if (problem != nullptr) problem->clear();
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* error = dlerror();
    std::string text = error != nullptr ? error : "";
    // The reason follows the path in dlerror's text; the message names the
    // library itself.
    if (text.rfind(path + ": ", 0) == 0) text.erase(0, path.size() + 2);
    if (problem != nullptr && text.find("No such file") == std::string::npos) *problem = text;
    return nullptr;
  }
  return std::unique_ptr<SharedLibrary>(new SharedLibrary(handle));
}

SharedLibrary::~SharedLibrary() { dlclose(handle_); }

void* SharedLibrary::symbol(const std::string& name) const { return dlsym(handle_, name.c_str()); }

}  // namespace keldar::platform
