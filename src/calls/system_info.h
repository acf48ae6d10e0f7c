// RFC_SYSTEM_INFO: who the SAP system is.
#pragma once

#include <string>

#include "calls/call_result.h"

namespace keldar {

struct SystemInfo {
  std::string host;         // RFCHOST, 8 characters as received
  std::string destination;  // RFCDEST, trailing blanks removed
  std::string system_id;    // RFCSYSID, 8 characters as received
  std::string release;      // RFCSAPRL, trailing blanks removed
};

// On success fills `info`; on failure leaves it as it was.
CallResult call_rfc_system_info(const RfcSession& session, SystemInfo& info);

}  // namespace keldar
