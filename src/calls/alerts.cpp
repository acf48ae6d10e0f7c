#include "calls/alerts.h"

#include <cstring>

#include "calls/function_modules.h"
#include "text/fixed_field.h"

namespace keldar {

namespace {

constexpr std::size_t kAlertsTable = 0;
constexpr std::size_t kExternalMessage = 5;  // XMI_EXT_MSG among GETDETAILS' importing

std::string flag(bool on) { return on ? "X" : " "; }

// The identifier as sent: each field as received up to a NUL byte,
// blank-padded to its width.
template <std::size_t N>
void refit(char (&field)[N]) {
  std::string fitted = text::fit(text::field_text(field, N), N);
  std::memcpy(field, fitted.data(), N);
}

BapiaidRecord sendable(BapiaidRecord a) {
  refit(a.ALSYSID);
  refit(a.MSEGNAME);
  refit(a.ALUNIQNUM);
  refit(a.ALINDEX);
  refit(a.ALERTDATE);
  refit(a.ALERTTIME);
  refit(a.DUMMYALIGN);
  return a;
}

}  // namespace

CallResult call_alerts(const RfcSession& session, const MteQuery& query,
                       std::vector<BapiaidRecord>& alerts) {
  return drive(session, modules::BAPI_SYSTEM_MTE_GETALERTS,
               {external_user_name(query.user), record_value(query.tid)},
               [&alerts](const Answer& answer) {
                 for (unsigned n = 1; n <= answer.lines(kAlertsTable); ++n) {
                   alerts.push_back(answer.line<BapiaidRecord>(kAlertsTable, n));
                 }
               });
}

CallResult call_alert_details(const RfcSession& session, const AlertQuery& query,
                              std::string& message) {
  std::vector<std::string> exporting = {record_value(sendable(query.alert)), external_user_name(query.user),
                                        flag(query.active), flag(query.history)};
  return drive(session, modules::BAPI_SYSTEM_ALERT_GETDETAILS, std::move(exporting),
               [&message](const Answer& answer) {
                 BapixmiextRecord r = answer.record<BapixmiextRecord>(kExternalMessage);
                 message = text::trim_right(text::field_text(r.MSG, sizeof r.MSG));
               });
}

}  // namespace keldar
