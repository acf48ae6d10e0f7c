#include "run/start_phase.h"

#include "config/file_locations.h"
#include "run/command_line.h"

namespace keldar {

std::optional<std::string> run_start_phase(const std::vector<std::string>& arguments,
                                           const platform::FileSystem& files, RunState& state,
                                           SystemProfile& profile, SensorDefinition& definition) {
  if (auto error = parse_command_line(arguments, state)) return error;

  std::string content;
  if (auto error = locate_profile(files, state, content)) return error;
  if (state.profile_file_name != kGlobalSensorFile) {
    if (auto error = read_profile(content, state.profile_file_name, state.sensor_name, profile,
                                  definition.sensor_definition)) {
      return error;
    }
    if (auto error = check_profile(profile, state.profile_file_name)) return error;
  }

  if (state.global_run) {
    if (auto error = read_sensor_file(files, state, definition)) return error;
  }
  if (!state.sensor_name.empty()) {
    if (auto error = apply_definition(state, definition)) return error;
  }
  extract_keys(state, definition);
  return std::nullopt;
}

}  // namespace keldar
