// The open alerts of one MTE, and the message of one alert.
#pragma once

#include <string>
#include <vector>

#include "calls/call_result.h"
#include "calls/mte_values.h"

namespace keldar {

// BAPI_SYSTEM_MTE_GETALERTS: the alert identifiers, in table order.
CallResult call_alerts(const RfcSession& session, const MteQuery& query,
                       std::vector<BapiaidRecord>& alerts);

// BAPI_SYSTEM_ALERT_GETDETAILS of `alert`: GET_ACTIVE and GET_HISTORY are
// "X" when asked for, blank otherwise; `message` becomes MSG of
// XMI_EXT_MSG without trailing blanks.
struct AlertQuery {
  std::string_view user;
  BapiaidRecord alert;
  bool active = false;
  bool history = false;
};
CallResult call_alert_details(const RfcSession& session, const AlertQuery& query,
                              std::string& message);

}  // namespace keldar
