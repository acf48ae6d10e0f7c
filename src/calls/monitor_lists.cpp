#include "calls/monitor_lists.h"

#include "calls/function_modules.h"
#include "text/fixed_field.h"

namespace keldar {

namespace {

constexpr std::size_t kNameWidth = 60;
constexpr std::size_t kListedNameWidth = 47;
constexpr std::size_t kTable = 0;

}  // namespace

CallResult call_ms_getlist(const RfcSession& session, std::string_view user,
                           const std::function<void(std::string_view name)>& each_set) {
  return drive(session, modules::BAPI_SYSTEM_MS_GETLIST, {external_user_name(user)},
               [&each_set](const Answer& answer) {
                 for (unsigned n = 1; n <= answer.lines(kTable); ++n) {
                   BapimsnameRecord line = answer.line<BapimsnameRecord>(kTable, n);
                   each_set(text::field_text(line.NAME, sizeof line.NAME));
                 }
               });
}

CallResult call_mon_getlist(const RfcSession& session, std::string_view user,
                            std::string_view monitor_set_name, std::vector<std::string>& monitors) {
  std::vector<std::string> exporting = {external_user_name(user),
                                        character_value(monitor_set_name, kNameWidth)};
  return drive(session, modules::BAPI_SYSTEM_MON_GETLIST, std::move(exporting),
               [&monitors](const Answer& answer) {
                 for (unsigned n = 1; n <= answer.lines(kTable); ++n) {
                   BapimnnameRecord line = answer.line<BapimnnameRecord>(kTable, n);
                   monitors.push_back(text::field_text(line.MONI_NAME, sizeof line.MONI_NAME));
                 }
               });
}

std::string monitor_set_line(std::string_view name) {
  return text::cut(name, kListedNameWidth) + "S xx.xx.xx xx.xx";
}

}  // namespace keldar
