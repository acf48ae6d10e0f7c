// The start phase: command line, files, profile and sensor definition.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "config/sensor_definition.h"
#include "config/system_profile.h"
#include "platform/file_system.h"
#include "run/run_state.h"

namespace keldar {

// Runs the start phase on the arguments after the program name: takes the
// command line apart, locates and reads the profile (the global file is
// neither read nor checked), checks it, reads the sensor file of a global
// run, applies a stored definition and extracts its keys. `state` must
// already carry the start time, banner, program path and output mode.
// Returns the message of the first start-phase error (1001 to 1007, 1019 to
// 1022); the run must then end with the error result.
std::optional<std::string> run_start_phase(const std::vector<std::string>& arguments,
                                           const platform::FileSystem& files, RunState& state,
                                           SystemProfile& profile, SensorDefinition& definition);

}  // namespace keldar
