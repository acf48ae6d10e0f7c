// The system profile: how to reach one SAP system, and its local sensors.
//
// Key lines: a 12-character label in columns 1-12 (exact, case-sensitive),
// column 13 not examined, the value from column 14, at most 60 characters,
// not trimmed, then cut to the field's width. Local sensor lines: "# Mon" in
// columns 1-5, any character in column 6, ": " in columns 7-8, the sensor
// name in columns 9-18, any character in column 19, the definition from
// column 20. Lines are read in pieces of at most 199 characters; LF and CR LF
// line ends read alike; later lines replace earlier ones; other lines are
// ignored.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace keldar {

struct SystemProfile {
  std::string external_company;  // "Extcompany.:"  63
  std::string destination;       // "Destination:"  15
  std::string client;            // "Client.....:"  15
  std::string user;              // "User.......:"  47, upper case
  std::string password;          // "Password...:"  31, decoded
  std::string language;          // "Language...:"  31
  std::string mode;              // "Mode.......:"  31
  std::string host_name;         // "Hostname...:"  35
  std::string system_number;     // "Sysnr......:"  31
  std::string gateway_host;      // "Gwhost.....:"  63
  std::string gateway_service;   // "Gwservice..:"  31
  std::string description;       // "Description:"  95
  std::string data_client;       // "DatClient..:"  31
};

// One key line of the profile: its label, the field it fills, the field's
// width and the shortest value check_profile accepts (0: no minimum).
struct ProfileKey {
  std::string_view label;
  std::string SystemProfile::*field;
  std::size_t width;
  std::size_t minimum;
};

// The key lines in the order of the profile format.
extern const std::array<ProfileKey, 13> kProfileKeys;

// Column layout shared by the reader and the writer of profiles.
inline constexpr std::size_t kProfileLabelWidth = 12;
inline constexpr std::size_t kProfileValueColumn = 13;   // 0-based start of the value
inline constexpr std::size_t kProfileValueMaximum = 60;  // characters taken per value
inline constexpr std::size_t kProfileLineMaximum = 199;  // characters per read
inline constexpr std::size_t kSensorDefinitionWidth = 623;

// Reads profile text into `profile`. The description is emptied first; the
// other fields keep their values unless the text sets them, so a caller that
// reads one profile on its own passes a fresh record. When `sensor_name` is
// not empty (upper
// case, blank-padded to at least 10), a "# Mon" line whose name columns, in
// upper case, equal its first ten characters stores its definition with
// " #" appended in `sensor_definition`. Returns the message of error 1004 or
// 1005 when the password does not decode; the lines after the password line
// are then not read. `profile_file_name` only goes into messages.
std::optional<std::string> read_profile(std::string_view content,
                                        std::string_view profile_file_name,
                                        std::string_view sensor_name, SystemProfile& profile,
                                        std::string& sensor_definition);

// The completeness checks after reading: errors 1006 (no user), 1007 (no
// password), 1003 (a value shorter than its minimum) in this order. Returns
// the message, or nullopt when the profile is complete.
std::optional<std::string> check_profile(const SystemProfile& profile,
                                         std::string_view profile_file_name);

}  // namespace keldar
