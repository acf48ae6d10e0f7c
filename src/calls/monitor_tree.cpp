#include "calls/monitor_tree.h"

#include <cstring>

#include "calls/function_modules.h"

namespace keldar {

namespace {

constexpr std::size_t kNameWidth = 60;

}  // namespace

CallResult fetch_monitor_tree(const RfcSession& session, const TreeFetch& fetch,
                              ITAB_H tree_nodes) {
  BapimnnameRecord monitor;
  std::string name = character_value(fetch.monitor_name, kNameWidth);
  std::string set = character_value(fetch.monitor_set_name, kNameWidth);
  std::memcpy(monitor.MONI_NAME, name.data(), kNameWidth);
  std::memcpy(monitor.MS_NAME, set.data(), kNameWidth);
  std::vector<std::string> exporting = {external_user_name(fetch.user),
                                        integer_value(fetch.max_depth), record_value(monitor),
                                        integer_value(fetch.visibility_level)};
  std::vector<std::string> importing;
  const ITAB_H tables[] = {tree_nodes};
  CallCode call =
      call_function(session, modules::BAPI_SYSTEM_MON_GETTREE, exporting, importing, tables);
  return {call.code, call_error_text(call.code, call.exception, ErrorTexts())};
}

}  // namespace keldar
