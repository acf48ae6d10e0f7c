// Sensor definitions: stored local ("# Mon") and global ("# Gblx", "# Gblg")
// sensors, and the definition keys extracted from the parameter text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "run/run_state.h"

namespace keldar {

// The sensor file of global runs whose parameter text holds "MSET=", and the
// sensor name it is searched under.
inline constexpr std::string_view kSensorFile = "Velquist.Prf";
inline constexpr std::string_view kSensorFileLookupName = "Velquist";

struct SensorDefinition {
  std::string sensor_definition;            // 623, from "# Mon" (with " #") or "# Gblx"
  std::string monitor_set_name;             // 95, "MONITOR-SET=" / "MSET="
  std::string monitor_name;                 // 95, "MONITOR-TREE=" / "MONITOR="
  std::string selection_value = "0000000000";  // 31, zero-padded to 10
  std::string global_grade_value;           // 95, ",GBLGRD=" / ",GBLVAL="
  std::string node_id_text;                 // 63, "ID="
  std::string system_list;                  // "PRD.P00#QAS.P00#"
};

// Global runs: reads the sensor file ("Velquist.Prf" with "MSET=" in the
// parameter text, whose lookup name then becomes the display name; else the
// profile file) from the program directory. The lookup name is the display
// name. A matching "# Gblx" line replaces the sensor definition; matching
// "# Gblg" lines are appended to the system list in file order. Returns the
// message of error 1020 when the file cannot be opened.
std::optional<std::string> read_sensor_file(const platform::FileSystem& files,
                                            RunState& state, SensorDefinition& definition);

// Runs with a sensor name (nothing happens without one): the working copy
// becomes the stored definition plus the option suffix in upper case, the
// verbatim copy the definition alone. Returns the message of error 1021
// (local) or 1022 (global) when the working copy holds no "MSET=".
std::optional<std::string> apply_definition(RunState& state,
                                            const SensorDefinition& definition);

// All runs: fills the definition keys from the parameter texts. Each keyword
// is found in the working copy; its value runs to the next blank or comma,
// the end of the text or the keyword's maximum, whichever comes first, is
// copied from the verbatim copy at the same positions with ":" turned into
// a blank, and is cut to its field's width. The selection value is padded
// with "0" on the left to ten characters.
void extract_keys(const RunState& state, SensorDefinition& definition);

}  // namespace keldar
