// The start phase: files, profile and sensor definition.
#pragma once

#include <optional>
#include <string_view>
#include <variant>

#include "platform/file_system.h"
#include "run/configuration.h"
#include "run/failure.h"
#include "run/invocation.h"

namespace keldar {

// Locates and reads the profile (the global file is neither read nor
// checked), checks it, reads the sensor file of a global run, applies a
// stored definition and extracts its keys. Fails with the first start-phase
// error (1002 to 1007, 1020 to 1022).
std::variant<Configuration, Failure> run_start_phase(const Invocation& invocation,
                                                     const platform::FileSystem& files);

// The failure of a profile whose read or check did not pass; none for
// ProfileRead::ok with ProfileCheck::complete. `shown_name` is the name the
// message carries.
std::optional<Failure> profile_failure(ProfileRead read, std::string_view shown_name);
std::optional<Failure> profile_failure(ProfileCheck check, std::string_view shown_name);

}  // namespace keldar
