// The XMI session: which interfaces and versions the system offers, and the
// logon to and logoff from one of them.
#pragma once

#include <string>
#include <string_view>

#include "calls/call_result.h"

namespace keldar {

// The interface the sensor logs on to.
inline constexpr std::string_view kXalInterface = "XAL";

// SXMI_VERSIONS_GET for all interfaces ("*"). On success the XAL version
// becomes the first three characters of VERSION of the last line whose
// "INTERFACE VERSION" text contains "XAL"; without such a line it stays as
// it was.
CallResult call_sxmi_versions_get(const RfcSession& session, std::string& xal_version);

// The session of an XMI logon: the interface and its version, each as the
// run holds it (at most 3 characters, blank-padded when sent).
struct XmiSession {
  std::string interface;
  std::string version;
};

// BAPI_XMI_LOGON with the profile's external company (cut or blank-padded
// to 16), a blank external product, and the session's interface and
// version. RETURN and SESSIONID are received but not looked at.
CallResult call_bapi_xmi_logon(const RfcSession& session, std::string_view external_company,
                               const XmiSession& xmi);

// BAPI_XMI_LOGOFF of the session's interface.
CallResult call_bapi_xmi_logoff(const RfcSession& session, const XmiSession& xmi);

}  // namespace keldar
