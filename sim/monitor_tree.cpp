#include "monitor_tree.h"

#include <functional>

#include "structure_catalogue.h"

namespace rfcsim {
namespace {

void collect(const Node& node, std::int32_t level, std::int32_t parent, std::int32_t& next_index,
             std::int32_t max_depth, std::int32_t user_level, std::vector<TreePosition>& rows) {
  std::int32_t index = next_index++;
  bool shown = (max_depth <= 0 || level <= max_depth) && node.visibility <= user_level;
  if (shown) rows.push_back({&node, index, level, parent});
  for (const Node& child : node.children) {
    if (shown) {
      collect(child, level + 1, index, next_index, max_depth, user_level, rows);
    } else {
      // Keep numbering the hidden subtree so indices stay those of the full tree.
      collect(child, level + 1, index, next_index, 0, INT32_MIN, rows);
    }
  }
}

struct DatedAlert {
  const Alert* alert = nullptr;
  DateTime when;
};

// The newest alert of the node and everything below it; a blank date sorts
// before every real one.
DatedAlert newest_alert(const Node& node, std::time_t now) {
  DatedAlert newest;
  std::function<void(const Node&)> visit = [&](const Node& n) {
    for (const Alert& a : n.alerts) {
      DateTime when = resolve(a.time, now);
      if (newest.alert == nullptr || when.date + when.time >= newest.when.date + newest.when.time) {
        newest = {&a, when};
      }
    }
    for (const Node& c : n.children) visit(c);
  };
  visit(node);
  return newest;
}

std::int32_t count_alerts(const Node& node) {
  std::int32_t count = static_cast<std::int32_t>(node.alerts.size());
  for (const Node& c : node.children) count += count_alerts(c);
  return count;
}

TimeSpec last_value_time(const Node& n) {
  if (n.last_value_time.kind != TimeSpec::Kind::Initial) return n.last_value_time;
  if (n.performance) return n.performance->time;
  if (n.status) return n.status->time;
  if (n.message) return n.message->time;
  return n.last_value_time;
}

template <typename F>
bool visit_nodes(const System& system, F&& visit) {
  std::function<bool(const Node&)> walk = [&](const Node& n) {
    if (visit(n)) return true;
    for (const Node& c : n.children) {
      if (walk(c)) return true;
    }
    return false;
  };
  for (const MonitorSet& set : system.monitor_sets) {
    for (const Monitor& monitor : set.monitors) {
      if (monitor.tree && walk(*monitor.tree)) return true;
    }
  }
  return false;
}

}  // namespace

std::vector<TreePosition> tree_rows(const Node& root, std::int32_t max_depth, std::int32_t user_level) {
  std::vector<TreePosition> rows;
  std::int32_t next_index = 1;
  collect(root, 1, 0, next_index, max_depth, user_level, rows);
  return rows;
}

void set_mte_identifier(Record& r, const Node& n) {
  r.set_text("MTSYSID", n.sysid);
  r.set_text("MTMCNAME", n.context);
  r.set_text("MTNUMRANGE", n.numrange);
  r.set_text("MTUID", n.uid);
  r.set_text("MTCLASS", n.mtclass);
  r.set_text("MTINDEX", n.index);
  r.set_text("EXTINDEX", n.extindex);
}

Record tree_node_record(const System& system, const TreePosition& position, std::time_t now) {
  const Node& n = *position.node;
  Record r(*find_structure("BAPITNDEXT"));
  set_mte_identifier(r, n);
  r.set_int("ALTREENUM", n.tree_number);
  r.set_int("ALIDXINTRE", position.index);
  r.set_int("ALLEVINTRE", position.level);
  r.set_int("ALPARINTRE", position.parent);
  r.set_text("OBJECTNAME", n.object);
  r.set_text("MTNAMESHRT", n.name);
  r.set_text("CUSGRPNAME", n.customizing_group);
  r.set_int("DELIVERSTA", n.delivery_status);
  r.set_int("HIGHALVAL", n.highest);
  r.set_int("HIGHALSEV", n.highest_severity);

  DatedAlert newest = newest_alert(n, now);
  auto set_alert = [&](const char* sysid, const char* segment, const char* uniqnum, const char* index,
                       const char* date, const char* time, const std::optional<TimeSpec>& override_time) {
    if (newest.alert != nullptr) {
      r.set_text(sysid, system.sid);
      r.set_text(segment, system.segment);
      r.set_text(uniqnum, newest.alert->uniqnum);
      r.set_text(index, newest.alert->index);
      r.set_text(date, newest.when.date);
      r.set_text(time, newest.when.time);
    }
    if (override_time) {
      DateTime when = resolve(*override_time, now);
      r.set_text(date, when.date);
      r.set_text(time, when.time);
    }
  };
  set_alert("ALSYSID", "MSEGNAME", "ALUNIQNUM", "ALINDEX", "ALERTDATE", "ALERTTIME", n.alert_time);
  set_alert("VALSYSID", "VMSEGNAME", "VALUNIQNUM", "VALINDEX", "VALERTDATE", "VALERTTIME",
            n.value_alert_time);
  DateTime last = resolve(last_value_time(n), now);
  r.set_text("LASTVALDAT", last.date);
  r.set_text("LASTVALTIM", last.time);
  r.set_int("ACTUALVAL", n.grade);
  r.set_int("ACTUALSEV", n.severity);
  std::int32_t alerts = count_alerts(n);
  r.set_int("COUNTOFACT", n.open_alerts.value_or(alerts));
  r.set_int("COUNTSUM", n.alert_total.value_or(alerts));
  r.set_int("VISUSERLEV", n.visibility);
  r.set_int("TDSTATUS", n.td_status);
  return r;
}

const Node* find_mte(const System& system, const Record& tid) {
  const Node* found = nullptr;
  visit_nodes(system, [&](const Node& n) {
    auto same = [&tid](const char* field, const std::string& value) {
      return tid.trimmed(field) == trim_right(value);
    };
    if (same("MTSYSID", n.sysid) && same("MTMCNAME", n.context) && same("MTNUMRANGE", n.numrange) &&
        same("MTUID", n.uid) && same("MTCLASS", n.mtclass) && same("MTINDEX", n.index) &&
        same("EXTINDEX", n.extindex)) {
      found = &n;
      return true;
    }
    return false;
  });
  return found;
}

AlertRef find_alert(const System& system, const Record& aid) {
  AlertRef ref;
  if (aid.trimmed("ALSYSID") != system.sid || aid.trimmed("MSEGNAME") != trim_right(system.segment)) return ref;
  visit_nodes(system, [&](const Node& n) {
    for (const Alert& a : n.alerts) {
      if (aid.trimmed("ALUNIQNUM") == a.uniqnum && aid.trimmed("ALINDEX") == a.index) {
        ref = {&n, &a};
        return true;
      }
    }
    return false;
  });
  return ref;
}

}  // namespace rfcsim
