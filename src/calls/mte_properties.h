// The static properties of one MTE: a performance attribute's unit and a
// text attribute's text.
#pragma once

#include <string>

#include "calls/call_result.h"
#include "calls/mte_values.h"

namespace keldar {

// BAPI_SYSTEM_MTE_GETPERFPROP: VALUNIT, 4 characters as received.
CallResult call_perf_prop(const RfcSession& session, const MteQuery& query, std::string& raw_unit);

// BAPI_SYSTEM_MTE_GETTXTPROP: TEXT without trailing blanks.
CallResult call_txt_prop(const RfcSession& session, const MteQuery& query, std::string& text);

}  // namespace keldar
