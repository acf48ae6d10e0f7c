#include "landscape_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string_view>
#include <unordered_set>

#include "fault_effect.h"
#include "landscape_document.h"
#include "monitor_tree.h"
#include "record.h"
#include "structure_catalogue.h"

namespace rfcsim {
namespace {

using json = JsonValue;

// One JSON object being read, with its path for messages. Every key must be
// read or listed, so a misspelt key is reported instead of ignored. The
// path is put together only for a message: a large tree is read without
// building one per node.
class Object {
 public:
  // The outermost object read, named `path`.
  Object(json value, std::string path) : value_(value), root_(std::move(path)) { check(); }
  // The member `key` of `parent`, or with an index, element `index` of the
  // array there. `key` must outlive the object.
  Object(json value, const Object& parent, std::string_view key, std::size_t index = std::string::npos)
      : value_(value), parent_(&parent), key_(key), index_(index) {
    check();
  }

  [[noreturn]] void fail(const std::string& message) const { throw LandscapeError(path() + ": " + message); }
  std::string path() const {
    if (parent_ == nullptr) return root_;
    std::string p = parent_->path(key_);
    if (index_ != std::string::npos) p += "[" + std::to_string(index_) + "]";
    return p;
  }
  std::string path(std::string_view key) const { return path() + "." + std::string(key); }
  bool has(const char* key) const {
    json unused = value_;
    return value_.find(key, unused);
  }
  json at(const char* key) const {
    json v = value_;
    if (!value_.find(key, v)) fail("key \"" + std::string(key) + "\" is missing");
    return v;
  }
  // The members, in key order.
  std::size_t size() const { return value_.size(); }
  std::string_view key(std::size_t i) const { return value_.key(i); }
  json member(std::size_t i) const { return value_.member(i); }

  // Fails on keys that are not in `known`.
  void allow_only(std::initializer_list<const char*> known) const {
    for (std::size_t i = 0; i < size(); ++i) {
      std::string_view key = value_.key(i);
      bool listed = std::any_of(known.begin(), known.end(), [&key](const char* k) { return key == k; });
      if (!listed) throw LandscapeError(path(key) + ": unknown key");
    }
  }

  std::string text(const char* key, const std::string& fallback, std::size_t max_length = 255) const {
    if (!has(key)) return fallback;
    const json v = at(key);
    if (!v.is_string()) throw LandscapeError(path(key) + ": must be a string");
    std::string s(v.text());
    if (s.size() > max_length) {
      throw LandscapeError(path(key) + ": longer than " + std::to_string(max_length) + " characters");
    }
    return s;
  }

  std::string required_text(const char* key, std::size_t max_length = 255) const {
    if (!has(key)) fail("key \"" + std::string(key) + "\" is missing");
    std::string s = text(key, "", max_length);
    if (s.empty()) throw LandscapeError(path(key) + ": must not be empty");
    return s;
  }

  std::int32_t integer(const char* key, std::int32_t fallback) const {
    if (!has(key)) return fallback;
    const json v = at(key);
    if (!v.is_number_integer() || v.as_int64() < INT32_MIN || v.as_int64() > INT32_MAX) {
      throw LandscapeError(path(key) + ": must be a 32-bit integer");
    }
    return static_cast<std::int32_t>(v.as_int64());
  }

  std::optional<std::int32_t> optional_integer(const char* key) const {
    if (!has(key)) return std::nullopt;
    return integer(key, 0);
  }

  // A string of at most `width` digits, or a non-negative integer, as a
  // zero-padded text of `width` digits.
  std::string digits(const char* key, const std::string& fallback, std::size_t width) const {
    if (!has(key)) return fallback;
    const json v = at(key);
    std::string s;
    if (v.is_number_unsigned()) {
      s = std::to_string(v.as_uint64());
    } else if (v.is_string()) {
      s = std::string(v.text());
    } else {
      throw LandscapeError(path(key) + ": must be digits");
    }
    if (s.empty() || s.size() > width || s.find_first_not_of("0123456789") != std::string::npos) {
      throw LandscapeError(path(key) + ": must be 1 to " + std::to_string(width) + " digits");
    }
    return std::string(width - s.size(), '0') + s;
  }

  TimeSpec time(const char* key) const {
    TimeSpec spec;
    if (!has(key)) return spec;
    const json v = at(key);
    if (v.is_number_integer()) {
      spec.kind = TimeSpec::Kind::Age;
      spec.age = v.as_int64();
    } else if (v.is_string() && v.text().empty()) {
      spec.kind = TimeSpec::Kind::Blank;
    } else if (v.is_string() && is_valid_stamp(std::string(v.text()))) {
      spec.kind = TimeSpec::Kind::Absolute;
      spec.stamp = std::string(v.text());
    } else {
      throw LandscapeError(path(key) +
                           ": must be an age in seconds or a time stamp \"YYYYMMDDhhmmss\"");
    }
    return spec;
  }

  // An array member: its elements are element(i) of the value.
  json array(const char* key) const {
    const json v = at(key);
    if (!v.is_array()) throw LandscapeError(path(key) + ": must be an array");
    return v;
  }

 private:
  void check() const {
    if (!value_.is_object()) fail("must be an object");
  }

  json value_;
  const Object* parent_ = nullptr;
  std::string_view key_;
  std::size_t index_ = std::string::npos;
  std::string root_;
};

Fault read_fault(const Object& o) {
  o.allow_only({"code", "exception", "key", "message", "delay_ms", "fatal"});
  Fault f;
  f.code = o.integer("code", 0);
  f.exception = o.text("exception", "");
  f.key = o.text("key", "");
  f.message = o.text("message", "");
  f.delay_ms = o.integer("delay_ms", 0);
  if (f.delay_ms < 0 || f.delay_ms > 600000) o.fail("delay_ms must be 0 to 600000");
  f.fatal = o.text("fatal", "");
  return f;
}

Performance read_performance(const Object& o) {
  o.allow_only({"last", "min", "max", "avg01", "avg05", "avg15", "time", "min_time", "max_time",
                "unit", "decimals", "relvaltype", "threshold_direction", "threshold_status",
                "green_to_yellow", "yellow_to_red", "yellow_to_green", "red_to_yellow",
                "attribute_group", "msgclass", "msgid"});
  Performance p;
  p.last = o.integer("last", 0);
  p.min = o.integer("min", p.last);
  p.max = o.integer("max", p.last);
  p.avg01 = o.integer("avg01", p.last);
  p.avg05 = o.integer("avg05", p.avg01);
  p.avg15 = o.integer("avg15", p.avg05);
  p.time = o.time("time");
  p.min_time = o.has("min_time") ? o.time("min_time") : p.time;
  p.max_time = o.has("max_time") ? o.time("max_time") : p.time;
  p.unit = o.text("unit", "", 4);
  p.decimals = o.integer("decimals", 0);
  p.relvaltype = o.integer("relvaltype", 0);
  p.threshold_direction = o.integer("threshold_direction", 0);
  p.threshold_status = o.integer("threshold_status", 0);
  p.green_to_yellow = o.integer("green_to_yellow", 0);
  p.yellow_to_red = o.integer("yellow_to_red", 0);
  p.yellow_to_green = o.integer("yellow_to_green", 0);
  p.red_to_yellow = o.integer("red_to_yellow", 0);
  p.attribute_group = o.text("attribute_group", "", 40);
  p.msgclass = o.text("msgclass", "", 16);
  p.msgid = o.text("msgid", "", 30);
  return p;
}

StatusMessage read_status(const Object& o, std::int32_t grade) {
  o.allow_only({"text", "time", "value"});
  StatusMessage s;
  s.text = o.text("text", "", 255);
  s.time = o.time("time");
  s.value = o.integer("value", grade);
  return s;
}

ContainerMessage read_message(const Object& o, std::int32_t grade) {
  o.allow_only({"text", "time", "value", "severity", "id", "client", "user", "msgclass", "msgid"});
  ContainerMessage m;
  m.text = o.text("text", "", 255);
  m.time = o.time("time");
  m.value = o.integer("value", grade);
  m.severity = o.integer("severity", 0);
  m.id = o.text("id", "", 50);
  m.client = o.text("client", "", 3);
  m.user = o.text("user", "", 12);
  m.msgclass = o.text("msgclass", "", 16);
  m.msgid = o.text("msgid", "", 30);
  return m;
}

Alert read_alert(const Object& o) {
  o.allow_only({"time", "message", "value", "severity", "status", "uniqnum", "index", "client",
                "user", "reported_by", "msgid"});
  Alert a;
  a.time = o.time("time");
  a.message = o.text("message", "", 255);
  a.value = o.integer("value", 2);
  a.severity = o.integer("severity", 50);
  a.status = o.integer("status", 10);
  a.uniqnum = o.digits("uniqnum", "", 10);
  a.index = o.digits("index", "", 10);
  a.client = o.text("client", "", 3);
  a.user = o.text("user", "", 12);
  a.reported_by = o.text("reported_by", "", 16);
  a.msgid = o.text("msgid", "", 50);
  return a;
}

// Monitoring attributes are the classes 1xx; 199, the virtual node, only
// groups other nodes in a monitor and stands for no object's attribute.
bool is_attribute_class(const std::string& mtclass) {
  return !mtclass.empty() && mtclass[0] == '1' && mtclass != "199";
}

struct Inherited {
  std::string sysid, context, numrange, parent_name;
  std::int32_t tree_number = 1;
};

Node read_node(const Object& o, const Inherited& inherited) {
  o.allow_only({"name", "class", "grade", "highest_grade", "severity", "highest_severity",
                "visibility", "tree_number", "delivery_status", "td_status", "open_alerts",
                "alert_total", "sysid", "context", "numrange", "uid", "index", "extindex",
                "object", "customizing_group", "last_value_time", "alert_time",
                "value_alert_time", "performance", "status", "message", "text", "alerts",
                "children"});
  Node n;
  n.name = o.required_text("name", 40);
  n.sysid = o.text("sysid", inherited.sysid, 8);
  n.context = o.text("context", inherited.context, 40);
  n.numrange = o.digits("numrange", inherited.numrange, 3);
  n.uid = o.digits("uid", "", 10);
  n.tree_number = o.integer("tree_number", inherited.tree_number);

  if (o.has("children")) {
    const json children = o.array("children");
    Inherited down{n.sysid, n.context, n.numrange, n.name, n.tree_number};
    n.children.reserve(children.size());
    for (std::size_t i = 0; i < children.size(); ++i) {
      n.children.push_back(read_node(Object(children.element(i), o, "children", i), down));
    }
  }

  n.mtclass = o.digits("class", n.children.empty() ? "100" : "050", 3);
  // A summary node shows the worst state below it unless told otherwise.
  std::int32_t worst_child = 0, highest_child = 0;
  for (const Node& c : n.children) {
    worst_child = std::max(worst_child, c.grade);
    highest_child = std::max(highest_child, c.highest);
  }
  n.grade = o.integer("grade", n.children.empty() ? 1 : std::max(worst_child, 1));
  n.highest = o.integer("highest_grade", std::max(n.grade, highest_child));
  n.severity = o.integer("severity", 0);
  n.highest_severity = o.integer("highest_severity", n.severity);
  n.visibility = o.integer("visibility", 0);
  n.delivery_status = o.integer("delivery_status", 0);
  n.td_status = o.integer("td_status", 0);
  n.open_alerts = o.optional_integer("open_alerts");
  n.alert_total = o.optional_integer("alert_total");
  // An attribute belongs to the object its parent stands for.
  n.object = o.text("object",
                    is_attribute_class(n.mtclass) && !inherited.parent_name.empty()
                        ? inherited.parent_name
                        : n.name,
                    40);
  n.customizing_group = o.text("customizing_group", "", 40);
  n.last_value_time = o.time("last_value_time");
  if (o.has("alert_time")) n.alert_time = o.time("alert_time");
  if (o.has("value_alert_time")) n.value_alert_time = o.time("value_alert_time");
  if (o.has("performance")) n.performance = read_performance(Object(o.at("performance"), o, "performance"));
  if (o.has("status")) n.status = read_status(Object(o.at("status"), o, "status"), n.grade);
  if (o.has("message")) n.message = read_message(Object(o.at("message"), o, "message"), n.grade);
  if (o.has("text")) n.text = o.text("text", "", 256);
  n.index = o.digits("index", "", 10);
  n.extindex = o.digits("extindex", "0000000000", 10);
  if (o.has("alerts")) {
    const json alerts = o.array("alerts");
    for (std::size_t i = 0; i < alerts.size(); ++i) {
      n.alerts.push_back(read_alert(Object(alerts.element(i), o, "alerts", i)));
    }
  }
  return n;
}

// Walks every node of a system in document order.
template <typename F>
void for_each_node(Node& node, F&& visit) {
  visit(node);
  for (Node& child : node.children) for_each_node(child, visit);
}
template <typename F>
void for_each_node(System& system, F&& visit) {
  for (MonitorSet& set : system.monitor_sets) {
    for (Monitor& monitor : set.monitors) {
      if (monitor.tree) for_each_node(*monitor.tree, visit);
    }
  }
}

std::string ten_digits(unsigned long number) {
  std::string s = std::to_string(number);
  return std::string(s.size() < 10 ? 10 - s.size() : 0, '0') + s;
}

// An element as CCMS knows it across monitors: context, object, short name
// and class, joined by a unit separator into `buffer` (the fields are at
// most 40, 40, 40 and 3 bytes long).
using ElementBuffer = std::array<char, 128>;
std::string_view element_text(const Node& n, ElementBuffer& buffer) {
  std::size_t size = 0;
  for (const std::string* part : {&n.context, &n.object, &n.name, &n.mtclass}) {
    if (size > 0) buffer[size++] = '\x1f';
    std::size_t n_bytes = std::min(part->size(), buffer.size() - size);
    std::memcpy(buffer.data() + size, part->data(), n_bytes);
    size += n_bytes;
  }
  return {buffer.data(), size};
}

// Nodes that stand for the same element; hashed and compared by that text
// without keeping it.
struct SameElementHash {
  std::size_t operator()(const Node* n) const {
    ElementBuffer buffer;
    return std::hash<std::string_view>()(element_text(*n, buffer));
  }
};
struct SameElement {
  bool operator()(const Node* a, const Node* b) const {
    ElementBuffer first, second;
    return element_text(*a, first) == element_text(*b, second);
  }
};

// Numbers MTEs and alerts that the file does not number itself: ascending
// in document order, skipping numbers the file uses.
void assign_identifiers(System& system) {
  std::set<std::string> used_uids, used_alerts;
  for_each_node(system, [&](Node& n) {
    if (!n.uid.empty()) used_uids.insert(n.uid);
    for (Alert& a : n.alerts) {
      if (!a.uniqnum.empty()) used_alerts.insert(a.uniqnum);
    }
  });
  unsigned long next_uid = 1, next_alert = 1;
  // Monitors are views of one system's MTEs: the element with the same
  // context, object, short name and class keeps one MTUID in every monitor
  // that shows it, as in CCMS.
  std::unordered_set<const Node*, SameElementHash, SameElement> numbered;
  for_each_node(system, [&](Node& n) {
    if (n.uid.empty()) {
      auto known = numbered.find(&n);
      if (known != numbered.end()) {
        n.uid = (*known)->uid;
      } else {
        while (!used_uids.empty() && used_uids.count(ten_digits(next_uid)) != 0) ++next_uid;
        n.uid = ten_digits(next_uid++);
        numbered.insert(&n);
      }
    }
    if (n.index.empty()) n.index = n.uid;
    for (Alert& a : n.alerts) {
      if (a.uniqnum.empty()) {
        while (used_alerts.count(ten_digits(next_alert)) != 0) ++next_alert;
        a.uniqnum = ten_digits(next_alert++);
      }
      if (a.index.empty()) a.index = a.uniqnum;
    }
  });
}

std::vector<std::string> versions(json v, const std::string& path) {
  std::vector<std::string> result;
  auto add = [&](json item) {
    if (!item.is_string() || item.text().empty() || item.text().size() > 10) {
      throw LandscapeError(path + ": a version is a text of 1 to 10 characters");
    }
    result.push_back(std::string(item.text()));
  };
  if (v.is_array()) {
    for (std::size_t i = 0; i < v.size(); ++i) add(v.element(i));
  } else {
    add(v);
  }
  return result;
}

System read_system(const Object& o) {
  o.allow_only({"sid", "host", "sysnr", "gateway", "message_server", "segment", "clients", "rfcsi",
                "xmi", "faults", "call_delay_ms", "monitor_sets"});
  System s;
  s.sid = o.required_text("sid", 8);
  s.host = o.required_text("host", 32);
  s.sysnr = o.digits("sysnr", "", 2);
  if (s.sysnr.empty()) o.fail("key \"sysnr\" is missing");
  s.gateway_host = s.host;
  s.gateway_service = "sapgw" + s.sysnr;
  if (o.has("gateway")) {
    Object g(o.at("gateway"), o, "gateway");
    g.allow_only({"host", "service"});
    s.gateway_host = g.text("host", s.gateway_host, 100);
    s.gateway_service = g.text("service", s.gateway_service, 32);
  }
  if (o.has("message_server")) {
    Object m(o.at("message_server"), o, "message_server");
    m.allow_only({"host", "groups"});
    s.message_server = m.required_text("host", 100);
    if (m.has("groups")) {
      const json groups = m.array("groups");
      for (std::size_t i = 0; i < groups.size(); ++i) {
        if (!groups.element(i).is_string()) m.fail("groups must be texts");
        s.logon_groups.emplace_back(groups.element(i).text());
      }
    } else {
      s.logon_groups = {"PUBLIC"};
    }
  }
  s.segment = o.text("segment", "SAP_CCMS_" + s.host + "_" + s.sid + "_" + s.sysnr, 40).substr(0, 40);

  if (!o.has("clients")) o.fail("key \"clients\" is missing");
  Object clients(o.at("clients"), o, "clients");
  for (std::size_t c = 0; c < clients.size(); ++c) {
    std::string_view client = clients.key(c);
    if (client.size() != 3 || client.find_first_not_of("0123456789") != std::string::npos) {
      throw LandscapeError(clients.path(client) + ": a client is three digits");
    }
    Object users(clients.member(c), clients, client);
    auto& entry = s.clients[std::string(client)];
    for (std::size_t u = 0; u < users.size(); ++u) {
      std::string_view user = users.key(u);
      if (!users.member(u).is_string()) throw LandscapeError(users.path(user) + ": the password must be a string");
      entry[upper(trim_right(user))] = trim_right(users.member(u).text());
    }
  }

  if (o.has("rfcsi")) {
    Object r(o.at("rfcsi"), o, "rfcsi");
    const StructureDefinition* rfcsi = find_structure("RFCSI");
    for (std::size_t i = 0; i < r.size(); ++i) {
      std::string_view field = r.key(i);
      const json value = r.member(i);
      const FieldDefinition* f = rfcsi->field(field);
      if (f == nullptr) throw LandscapeError(r.path(field) + ": RFCSI has no such field");
      if (!value.is_string()) throw LandscapeError(r.path(field) + ": must be a string");
      if (value.text().size() > f->length) {
        throw LandscapeError(r.path(field) + ": longer than " + std::to_string(f->length) + " characters");
      }
      s.rfcsi[std::string(field)] = std::string(value.text());
    }
  }

  if (o.has("xmi")) {
    Object x(o.at("xmi"), o, "xmi");
    for (std::size_t i = 0; i < x.size(); ++i) {
      std::string_view name = x.key(i);
      if (name.empty() || name.size() > 3) throw LandscapeError(x.path(name) + ": an interface name has 1 to 3 characters");
      s.xmi.push_back({std::string(name), versions(x.member(i), x.path(name))});
    }
  } else {
    s.xmi = {{"XAL", {"1.0"}}};
  }

  if (o.has("faults")) {
    Object f(o.at("faults"), o, "faults");
    for (std::size_t i = 0; i < f.size(); ++i) {
      const std::string key(f.key(i));
      if (!is_fault_key(key)) {
        throw LandscapeError(f.path(key) +
                             ": not a fault key of this system (\"open\", a function module, or \"RfcCall\", "
                             "\"RfcInstallStructure\", \"ItCreate\", \"ItGetLine\" or \"ItDelete\" and a name)");
      }
      s.faults[key] = read_fault(Object(f.member(i), f, f.key(i)));
    }
  }

  s.call_delay_ms = o.integer("call_delay_ms", 0);
  if (s.call_delay_ms < 0 || s.call_delay_ms > 600000) o.fail("call_delay_ms must be 0 to 600000");

  if (o.has("monitor_sets")) {
    const json sets = o.array("monitor_sets");
    for (std::size_t i = 0; i < sets.size(); ++i) {
      Object set(sets.element(i), o, "monitor_sets", i);
      set.allow_only({"name", "monitors"});
      MonitorSet ms;
      ms.name = set.required_text("name", 60);
      if (set.has("monitors")) {
        const json monitors = set.array("monitors");
        for (std::size_t k = 0; k < monitors.size(); ++k) {
          Object m(monitors.element(k), set, "monitors", k);
          m.allow_only({"name", "tree"});
          Monitor monitor;
          monitor.name = m.required_text("name", 60);
          if (m.has("tree")) {
            monitor.tree = read_node(Object(m.at("tree"), m, "tree"), Inherited{s.sid, s.sid, "010", "", 1});
          }
          ms.monitors.push_back(std::move(monitor));
        }
      }
      s.monitor_sets.push_back(std::move(ms));
    }
  }
  assign_identifiers(s);
  return s;
}

std::string file_content(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw LandscapeError("landscape file " + file + " cannot be opened");
  std::string content;
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) content.append(buffer, static_cast<std::size_t>(in.gcount()));
  return content;
}

}  // namespace

const Fault* System::fault(const std::string& operation) const {
  auto it = faults.find(operation);
  return it == faults.end() ? nullptr : &it->second;
}

std::string landscape_file_name() {
  const char* name = std::getenv("RFCSIM_LANDSCAPE");
  if (name != nullptr && *name != '\0') return name;
  return "rfcsim.json";
}

Landscape parse_landscape(const std::string& text, const std::string& file) {
  std::unique_ptr<JsonDocument> document;
  try {
    document = std::make_unique<JsonDocument>(text);
  } catch (const JsonSyntaxError& e) {
    // The parser's own text carries line and column; drop its tag.
    std::string what = e.what();
    std::size_t tag_end = what.find("] ");
    if (tag_end != std::string::npos) what = what.substr(tag_end + 2);
    throw LandscapeError("landscape file " + file + ": " + what);
  }
  try {
    Object top(document->root(), "landscape");
    top.allow_only({"call_log", "systems"});
    Landscape landscape;
    landscape.file = file;
    // A file name of this machine, not a text of the system: it stays as
    // written. Made absolute now, so that the lines written at process end
    // land beside the others wherever the working directory has gone.
    landscape.call_log = top.text("call_log", "", 1024);
    if (!landscape.call_log.empty()) landscape.call_log = std::filesystem::absolute(landscape.call_log).string();
    if (!top.has("systems")) top.fail("key \"systems\" is missing");
    // Everything the systems deliver is in the logon code page, and so are
    // the names the client sends to find it: the document holds it so.
    const json systems = top.array("systems");
    landscape.systems.reserve(systems.size());
    for (std::size_t i = 0; i < systems.size(); ++i) {
      landscape.systems.push_back(read_system(Object(systems.element(i), "systems[" + std::to_string(i) + "]")));
    }
    for (System& system : landscape.systems) index_mtes(system);
    return landscape;
  } catch (const LandscapeError& e) {
    throw LandscapeError("landscape file " + file + ": " + e.what());
  }
}

Landscape read_landscape(const std::string& file) { return parse_landscape(file_content(file), file); }

std::shared_ptr<const Landscape> load_landscape(const std::string& file) {
  // One landscape kept: a global run opens the same file once per system.
  struct Cached {
    std::string file, directory, content;
    std::shared_ptr<const Landscape> landscape;
  };
  static Cached cached;
  std::string content = file_content(file);
  std::string directory = std::filesystem::current_path().string();
  if (cached.landscape == nullptr || cached.file != file || cached.directory != directory ||
      cached.content != content) {
    auto landscape = std::make_shared<const Landscape>(parse_landscape(content, file));
    cached = {file, std::move(directory), std::move(content), std::move(landscape)};
  }
  return cached.landscape;
}

}  // namespace rfcsim
