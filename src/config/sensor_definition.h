// Sensor definitions: stored local ("# Mon") and global ("# Gblx", "# Gblg")
// sensors, and the definition keys extracted from the parameter text.
#pragma once

#include <optional>
#include <string>

#include "platform/file_system.h"
#include "run/run_state.h"

namespace keldar {

struct SensorDefinition {
  std::string sensor_definition;            // 623, from "# Mon" (with " #") or "# Gblx"
  std::string monitor_set_name;             // 95, "MONITOR-SET=" / "MSET="
  std::string monitor_name;                 // 95, "MONITOR-TREE=" / "MONITOR="
  std::string selection_value = "0000000000";  // 31, zero-padded to 10
  std::string global_grade_value;           // 95, ",GBLGRD=" / ",GBLVAL="
  std::string node_id_text;                 // 63, "ID="
  std::string system_list;                  // "PRD.P00#QAS.P00#"
};

// Global runs: reads the sensor file ("Velquist.Prf" with "MSET=", else the
// profile file) from the program directory. Returns the message of error
// 1020 when it cannot be opened.
std::optional<std::string> read_sensor_file(const platform::FileSystem& files,
                                            RunState& state, SensorDefinition& definition);

// Runs with a sensor name: the parameter texts become the stored definition
// (plus the option suffix in the working copy). Returns the message of error
// 1021 or 1022 when the result holds no "MSET=".
std::optional<std::string> apply_definition(RunState& state,
                                            const SensorDefinition& definition);

// All runs: fills the definition keys from the parameter texts.
void extract_keys(const RunState& state, SensorDefinition& definition);

}  // namespace keldar
