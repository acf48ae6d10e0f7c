#include "environment_variable.h"

#include <cstdlib>

namespace rfcsim::testing {

bool set_environment_variable(const std::string& name, const std::string& value) {
  if (value.empty()) return unsetenv(name.c_str()) == 0;
  return setenv(name.c_str(), value.c_str(), 1) == 0;
}

}  // namespace rfcsim::testing
