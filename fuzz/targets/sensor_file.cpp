// The sensor files: "# Gblx" and "# Gblg" lines of "Velquist.Prf" and the
// global file, and the keys of the definition they store. The input's first
// line is the name the lines are searched under, the rest is the file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "config/config_lines.h"
#include "config/sensor_definition.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace keldar;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::size_t end = input.find('\n');
  std::string_view name = input.substr(0, end);
  std::string_view file = end == std::string_view::npos ? "" : input.substr(end + 1);

  auto lines = text::memory_reader(file, kConfigLineChars);
  SensorDefinition definition;
  if (!read_sensor_lines(lines, name, definition)) return 0;
  ParameterText parameters = apply_definition(definition.sensor_definition, ",SYSLOG");
  names_monitor_set(parameters);
  extract_keys(parameters, definition);
  return 0;
}
