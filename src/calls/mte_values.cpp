#include "calls/mte_values.h"

#include "calls/function_modules.h"
#include "text/fixed_field.h"

namespace keldar {

namespace {

// Importing parameters in the modules' order.
constexpr std::size_t kPerfCurrentValue = 0;  // CURRENT_VALUE of GETPERFCURVAL
constexpr std::size_t kStatusValue = 1;       // VALUE of GETSMVALUE
constexpr std::size_t kMessageExternal = 2;   // XMI_MSG_EXT of GETMLCURVAL
constexpr std::size_t kValueWidth = 8;

std::vector<std::string> query_values(const MteQuery& query) {
  return {external_user_name(query.user), record_value(query.tid)};
}

}  // namespace

CallResult call_perf_value(const RfcSession& session, const MteQuery& query,
                           PerformanceValue& value) {
  return drive(session, modules::BAPI_SYSTEM_MTE_GETPERFCURVAL, query_values(query),
               [&value](const Answer& answer) {
                 BapipacvalRecord r = answer.record<BapipacvalRecord>(kPerfCurrentValue);
                 value.last = r.LASTPERVAL;
                 value.minimum = r.MINPFVALUE;
                 value.minimum_date = text::field_text(r.MINPFDATE, sizeof r.MINPFDATE);
                 value.minimum_time = text::field_text(r.MINPFTIME, sizeof r.MINPFTIME);
                 value.maximum = r.MAXPFVALUE;
                 value.maximum_date = text::field_text(r.MAXPFDATE, sizeof r.MAXPFDATE);
                 value.maximum_time = text::field_text(r.MAXPFTIME, sizeof r.MAXPFTIME);
               });
}

std::string performance_value_text(const PerformanceValue& v, std::string_view raw_unit,
                                   std::string_view unit) {
  std::string last = std::to_string(v.last);
  std::string text(last.size() < kValueWidth ? kValueWidth - last.size() : 0, ' ');
  text += last;
  text += ' ';
  text += raw_unit;
  auto extreme = [&](std::int32_t n, const std::string& date, const std::string& time) {
    return std::to_string(n) + " " + std::string(unit) + ", " + text::short_date(date) + ", " +
           text::short_time(time);
  };
  text += " (Min=" + extreme(v.minimum, v.minimum_date, v.minimum_time);
  text += ") (Max=" + extreme(v.maximum, v.maximum_date, v.maximum_time) + ")";
  return text;
}

CallResult call_sm_value(const RfcSession& session, const MteQuery& query,
                         StatusMessage& message) {
  return drive(session, modules::BAPI_SYSTEM_MTE_GETSMVALUE, query_values(query),
               [&message](const Answer& answer) {
                 BapismcvalRecord r = answer.record<BapismcvalRecord>(kStatusValue);
                 message.date = text::field_text(r.SMSGDATE, sizeof r.SMSGDATE);
                 message.time = text::field_text(r.SMSGTIME, sizeof r.SMSGTIME);
                 message.message = text::trim_right(text::field_text(r.MSG, sizeof r.MSG));
               });
}

CallResult call_ml_value(const RfcSession& session, const MteQuery& query, std::string& message) {
  return drive(session, modules::BAPI_SYSTEM_MTE_GETMLCURVAL, query_values(query),
               [&message](const Answer& answer) {
                 BapixmiextRecord r = answer.record<BapixmiextRecord>(kMessageExternal);
                 message = text::trim_right(text::field_text(r.MSG, sizeof r.MSG));
               });
}

}  // namespace keldar
