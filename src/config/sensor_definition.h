// Sensor definitions: stored local ("# Mon") and global ("# Gblx", "# Gblg")
// sensors, and the definition keys extracted from the parameter text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/parameter_text.h"
#include "platform/file_system.h"
#include "text/line_reader.h"

namespace keldar {

// The sensor file of global runs whose parameter text holds "MSET=", and the
// sensor name it is searched under.
inline constexpr std::string_view kSensorFile = "Velquist.Prf";
inline constexpr std::string_view kSensorFileLookupName = "Velquist";

// Value of the selection keys when none is given: no target node.
inline constexpr std::string_view kNoSelection = "0000000000";

struct SensorDefinition {
  std::string sensor_definition;  // 623, from "# Mon" (with " #") or "# Gblx"
  std::string system_list;        // "PRD.P00#QAS.P00#", from "# Gblg" lines
  // The keys, extracted from the parameter text.
  std::string monitor_set_name;                        // 95, "MONITOR-SET=" / "MSET="
  std::string monitor_name;                            // 95, "MONITOR-TREE=" / "MONITOR="
  std::string selection_value = std::string(kNoSelection);  // 31, zero-padded to 10
  std::string global_grade_value;                      // 95, ",GBLGRD=" / ",GBLVAL="
  std::string node_id_text;                            // 63, "ID="
  // Connection variants: the host name and system number to use instead of
  // the profile's.
  std::optional<std::string> host_override;           // 35, ",HOST="
  std::optional<std::string> system_number_override;  // 31, ",NO="
  // ",TIMEOUT=": the seconds the whole run may take, 1 to 3600; none when
  // absent or not such a number.
  std::optional<int> timeout_seconds;
};

// The sensor file of a global run and the name its lines are searched
// under: "Velquist.Prf" and "Velquist" when the parameter text holds
// "MSET=", otherwise the profile file and the sensor display name.
struct SensorFile {
  std::string file_name;
  std::string lookup_name;
};
SensorFile sensor_file_for(const ParameterText& parameters, std::string_view profile_file_name,
                           std::string_view sensor_display_name);

// Reads the sensor file at `path`: a "# Gblx" line for `lookup_name`
// replaces the sensor definition, matching "# Gblg" lines are appended to
// the system list (emptied first) in file order. False when the file cannot
// be opened or read (error 1020).
bool read_sensor_file(const platform::FileSystem& files, const std::string& path,
                      std::string_view lookup_name, SensorDefinition& definition);

// The same for lines already open; false after a read error.
bool read_sensor_lines(text::LineReader& lines, std::string_view lookup_name,
                       SensorDefinition& definition);

// The parameter text of a named sensor: the working copy is the stored
// definition plus the option suffix in upper case, the verbatim copy the
// definition alone.
ParameterText apply_definition(std::string_view sensor_definition, std::string_view option_suffix);

// A definition is found only when it names its monitor set with "MSET="
// (errors 1021 and 1022 otherwise).
bool names_monitor_set(const ParameterText& parameters);

// Fills the definition keys from the parameter text. Each keyword is found
// in the working copy; its value runs to the next blank or comma, the end of
// the text or the keyword's maximum, whichever comes first, is copied from
// the verbatim copy at the same positions with ":" turned into a blank, and
// is cut to its field's width. The selection value is padded with "0" on the
// left to ten characters. ",HOST=" and ",NO=" give the connection overrides
// and ",TIMEOUT=" the run's time limit by the same rule.
void extract_keys(const ParameterText& parameters, SensorDefinition& definition);

}  // namespace keldar
