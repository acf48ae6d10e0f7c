// Writing system profiles in the fixed-column format the sensor reads.
//
// Key lines are "Label......: value": the 12-character label, one blank in
// column 13, the value from column 14. Local sensor lines are
// "# Mon1: NAME       DEFINITION": the name padded to 10 in columns 9-18,
// one blank in column 19, the definition from column 20. Every line ends
// with CR LF, which Windows editors keep and the sensor reads like LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/system_profile.h"

namespace keldar {

// A "# Mon" line: a local sensor of the system.
struct LocalSensor {
  std::string name;
  std::string definition;
};

// Longest definition that fits a "# Mon" line within one 199-character read.
inline constexpr std::size_t kLocalSensorDefinitionMaximum = 180;

// Why a value cannot be written for `key`, as a sentence for the user; empty
// when it can. A value must fit its field and one key line (at most 60
// characters), must reach the key's minimum and holds no control character.
std::string profile_value_refusal(const ProfileKey& key, std::string_view value);

// Why a local sensor cannot be written; empty when it can. The name must
// have 1 to 10 characters that the command line can carry as a sensor name
// (no blank, "," or "=", not starting with "-", and no "#", "@", "$" or "%",
// which turn trace mode on); the definition must name its monitor set with
// "MSET=" and fit one line.
std::string local_sensor_refusal(const LocalSensor& sensor);

// The profile text: every key line in format order, the password line
// holding `stored_password` (profile.password is not written), then one
// "# Mon" line per local sensor. Values are written as given.
std::string format_profile(const SystemProfile& profile, std::string_view stored_password,
                           const std::vector<LocalSensor>& sensors);

}  // namespace keldar
