// Setting an environment variable of the running process, so that code in
// the same process (including libraries it has loaded) reads it with getenv.
#pragma once

#include <string>

namespace keldar::platform {

// Sets `name` to `value`; an empty value removes the variable. False on failure.
bool set_environment_variable(const std::string& name, const std::string& value);

}  // namespace keldar::platform
