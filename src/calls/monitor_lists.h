// The monitor sets of a system and the monitors of a monitor set.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "calls/call_result.h"

namespace keldar {

// BAPI_SYSTEM_MS_GETLIST: `each_set` sees the name of every monitor set,
// 60 characters as received.
CallResult call_ms_getlist(const RfcSession& session, std::string_view user,
                           const std::function<void(std::string_view name)>& each_set);

// BAPI_SYSTEM_MON_GETLIST for `monitor_set_name` (cut or blank-padded to
// 60): on success appends the name of every monitor (60 characters as
// received) to `monitors`.
CallResult call_mon_getlist(const RfcSession& session, std::string_view user,
                            std::string_view monitor_set_name, std::vector<std::string>& monitors);

// The listing line of a monitor set: the first 47 characters of its name,
// "S ", "xx.xx.xx", " ", "xx.xx".
std::string monitor_set_line(std::string_view name);

}  // namespace keldar
