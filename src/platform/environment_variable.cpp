#include "platform/environment_variable.h"

#include <cstdlib>

namespace keldar::platform {

bool set_environment_variable(const std::string& name, const std::string& value) {
#if defined(_WIN32)
  // The C runtime's own copy of the environment is what getenv reads.
  return _putenv_s(name.c_str(), value.c_str()) == 0;
#else
  if (value.empty()) return unsetenv(name.c_str()) == 0;
  return setenv(name.c_str(), value.c_str(), 1) == 0;
#endif
}

}  // namespace keldar::platform
