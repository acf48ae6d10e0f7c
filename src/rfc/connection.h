// Opening the RFC connection to one SAP system.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "rfc/rfc_library.h"
#include "rfc/rfc_trace.h"
#include "rfc/run_progress.h"

namespace keldar {

// The values of the system profile that the open uses, with any override
// of the host name or system number already applied.
struct ConnectionValues {
  std::string destination;
  std::string client;
  std::string user;
  std::string password;
  std::string language;
  std::string mode;
  std::string host_name;
  std::string system_number;
  std::string gateway_host;
  std::string gateway_service;
};

// The library's destination file, and the prefix of the file that is
// copied to it ("SapRfc." + destination), both in the working directory.
inline constexpr std::string_view kDestinationFile = "SapRfc.ini";
inline constexpr std::string_view kDestinationFilePrefix = "SapRfc.";

// Opens the connection and returns its handle, 0 when it failed.
//
// When "SapRfc." + destination can be read in the working directory, it is
// copied byte for byte to "SapRfc.ini" (0 when that cannot be written) and
// the connection is opened with RfcOpenEx and the connect string
// "CLIENT=<client> USER=<user> PASSWD=<password> LANG=D DEST=<destination>"
// (the language is always D); `announce` is told the destination first.
// Otherwise RfcOpen gets the open options: mode 1 (gateway host and
// service) only for the mode exactly "R/2", mode 0 (host name, the value of
// the system number's leading digits, gateway host and service) for every
// other; the user blank-padded to 12 characters and the password to 10 (a
// longer one whole); an empty text as a null reference; trace 0. Every
// record is built here afresh, so nothing of an earlier open carries over.
// Each open is followed by its trace line.
// `progress`, when given, notes the open as the step the run waits for.
RFC_HANDLE rfc_open(const RfcApi& api, const platform::FileSystem& files,
                    const ConnectionValues& values, const RfcTrace& trace,
                    const std::function<void(std::string_view destination)>& announce,
                    RunProgress* progress = nullptr);

// The value of the leading decimal digits of `text` (0 when there are none);
// digits beyond what an int holds are not read.
int leading_number(std::string_view text);

// The connect string of RfcOpenEx.
std::string connect_string(const ConnectionValues& values);

}  // namespace keldar
