// The version of this build and its release date, as cmake/version.cmake
// sets them.
#pragma once

#include <string>
#include <string_view>

namespace keldar {

// The version, e.g. "4.3".
std::string_view program_version();

// The release date, "DD.MM.YY".
std::string_view release_date();

// Both as the banner of trace mode shows them: "Vers 4.3 / 29.08.22".
std::string version_text();

}  // namespace keldar
