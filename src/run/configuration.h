// What the start phase read from the files for a run.
#pragma once

#include <string>

#include "config/parameter_text.h"
#include "config/sensor_definition.h"
#include "config/system_profile.h"

namespace keldar {

struct Configuration {
  std::string profile_file_name;  // e.g. "PRD.P00", or the global file
  std::string program_directory;  // where the configuration files lie; may be empty
  bool global_run = false;        // the invocation's, or the global file named
  // The sensor's name in messages: the invocation's display name, or the
  // sensor file's lookup name when a global run reads "Velquist.Prf".
  std::string sensor_display_name;
  // The parameter text the run works with: the invocation's, or for a
  // named sensor its stored definition with the option suffix.
  ParameterText parameters;
  SystemProfile profile;  // empty for the global file, which holds no system
  SensorDefinition definition;
};

}  // namespace keldar
