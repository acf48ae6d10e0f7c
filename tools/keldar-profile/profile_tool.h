// keldar-profile, the maintenance tool for system profiles: scrambles
// passwords, checks profiles with the sensor's own reader and writes new
// profiles in the sensor's format.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "rfc/rfc_library.h"

namespace keldar {

// Loads the RFC library into the given record: the program's own loads it
// from beside the program, as the sensor does.
using RfcLibraryLoader = std::function<RfcLibraryLoad(RfcLibrary&)>;

// Runs one command of the tool on the arguments after the program name and
// returns the exit status: 0 on success, 2 on every refusal or failure (the
// reason goes to `err`). Passwords are read as one line from `in`, its line
// end (LF or CR LF) removed. `seed` chooses among the stored forms of a
// password. Profile paths get the default extension ".P00" and go through
// `files`. `load_library` is called by "test" alone.
//
//   scramble                 password from `in`, its stored form to `out`
//   check PROFILE            the profile's values, or the sensor's error text
//   create PROFILE OPTIONS   writes a new profile, password from `in`
//   test PROFILE             the connection check (connection_test.h); its
//                            report goes to `out`, a failed step included;
//                            a profile the sensor refuses goes to `err`
//   --version                "keldar-profile, SAP Keldar Vers 4.3 / 29.08.22"
//   --help                   usage
int run_profile_tool(const std::vector<std::string>& arguments, std::istream& in,
                     std::ostream& out, std::ostream& err, const platform::FileSystem& files,
                     std::uint64_t seed, const RfcLibraryLoader& load_library);

}  // namespace keldar
