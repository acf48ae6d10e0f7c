#include "config/profile_writer.h"

#include <algorithm>

#include "config/sensor_line.h"
#include "text/ascii.h"

namespace keldar {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool has_control_character(std::string_view text) {
  for (char c : text) {
    auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) return true;
  }
  return false;
}

}  // namespace

std::string profile_value_refusal(const ProfileKey& key, std::string_view value) {
  std::size_t maximum = std::min(key.width, kProfileValueMaximum);
  if (value.size() > maximum) {
    return std::string(key.label) + " allows at most " + std::to_string(maximum) +
           " characters, the value has " + std::to_string(value.size());
  }
  if (value.size() < key.minimum) {
    return std::string(key.label) + " needs at least " + std::to_string(key.minimum) +
           (key.minimum == 1 ? " character" : " characters");
  }
  if (has_control_character(value)) {
    return std::string(key.label) + " cannot hold a control character";
  }
  return {};
}

std::string local_sensor_refusal(const LocalSensor& sensor) {
  const std::string& name = sensor.name;
  if (name.empty() || name.size() > kSensorNameWidth) {
    return "a sensor name must have 1 to 10 characters: \"" + name + "\"";
  }
  if (name.front() == '#' || name.front() == '-' ||
      name.find_first_of(" ,=") != std::string::npos || has_control_character(name)) {
    return "the sensor name \"" + name +
           "\" cannot be given on the command line (no blank, \",\" or \"=\", and no "
           "\"#\" or \"-\" at the start)";
  }
  if (name.find_first_of("#@$%") != std::string::npos) {
    return "the sensor name \"" + name +
           "\" cannot hold \"#\", \"@\", \"$\" or \"%\": on the command line each of them "
           "switches the sensor to trace mode, and \"@\" also stops the search of the PRTG "
           "sensor directory";
  }
  if (sensor.definition.size() > kLocalSensorDefinitionMaximum) {
    return "the definition of sensor " + name + " has " +
           std::to_string(sensor.definition.size()) + " characters, at most " +
           std::to_string(kLocalSensorDefinitionMaximum) + " fit one line";
  }
  if (has_control_character(sensor.definition)) {
    return "the definition of sensor " + name + " cannot hold a control character";
  }
  if (text::to_upper_ascii(sensor.definition).find("MSET=") == std::string::npos) {
    return "the definition of sensor " + name +
           " must name its monitor set with \"MSET=\", or the sensor reports it as not found";
  }
  return {};
}

std::string format_profile(const SystemProfile& profile, std::string_view stored_password,
                           const std::vector<LocalSensor>& sensors) {
  std::string text;
  for (const ProfileKey& key : kProfileKeys) {
    std::string_view value =
        key.field == &SystemProfile::password ? stored_password : profile.*key.field;
    text += key.label;
    // An empty value leaves the label alone, without a trailing blank.
    if (!value.empty()) {
      text += ' ';
      text += value;
    }
    text += kLineEnd;
  }
  for (std::size_t i = 0; i < sensors.size(); ++i) {
    std::string name = sensors[i].name;
    name.resize(kSensorNameWidth, ' ');
    text += kLocalSensorKind;
    // Column 6 is free; numbering the lines helps a reader count them.
    text += static_cast<char>('0' + (i + 1) % 10);
    text += ": ";
    text += name;
    text += ' ';
    text += sensors[i].definition;
    text += kLineEnd;
  }
  return text;
}

}  // namespace keldar
