// The system profile: how to reach one SAP system, and its local sensors.
//
// Key lines: a 12-character label in columns 1-12 (exact, case-sensitive),
// column 13 not examined, the value from column 14, at most 60 characters,
// not trimmed, then cut to the field's width. Local sensor lines: "# Mon" in
// columns 1-5, any character in column 6, ": " in columns 7-8, the sensor
// name in columns 9-18, any character in column 19, the definition from
// column 20. Lines are read in pieces of at most 199 characters; LF and CR LF
// line ends read alike; a line ends at a NUL byte; later lines replace
// earlier ones; other lines are ignored.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "text/line_reader.h"

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
inline constexpr std::size_t kSensorDefinitionWidth = 623;

enum class ProfileRead {
  ok,
  password_invalid,  // not a stored form (error 1004)
  password_wrong,    // checksum mismatch (error 1005)
  unreadable,        // a read error: the file counts as missing
};

// Reads profile lines into `profile`, filling the fields that the lines
// set; the caller passes a fresh record. When `sensor_name` is not empty
// (upper case, blank-padded to at least 10), a "# Mon" line whose name
// columns, in upper case, equal its first ten characters stores its
// definition with " #" appended in `sensor_definition`. A password that
// does not decode stops the read at its line.
ProfileRead read_profile(text::LineReader& lines, std::string_view sensor_name,
                         SystemProfile& profile, std::string& sensor_definition);

enum class ProfileCheck {
  complete,
  user_missing,      // error 1006
  password_missing,  // error 1007
  too_short,         // a value below its minimum length (error 1003)
};

// The completeness checks after reading, in the order of the results above.
ProfileCheck check_profile(const SystemProfile& profile);

}  // namespace keldar
