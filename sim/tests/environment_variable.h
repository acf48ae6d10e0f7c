// Setting an environment variable of the test process, so that the
// simulated library loaded into it reads the variable with getenv.
#pragma once

#include <string>

namespace rfcsim::testing {

// Sets `name` to `value`; an empty value removes the variable. False on failure.
bool set_environment_variable(const std::string& name, const std::string& value);

}  // namespace rfcsim::testing
