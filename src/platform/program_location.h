// Where the running program lies.
#pragma once

#include <string>

namespace keldar::platform {

// Directory of the running executable, ending with the platform's directory
// separator; empty when it cannot be determined.
std::string executable_directory();

}  // namespace keldar::platform
