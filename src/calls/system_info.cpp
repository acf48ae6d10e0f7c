#include "calls/system_info.h"

#include "calls/function_modules.h"
#include "text/fixed_field.h"

namespace keldar {

namespace {

constexpr std::size_t kRfcsiExport = 4;  // RFCSI_EXPORT among the importing parameters

}  // namespace

CallResult call_rfc_system_info(const RfcSession& session, SystemInfo& info) {
  return drive(session, modules::RFC_SYSTEM_INFO, {}, [&info](const Answer& answer) {
    RfcsiRecord r = answer.record<RfcsiRecord>(kRfcsiExport);
    info.host = text::field_text(r.RFCHOST, sizeof r.RFCHOST);
    info.destination = text::trim_right(text::field_text(r.RFCDEST, sizeof r.RFCDEST));
    info.system_id = text::field_text(r.RFCSYSID, sizeof r.RFCSYSID);
    info.release = text::trim_right(text::field_text(r.RFCSAPRL, sizeof r.RFCSAPRL));
  });
}

}  // namespace keldar
