#include "monitor_tree.h"

#include <array>
#include <functional>
#include <string_view>

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

// Takes `alert` as the newest when it is not older than the newest so far:
// of equal times the one met last, in the order of the document.
void consider(SubtreeAlerts& alerts, const Alert* alert, std::string stamp) {
  if (alerts.newest == nullptr || stamp >= alerts.stamp) {
    alerts.newest = alert;
    alerts.stamp = std::move(stamp);
  }
}

// The alerts of every node's subtree, in one pass over the tree: numbered
// depth first, as the rows' ALIDXINTRE.
void gather_alerts(const Node& node, std::time_t now, std::vector<SubtreeAlerts>& result) {
  const std::size_t at = result.size();
  result.emplace_back();
  SubtreeAlerts alerts;
  for (const Alert& a : node.alerts) {
    DateTime when = resolve(a.time, now);
    consider(alerts, &a, when.date + when.time);
  }
  alerts.count = static_cast<std::int32_t>(node.alerts.size());
  for (const Node& child : node.children) {
    const std::size_t child_at = result.size();
    gather_alerts(child, now, result);
    const SubtreeAlerts& below = result[child_at];
    if (below.newest != nullptr) consider(alerts, below.newest, below.stamp);
    alerts.count += below.count;
  }
  result[at] = std::move(alerts);
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

// The seven fields that identify an MTE, in BAPITID order.
constexpr std::array<const char*, 7> kIdentifierFields = {"MTSYSID", "MTMCNAME", "MTNUMRANGE", "MTUID",
                                                          "MTCLASS", "MTINDEX", "EXTINDEX"};

const FieldDefinition& tree_field(const char* name) {
  return *find_structure("BAPITNDEXT")->field(name);
}

// The alert fields of a tree row: those of the newest alert, and those of
// the newest value alert.
struct AlertFields {
  const FieldDefinition &sysid, &segment, &uniqnum, &index, &date, &time;
};

struct TreeNodeFields {
  const StructureDefinition& structure = *find_structure("BAPITNDEXT");
  std::array<const FieldDefinition*, 7> identifier = {
      &tree_field(kIdentifierFields[0]), &tree_field(kIdentifierFields[1]), &tree_field(kIdentifierFields[2]),
      &tree_field(kIdentifierFields[3]), &tree_field(kIdentifierFields[4]), &tree_field(kIdentifierFields[5]),
      &tree_field(kIdentifierFields[6])};
  const FieldDefinition& ALTREENUM = tree_field("ALTREENUM");
  const FieldDefinition& ALIDXINTRE = tree_field("ALIDXINTRE");
  const FieldDefinition& ALLEVINTRE = tree_field("ALLEVINTRE");
  const FieldDefinition& ALPARINTRE = tree_field("ALPARINTRE");
  const FieldDefinition& OBJECTNAME = tree_field("OBJECTNAME");
  const FieldDefinition& MTNAMESHRT = tree_field("MTNAMESHRT");
  const FieldDefinition& CUSGRPNAME = tree_field("CUSGRPNAME");
  const FieldDefinition& DELIVERSTA = tree_field("DELIVERSTA");
  const FieldDefinition& HIGHALVAL = tree_field("HIGHALVAL");
  const FieldDefinition& HIGHALSEV = tree_field("HIGHALSEV");
  AlertFields alert = {tree_field("ALSYSID"), tree_field("MSEGNAME"), tree_field("ALUNIQNUM"),
                       tree_field("ALINDEX"), tree_field("ALERTDATE"), tree_field("ALERTTIME")};
  AlertFields value_alert = {tree_field("VALSYSID"), tree_field("VMSEGNAME"), tree_field("VALUNIQNUM"),
                             tree_field("VALINDEX"), tree_field("VALERTDATE"), tree_field("VALERTTIME")};
  const FieldDefinition& LASTVALDAT = tree_field("LASTVALDAT");
  const FieldDefinition& LASTVALTIM = tree_field("LASTVALTIM");
  const FieldDefinition& ACTUALVAL = tree_field("ACTUALVAL");
  const FieldDefinition& ACTUALSEV = tree_field("ACTUALSEV");
  const FieldDefinition& COUNTOFACT = tree_field("COUNTOFACT");
  const FieldDefinition& COUNTSUM = tree_field("COUNTSUM");
  const FieldDefinition& VISUSERLEV = tree_field("VISUSERLEV");
  const FieldDefinition& TDSTATUS = tree_field("TDSTATUS");
};

std::string_view without_trailing_blanks(std::string_view text) {
  return text.substr(0, text.find_last_not_of(' ') + 1);
}

}  // namespace

std::vector<TreePosition> tree_rows(const Node& root, std::int32_t max_depth, std::int32_t user_level) {
  std::vector<TreePosition> rows;
  std::int32_t next_index = 1;
  collect(root, 1, 0, next_index, max_depth, user_level, rows);
  return rows;
}

void set_mte_identifier(Record& r, const Node& n) {
  const std::array<std::string_view, 7> values = {n.sysid, n.context, n.numrange, n.uid,
                                                  n.mtclass, n.index, n.extindex};
  for (std::size_t i = 0; i < values.size(); ++i) r.set_text(kIdentifierFields[i], values[i]);
}

std::vector<SubtreeAlerts> subtree_alerts(const Node& root, std::time_t now) {
  std::vector<SubtreeAlerts> result;
  gather_alerts(root, now, result);
  return result;
}

Record tree_node_record(const System& system, const TreePosition& position, const SubtreeAlerts& alerts,
                        std::time_t now) {
  // The row's fields, looked up once: a tree has as many rows as nodes.
  static const TreeNodeFields f;
  const Node& n = *position.node;
  Record r(f.structure);
  const std::array<std::string_view, 7> identifier = {n.sysid, n.context, n.numrange, n.uid,
                                                      n.mtclass, n.index, n.extindex};
  for (std::size_t i = 0; i < identifier.size(); ++i) r.set_text(*f.identifier[i], identifier[i]);
  r.set_int(f.ALTREENUM, n.tree_number);
  r.set_int(f.ALIDXINTRE, position.index);
  r.set_int(f.ALLEVINTRE, position.level);
  r.set_int(f.ALPARINTRE, position.parent);
  r.set_text(f.OBJECTNAME, n.object);
  r.set_text(f.MTNAMESHRT, n.name);
  r.set_text(f.CUSGRPNAME, n.customizing_group);
  r.set_int(f.DELIVERSTA, n.delivery_status);
  r.set_int(f.HIGHALVAL, n.highest);
  r.set_int(f.HIGHALSEV, n.highest_severity);

  auto set_alert = [&](const AlertFields& a, const Boxed<TimeSpec>& override_time) {
    if (alerts.newest != nullptr) {
      r.set_text(a.sysid, system.sid);
      r.set_text(a.segment, system.segment);
      r.set_text(a.uniqnum, alerts.newest->uniqnum);
      r.set_text(a.index, alerts.newest->index);
      r.set_text(a.date, std::string_view(alerts.stamp).substr(0, 8));
      r.set_text(a.time, std::string_view(alerts.stamp).substr(8));
    }
    if (override_time) {
      DateTime when = resolve(*override_time, now);
      r.set_text(a.date, when.date);
      r.set_text(a.time, when.time);
    }
  };
  set_alert(f.alert, n.alert_time);
  set_alert(f.value_alert, n.value_alert_time);
  DateTime last = resolve(last_value_time(n), now);
  r.set_text(f.LASTVALDAT, last.date);
  r.set_text(f.LASTVALTIM, last.time);
  r.set_int(f.ACTUALVAL, n.grade);
  r.set_int(f.ACTUALSEV, n.severity);
  r.set_int(f.COUNTOFACT, n.open_alerts.value_or(alerts.count));
  r.set_int(f.COUNTSUM, n.alert_total.value_or(alerts.count));
  r.set_int(f.VISUSERLEV, n.visibility);
  r.set_int(f.TDSTATUS, n.td_status);
  return r;
}

MteIdentifier mte_identifier(const Node& n) {
  MteIdentifier id;
  std::size_t i = 0;
  for (const std::string* field : {&n.sysid, &n.context, &n.numrange, &n.uid, &n.mtclass, &n.index, &n.extindex}) {
    id[i++] = without_trailing_blanks(*field);
  }
  return id;
}

std::size_t MteHash::operator()(const MteIdentifier& id) const {
  std::size_t hash = 0;
  for (std::string_view field : id) hash = hash * 31 + std::hash<std::string_view>()(field);
  return hash;
}

void index_mtes(System& system) {
  system.mtes.clear();
  visit_nodes(system, [&system](const Node& n) {
    system.mtes.insert(&n);  // the first of an identifier stays
    return false;
  });
}

const Node* find_mte(const System& system, const Record& tid) {
  std::array<std::string, 7> fields;
  MteIdentifier id;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    fields[i] = tid.text(kIdentifierFields[i]);
    id[i] = without_trailing_blanks(fields[i]);
  }
  auto it = system.mtes.find(id);
  return it == system.mtes.end() ? nullptr : *it;
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
