#include "config/sensor_definition.h"

#include <array>

#include "config/config_lines.h"
#include "config/sensor_line.h"
#include "config/system_profile.h"
#include "text/ascii.h"
#include "text/fixed_field.h"

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

std::string key_value(const ParameterText& parameters, const Key& key, std::size_t start) {
  const std::string& upper = parameters.upper;
  const std::string& verbatim = parameters.verbatim;
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

// The connection overrides, taken by the rule of the keys.
constexpr Key kHostOverride = {",HOST=", nullptr, 90, ColonRule::every};
constexpr Key kSystemNumberOverride = {",NO=", nullptr, 90, ColonRule::every};
constexpr Key kTimeout = {",TIMEOUT=", nullptr, 90, ColonRule::every};
constexpr int kLongestTimeout = 3600;
constexpr std::size_t kHostWidth = 35;
constexpr std::size_t kSystemNumberWidth = 31;

std::optional<std::string> override_value(const ParameterText& parameters, const Key& key,
                                          std::size_t width) {
  std::size_t found = parameters.upper.find(key.keyword);
  if (found == std::string::npos) return std::nullopt;
  return text::cut(key_value(parameters, key, found + key.keyword.size()), width);
}

std::optional<int> timeout_value(const ParameterText& parameters) {
  std::optional<std::string> text = override_value(parameters, kTimeout, 4);
  if (!text || text->empty()) return std::nullopt;
  int seconds = 0;
  for (char c : *text) {
    if (!text::is_digit(c)) return std::nullopt;
    seconds = seconds * 10 + (c - '0');
  }
  if (seconds < 1 || seconds > kLongestTimeout) return std::nullopt;
  return seconds;
}

}  // namespace

SensorFile sensor_file_for(const ParameterText& parameters, std::string_view profile_file_name,
                           std::string_view sensor_display_name) {
  if (parameters.has("MSET=")) {
    return {std::string(kSensorFile), std::string(kSensorFileLookupName)};
  }
  return {std::string(profile_file_name), std::string(sensor_display_name)};
}

bool read_sensor_file(const platform::FileSystem& files, const std::string& path,
                      std::string_view lookup_name, SensorDefinition& definition) {
  definition.system_list.clear();
  std::unique_ptr<platform::InputFile> file = files.open(path);
  if (file == nullptr) return false;
  text::LineReader lines = config_lines(*file);
  return read_sensor_lines(lines, lookup_name, definition);
}

bool read_sensor_lines(text::LineReader& lines, std::string_view lookup_name,
                       SensorDefinition& definition) {
  std::string line;
  while (lines.next(line)) {
    if (auto text = sensor_line_text(line, kGlobalDefinitionKind, lookup_name,
                                     kDefinitionColumn)) {
      definition.sensor_definition = text::cut(*text, kSensorDefinitionWidth);
    } else if (auto list = sensor_line_text(line, kGlobalSystemsKind, lookup_name,
                                            kSystemListColumn)) {
      definition.system_list += *list;
    }
  }
  return !lines.failed();
}

ParameterText apply_definition(std::string_view sensor_definition,
                               std::string_view option_suffix) {
  std::string verbatim(sensor_definition);
  return {text::to_upper_ascii(verbatim + std::string(option_suffix)), verbatim};
}

bool names_monitor_set(const ParameterText& parameters) { return parameters.has("MSET="); }

void extract_keys(const ParameterText& parameters, SensorDefinition& definition) {
  // The keys depend on the parameter text alone.
  for (const Field& field : kFieldWidths) (definition.*field.field).clear();
  for (const Key& key : kKeys) {
    std::size_t found = parameters.upper.find(key.keyword);
    if (found == std::string::npos) continue;
    definition.*key.field = key_value(parameters, key, found + key.keyword.size());
  }
  // The extraction maximum can exceed a field's width; the field keeps what
  // fits.
  for (const Field& field : kFieldWidths) {
    std::string& value = definition.*field.field;
    value = text::cut(value, field.width);
  }
  std::string& selection = definition.selection_value;
  if (selection.size() < kSelectionDigits) {
    selection.insert(0, kSelectionDigits - selection.size(), '0');
  }
  definition.host_override = override_value(parameters, kHostOverride, kHostWidth);
  definition.system_number_override =
      override_value(parameters, kSystemNumberOverride, kSystemNumberWidth);
  definition.timeout_seconds = timeout_value(parameters);
}

}  // namespace keldar
