#include "config/system_profile.h"

#include "config/password.h"
#include "config/sensor_line.h"
#include "text/ascii.h"
#include "text/fixed_field.h"

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

ProfileRead read_profile(text::LineReader& lines, std::string_view sensor_name,
                         SystemProfile& profile, std::string& sensor_definition) {
  std::string line;
  while (lines.next(line)) {
    if (!sensor_name.empty()) {
      if (auto definition = sensor_line_text(line, kLocalSensorKind, sensor_name,
                                             kDefinitionColumn)) {
        sensor_definition = text::cut(*definition + " #", kSensorDefinitionWidth);
      }
    }

    std::string_view label = std::string_view(line).substr(0, kProfileLabelWidth);
    for (const ProfileKey& key : kProfileKeys) {
      if (label != key.label) continue;
      std::string value = line.size() > kProfileValueColumn
                              ? line.substr(kProfileValueColumn, kProfileValueMaximum)
                              : std::string();
      if (key.field == &SystemProfile::user) value = text::to_upper_ascii(value);
      if (key.field == &SystemProfile::password) {
        DecodedPassword decoded = decode_password(value);
        if (decoded.status == PasswordStatus::invalid) return ProfileRead::password_invalid;
        if (decoded.status == PasswordStatus::wrong) return ProfileRead::password_wrong;
        value = std::move(decoded.password);
      }
      // A value wider than its field is cut, as a fixed-width field holds it.
      profile.*key.field = text::cut(value, key.width);
      break;
    }
  }
  return lines.failed() ? ProfileRead::unreadable : ProfileRead::ok;
}

ProfileCheck check_profile(const SystemProfile& profile) {
  if (profile.user.empty()) return ProfileCheck::user_missing;
  if (profile.password.empty()) return ProfileCheck::password_missing;
  for (const ProfileKey& key : kProfileKeys) {
    if ((profile.*key.field).size() < key.minimum) return ProfileCheck::too_short;
  }
  return ProfileCheck::complete;
}

}  // namespace keldar
