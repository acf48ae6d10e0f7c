#include "calls/mte_properties.h"

#include "calls/function_modules.h"
#include "text/fixed_field.h"

namespace keldar {

namespace {

constexpr std::size_t kProperties = 0;  // PROPERTIES among the importing parameters

}  // namespace

CallResult call_perf_prop(const RfcSession& session, const MteQuery& query,
                          std::string& raw_unit) {
  return drive(session, modules::BAPI_SYSTEM_MTE_GETPERFPROP,
               {external_user_name(query.user), record_value(query.tid)},
               [&raw_unit](const Answer& answer) {
                 BapipapropRecord r = answer.record<BapipapropRecord>(kProperties);
                 raw_unit = text::field_text(r.VALUNIT, sizeof r.VALUNIT);
               });
}

CallResult call_txt_prop(const RfcSession& session, const MteQuery& query, std::string& text) {
  return drive(session, modules::BAPI_SYSTEM_MTE_GETTXTPROP,
               {external_user_name(query.user), record_value(query.tid)},
               [&text](const Answer& answer) {
                 BapitxtprpRecord r = answer.record<BapitxtprpRecord>(kProperties);
                 text = text::trim_right(text::field_text(r.TEXT, sizeof r.TEXT));
               });
}

}  // namespace keldar
