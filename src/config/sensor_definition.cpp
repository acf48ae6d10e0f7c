#include "config/sensor_definition.h"

#include <array>

#include "config/named_message.h"
#include "config/sensor_line.h"
#include "config/system_profile.h"
#include "platform/text_lines.h"
#include "run/command_line.h"

namespace keldar {

namespace {

enum class ColonRule {
  every,        // every ":" becomes a blank
  unless_next,  // ":" becomes a blank unless the next character is ":" too
};

struct Key {
  std::string_view keyword;
  std::string SensorDefinition::*field;
  std::size_t maximum;
  ColonRule colons;
};

// In order: a later keyword that is present replaces what an earlier one
// wrote.
constexpr std::array<Key, 11> kKeys = {{
    {"MONITOR-SET=", &SensorDefinition::monitor_set_name, 90, ColonRule::every},
    {"MSET=", &SensorDefinition::monitor_set_name, 90, ColonRule::every},
    {"MONITOR-TREE=", &SensorDefinition::monitor_name, 80, ColonRule::every},
    {"MONITOR=", &SensorDefinition::monitor_name, 90, ColonRule::unless_next},
    {",VALUE=", &SensorDefinition::selection_value, 90, ColonRule::every},
    {",RANGE=", &SensorDefinition::selection_value, 90, ColonRule::every},
    {",GROUP=", &SensorDefinition::selection_value, 90, ColonRule::every},
    {",GRADE=", &SensorDefinition::selection_value, 90, ColonRule::every},
    {",GBLGRD=", &SensorDefinition::global_grade_value, 90, ColonRule::every},
    {",GBLVAL=", &SensorDefinition::global_grade_value, 90, ColonRule::every},
    {"ID=", &SensorDefinition::node_id_text, 90, ColonRule::unless_next},
}};

struct Field {
  std::string SensorDefinition::*field;
  std::size_t width;
};

constexpr std::array<Field, 5> kFieldWidths = {{
    {&SensorDefinition::monitor_set_name, 95},
    {&SensorDefinition::monitor_name, 95},
    {&SensorDefinition::selection_value, 31},
    {&SensorDefinition::global_grade_value, 95},
    {&SensorDefinition::node_id_text, 63},
}};

constexpr std::size_t kSelectionDigits = 10;

std::string key_value(const RunState& state, const Key& key, std::size_t start) {
  const std::string& upper = state.parameter_text;
  const std::string& verbatim = state.verbatim_parameter_text;
  std::string value;
  // The working copy can run longer than the verbatim copy (the option
  // suffix is appended to it alone); a value ends where the verbatim text
  // ends, since there is nothing to copy beyond it.
  for (std::size_t i = start; i < upper.size() && i < verbatim.size() &&
                              value.size() < key.maximum;
       ++i) {
    if (upper[i] == ' ' || upper[i] == ',') break;
    char c = verbatim[i];
    if (c == ':') {
      bool keep = key.colons == ColonRule::unless_next && i + 1 < verbatim.size() &&
                  verbatim[i + 1] == ':';
      if (!keep) c = ' ';
    }
    value += c;
  }
  return value;
}

}  // namespace

std::optional<std::string> read_sensor_file(const platform::FileSystem& files,
                                            RunState& state, SensorDefinition& definition) {
  std::string file = state.profile_file_name;
  if (state.parameter_text.find("MSET=") != std::string::npos) {
    file = kSensorFile;
    state.sensor_display_name = kSensorFileLookupName;
  }
  const std::string& lookup_name = state.sensor_display_name;

  definition.system_list.clear();
  std::optional<std::string> content = files.read(state.program_directory + file);
  if (!content) return named_message("Error 1020: File ", file, " is missing...");

  for (const std::string& line : platform::read_lines(*content, kProfileLineMaximum)) {
    if (auto text = sensor_line_text(line, "# Gblx", lookup_name, 19)) {
      definition.sensor_definition = text->substr(0, kSensorDefinitionWidth);
    } else if (auto list = sensor_line_text(line, "# Gblg", lookup_name, 20)) {
      definition.system_list += *list;
    }
  }
  return std::nullopt;
}

std::optional<std::string> apply_definition(RunState& state,
                                            const SensorDefinition& definition) {
  if (state.sensor_name.empty()) return std::nullopt;
  state.parameter_text = to_upper_ascii(definition.sensor_definition + state.option_suffix);
  state.verbatim_parameter_text = definition.sensor_definition;
  if (state.parameter_text.find("MSET=") != std::string::npos) return std::nullopt;
  return state.global_run
             ? named_message("Error 1022: Global Sensor ", state.sensor_display_name, " not found !")
             : named_message("Error 1021: Local Sensor ", state.sensor_display_name, " not found !");
}

void extract_keys(const RunState& state, SensorDefinition& definition) {
  // The keys depend on the parameter text alone.
  for (const Field& field : kFieldWidths) (definition.*field.field).clear();
  for (const Key& key : kKeys) {
    std::size_t found = state.parameter_text.find(key.keyword);
    if (found == std::string::npos) continue;
    definition.*key.field = key_value(state, key, found + key.keyword.size());
  }
  // The extraction maximum can exceed a field's width; the field keeps what
  // fits.
  for (const Field& field : kFieldWidths) {
    std::string& value = definition.*field.field;
    if (value.size() > field.width) value.resize(field.width);
  }
  std::string& selection = definition.selection_value;
  if (selection.size() < kSelectionDigits) {
    selection.insert(0, kSelectionDigits - selection.size(), '0');
  }
}

}  // namespace keldar
