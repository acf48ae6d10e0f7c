#include "config/system_profile.h"

#include "config/password.h"
#include "config/named_message.h"
#include "config/sensor_line.h"
#include "platform/text_lines.h"
#include "run/command_line.h"

namespace keldar {

const std::array<ProfileKey, 13> kProfileKeys = {{
    {"Extcompany.:", &SystemProfile::external_company, 63, 2},
    {"Destination:", &SystemProfile::destination, 15, 3},
    {"Client.....:", &SystemProfile::client, 15, 3},
    {"User.......:", &SystemProfile::user, 47, 2},
    {"Password...:", &SystemProfile::password, 31, 2},
    {"Language...:", &SystemProfile::language, 31, 1},
    {"Mode.......:", &SystemProfile::mode, 31, 3},
    {"Hostname...:", &SystemProfile::host_name, 35, 2},
    {"Sysnr......:", &SystemProfile::system_number, 31, 2},
    {"Gwhost.....:", &SystemProfile::gateway_host, 63, 2},
    {"Gwservice..:", &SystemProfile::gateway_service, 31, 2},
    {"Description:", &SystemProfile::description, 95, 0},
    {"DatClient..:", &SystemProfile::data_client, 31, 0},
}};

std::optional<std::string> read_profile(std::string_view content,
                                        std::string_view profile_file_name,
                                        std::string_view sensor_name, SystemProfile& profile,
                                        std::string& sensor_definition) {
  profile.description.clear();
  for (const std::string& line : platform::read_lines(content, kProfileLineMaximum)) {
    if (!sensor_name.empty()) {
      if (auto definition = sensor_line_text(line, "# Mon", sensor_name, 19)) {
        sensor_definition = *definition + " #";
        if (sensor_definition.size() > kSensorDefinitionWidth) {
          sensor_definition.resize(kSensorDefinitionWidth);
        }
      }
    }

    std::string_view label = std::string_view(line).substr(0, kProfileLabelWidth);
    for (const ProfileKey& key : kProfileKeys) {
      if (label != key.label) continue;
      std::string value = line.size() > kProfileValueColumn
                              ? line.substr(kProfileValueColumn, kProfileValueMaximum)
                              : std::string();
      if (key.field == &SystemProfile::user) value = to_upper_ascii(value);
      if (key.field == &SystemProfile::password) {
        DecodedPassword decoded = decode_password(value);
        if (decoded.status == PasswordStatus::invalid) {
          return named_message("Error 1004: Invalid Password in Profile ", profile_file_name,
                         " found...");
        }
        if (decoded.status == PasswordStatus::wrong) {
          return named_message("Error 1005: Wrong Password in Profile ", profile_file_name,
                         " found...");
        }
        value = std::move(decoded.password);
      }
      // A value wider than its field is cut, as a fixed-width field holds it.
      if (value.size() > key.width) value.resize(key.width);
      profile.*key.field = std::move(value);
      break;
    }
  }
  return std::nullopt;
}

std::optional<std::string> check_profile(const SystemProfile& profile,
                                         std::string_view profile_file_name) {
  if (profile.user.empty()) {
    return named_message("Error 1006: Username in Profile ", profile_file_name, " is missing...");
  }
  if (profile.password.empty()) {
    return named_message("Error 1007: Password in Profile ", profile_file_name, "\tis missing...");
  }
  for (const ProfileKey& key : kProfileKeys) {
    if ((profile.*key.field).size() < key.minimum) {
      return named_message("Error 1003: Invalid Parameter(s) at ", profile_file_name, " found...");
    }
  }
  return std::nullopt;
}

}  // namespace keldar
