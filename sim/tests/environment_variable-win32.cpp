#include "environment_variable.h"

#include <cstdlib>

namespace rfcsim::testing {

bool set_environment_variable(const std::string& name, const std::string& value) {
  // The C runtime's own copy of the environment is what getenv reads; an
  // empty value removes the variable.
  return _putenv_s(name.c_str(), value.c_str()) == 0;
}

}  // namespace rfcsim::testing
