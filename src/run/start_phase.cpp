#include "run/start_phase.h"

#include "config/config_lines.h"
#include "config/file_locations.h"

namespace keldar {

std::optional<Failure> profile_failure(ProfileRead read, std::string_view shown_name) {
  switch (read) {
    case ProfileRead::ok: return std::nullopt;
    case ProfileRead::password_invalid: return failure(Message::password_invalid, {shown_name});
    case ProfileRead::password_wrong: return failure(Message::password_wrong, {shown_name});
    case ProfileRead::unreadable: return failure(Message::profile_missing, {shown_name});
  }
  return std::nullopt;
}

std::optional<Failure> profile_failure(ProfileCheck check, std::string_view shown_name) {
  switch (check) {
    case ProfileCheck::complete: return std::nullopt;
    case ProfileCheck::user_missing: return failure(Message::user_missing, {shown_name});
    case ProfileCheck::password_missing: return failure(Message::password_missing, {shown_name});
    case ProfileCheck::too_short: return failure(Message::invalid_parameters, {shown_name});
  }
  return std::nullopt;
}

std::variant<Configuration, Failure> run_start_phase(const Invocation& invocation,
                                                     const platform::FileSystem& files) {
  Configuration config;
  const bool search = invocation.output_mode == OutputMode::EXEXML &&
                      !invocation.parameters.has("@");
  ProfileLocation location = locate_profile(files, invocation.profile_argument, search);
  if (location.file == nullptr) return failure(Message::profile_missing, {location.shown_name});
  config.profile_file_name = location.file_name;
  config.program_directory = location.program_directory;
  config.global_run = invocation.global_run || location.global;
  config.sensor_display_name = invocation.sensor_display_name;
  config.parameters = invocation.parameters;

  text::LineReader lines = config_lines(*location.file);
  if (config.profile_file_name == kGlobalSensorFile) {
    // The global file holds sensors, not a system: it is only proved
    // readable here, and its sensor lines are read below.
    std::string line;
    while (lines.next(line)) {
    }
    if (lines.failed()) return failure(Message::profile_missing, {location.shown_name});
  } else {
    ProfileRead read = read_profile(lines, invocation.sensor_name, config.profile,
                                    config.definition.sensor_definition);
    if (read == ProfileRead::unreadable) {
      return failure(Message::profile_missing, {location.shown_name});
    }
    if (auto error = profile_failure(read, config.profile_file_name)) return *error;
    if (auto error = profile_failure(check_profile(config.profile), config.profile_file_name)) {
      return *error;
    }
  }
  location.file.reset();

  if (config.global_run) {
    SensorFile sensor_file = sensor_file_for(config.parameters, config.profile_file_name,
                                             config.sensor_display_name);
    if (sensor_file.file_name == kSensorFile) {
      config.sensor_display_name = sensor_file.lookup_name;
    }
    if (!read_sensor_file(files, config.program_directory + sensor_file.file_name,
                          sensor_file.lookup_name, config.definition)) {
      return failure(Message::sensor_file_missing, {sensor_file.file_name});
    }
  }
  if (!invocation.sensor_name.empty()) {
    config.parameters =
        apply_definition(config.definition.sensor_definition, invocation.option_suffix);
    if (!names_monitor_set(config.parameters)) {
      return failure(config.global_run ? Message::global_sensor_not_found
                                       : Message::local_sensor_not_found,
                     {config.sensor_display_name});
    }
  }
  extract_keys(config.parameters, config.definition);
  return config;
}

}  // namespace keldar
