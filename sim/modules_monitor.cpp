// The monitor lists and the monitor tree.
#include "function_module.h"
#include "monitor_tree.h"

namespace rfcsim {
namespace {

const MonitorSet* find_set(const System& system, const std::string& name) {
  for (const MonitorSet& set : system.monitor_sets) {
    if (set.name == name) return &set;
  }
  return nullptr;
}

}  // namespace

void bapi_system_ms_getlist(ModuleCall& call) {
  if (!check_monitoring_access(call)) return;
  for (const MonitorSet& set : call.system().monitor_sets) {
    Record line = call.new_line("MONITOR_SETS");
    line.set_text("NAME", set.name);
    call.add_line("MONITOR_SETS", line);
  }
}

void bapi_system_mon_getlist(ModuleCall& call) {
  std::string set_name = call.structure("MONI_SET_NAME").trimmed("NAME");
  call.log("SET", set_name);
  if (!check_monitoring_access(call)) return;
  const MonitorSet* set = find_set(call.system(), set_name);
  if (set == nullptr) return call.raise("MONITOR_SET_NOT_FOUND");
  for (const Monitor& monitor : set->monitors) {
    Record line = call.new_line("MONITOR_NAMES");
    line.set_text("MONI_NAME", monitor.name);
    line.set_text("MS_NAME", set->name);
    call.add_line("MONITOR_NAMES", line);
  }
}

void bapi_system_mon_gettree(ModuleCall& call) {
  Record name = call.structure("MONITOR_NAME");
  std::string set_name = name.trimmed("MS_NAME");
  std::string monitor_name = name.trimmed("MONI_NAME");
  std::int32_t depth = call.integer("MAX_TREE_DEPTH");
  std::int32_t level = call.integer("VIS_ON_USR_LEVEL");
  call.log("SET", set_name);
  call.log("MONITOR", monitor_name);
  call.log("DEPTH", std::to_string(depth));
  call.log("VISLEVEL", std::to_string(level));
  if (!check_monitoring_access(call)) return;
  const MonitorSet* set = find_set(call.system(), set_name);
  if (set == nullptr) return call.raise("MONITOR_SET_NOT_FOUND");
  const Monitor* monitor = nullptr;
  for (const Monitor& m : set->monitors) {
    if (m.name == monitor_name) monitor = &m;
  }
  if (monitor == nullptr) return call.raise("MONITOR_NOT_FOUND");
  if (monitor->tree) {
    const std::vector<SubtreeAlerts> alerts = subtree_alerts(*monitor->tree, call.now());
    for (const TreePosition& position : tree_rows(*monitor->tree, depth, level)) {
      call.add_line("TREE_NODES", tree_node_record(call.system(), position,
                                                   alerts[static_cast<std::size_t>(position.index - 1)], call.now()));
    }
  }
}

}  // namespace rfcsim
