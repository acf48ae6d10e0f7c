// keldar-profile, the maintenance tool for system profiles: scrambles
// passwords, checks profiles with the sensor's own reader and writes new
// profiles in the sensor's format.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace keldar {

// Runs one command of the tool on the arguments after the program name and
// returns the exit status: 0 on success, 2 on every refusal or failure (the
// reason goes to `err`). Passwords are read as one line from `in`, its line
// end (LF or CR LF) removed. `seed` chooses among the stored forms of a
// password. Profile paths get the default extension ".P00" and go through
// `files`.
//
//   scramble                 password from `in`, its stored form to `out`
//   check PROFILE            the profile's values, or the sensor's error text
//   create PROFILE OPTIONS   writes a new profile, password from `in`
//   --help                   usage
int run_profile_tool(const std::vector<std::string>& arguments, std::istream& in,
                     std::ostream& out, std::ostream& err, const platform::FileSystem& files,
                     std::uint64_t seed);

}  // namespace keldar
