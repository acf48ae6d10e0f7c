// The current values of one monitoring tree element (MTE): a performance
// attribute's value, a status attribute's last message, a message
// container's current message.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "calls/call_result.h"

namespace keldar {

// Who asks about which MTE: EXTERNAL_USER_NAME and the TID record.
struct MteQuery {
  std::string_view user;
  BapitidRecord tid;
};

// BAPI_SYSTEM_MTE_GETPERFCURVAL, the fields the sensor reads.
struct PerformanceValue {
  std::int32_t last = 0;
  std::int32_t minimum = 0;
  std::string minimum_date, minimum_time;  // 8 and 6 characters as received
  std::int32_t maximum = 0;
  std::string maximum_date, maximum_time;
};
CallResult call_perf_value(const RfcSession& session, const MteQuery& query,
                           PerformanceValue& value);

// The value text of a performance value: the last value right-aligned in
// 8 characters, a blank, the raw unit, " (Min=", the minimum, a blank, the
// unit, ", ", its short date, ", ", its short time, ") (Max=" and the same
// for the maximum, ")".
std::string performance_value_text(const PerformanceValue& value, std::string_view raw_unit,
                                   std::string_view unit);

// BAPI_SYSTEM_MTE_GETSMVALUE: the last status message.
struct StatusMessage {
  std::string date;     // SMSGDATE, 8 characters as received
  std::string time;     // SMSGTIME, 6 characters as received
  std::string message;  // MSG without trailing blanks
};
CallResult call_sm_value(const RfcSession& session, const MteQuery& query,
                         StatusMessage& message);

// BAPI_SYSTEM_MTE_GETMLCURVAL: MSG of XMI_MSG_EXT without trailing blanks.
CallResult call_ml_value(const RfcSession& session, const MteQuery& query, std::string& message);

}  // namespace keldar
