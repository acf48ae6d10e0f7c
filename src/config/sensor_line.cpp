#include "config/sensor_line.h"

#include "text/ascii.h"
#include "text/fixed_field.h"

namespace keldar {

std::optional<std::string> sensor_line_text(std::string_view line, std::string_view kind,
                                            std::string_view lookup_name,
                                            std::size_t text_column) {
  // A line too short to hold the whole name field cannot match a name, which
  // is blank-padded to its full width.
  if (line.size() < kSensorNameColumn + kSensorNameWidth) return std::nullopt;
  if (line.substr(0, kind.size()) != kind ||
      line.substr(kSensorKindWidth, kSensorNameColumn - kSensorKindWidth) != ": ") {
    return std::nullopt;
  }
  std::string name = text::fit(text::to_upper_ascii(lookup_name), kSensorNameWidth);
  if (text::to_upper_ascii(line.substr(kSensorNameColumn, kSensorNameWidth)) != name) {
    return std::nullopt;
  }
  return line.size() > text_column ? std::string(line.substr(text_column)) : std::string();
}

}  // namespace keldar
