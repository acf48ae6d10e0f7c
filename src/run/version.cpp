#include "run/version.h"

// The build defines both for this file alone (cmake/version_info.cmake), so
// a new version recompiles nothing else.
#ifndef KELDAR_VERSION
#error "KELDAR_VERSION is set by the build (cmake/version.cmake)"
#endif

namespace keldar {

std::string_view program_version() { return KELDAR_VERSION; }

std::string_view release_date() { return KELDAR_RELEASE_DATE; }

std::string version_text() {
  return "Vers " + std::string(program_version()) + " / " + std::string(release_date());
}

}  // namespace keldar
