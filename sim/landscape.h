// The simulated SAP landscape: systems, how they are reached, their logon
// data, their CCMS monitors and the faults they are told to show. Read from
// a JSON landscape file (landscape_file.h); every default is resolved when
// the file is read, so the model holds the values the system answers with.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <array>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "time_spec.h"

namespace rfcsim {

// A fault declared for the open or for one function module.
struct Fault {
  int code = 0;              // result code of the call; 0 = none (open: fails anyway)
  std::string exception;     // exception text for codes other than 0 and 1
  std::string key;           // error key for RfcLastError
  std::string message;       // error message for RfcLastError and the trace file
  int delay_ms = 0;          // waited before answering
  std::string fatal;         // operation name handed to the error handler
};

// An optional value kept on the heap: a node carries the data of its own
// class at most, so that a large tree pays a pointer for each of the others.
template <typename T>
class Boxed {
 public:
  Boxed() = default;
  Boxed(const Boxed& other) : value_(other ? std::make_unique<T>(*other) : nullptr) {}
  Boxed(Boxed&&) noexcept = default;
  Boxed& operator=(const Boxed& other) { return *this = Boxed(other); }
  Boxed& operator=(Boxed&&) noexcept = default;
  Boxed& operator=(T value) {
    value_ = std::make_unique<T>(std::move(value));
    return *this;
  }
  ~Boxed() = default;

  explicit operator bool() const { return value_ != nullptr; }
  const T& operator*() const { return *value_; }
  const T* operator->() const { return value_.get(); }
  T value_or(T fallback) const { return value_ ? *value_ : std::move(fallback); }

 private:
  std::unique_ptr<T> value_;
};

struct Performance {
  std::int32_t last = 0, min = 0, max = 0;
  std::int32_t avg01 = 0, avg05 = 0, avg15 = 0;
  TimeSpec time, min_time, max_time;
  std::string unit;
  std::int32_t decimals = 0;
  std::int32_t relvaltype = 0, threshold_direction = 0, threshold_status = 0;
  std::int32_t green_to_yellow = 0, yellow_to_red = 0, yellow_to_green = 0, red_to_yellow = 0;
  std::string attribute_group;
  std::string msgclass, msgid;
};

struct StatusMessage {
  std::int32_t value = 1;
  TimeSpec time;
  std::string text;
};

struct ContainerMessage {
  std::string text;
  TimeSpec time;
  std::int32_t value = 1, severity = 0;
  std::string id, client, user, msgclass, msgid;
};

struct Alert {
  TimeSpec time;
  std::string message;
  std::int32_t value = 2, severity = 50, status = 10;
  std::string uniqnum, index;  // ALUNIQNUM, ALINDEX
  std::string client, user, reported_by, msgid;
};

struct Node {
  std::string name;         // MTNAMESHRT
  std::string mtclass;      // MTCLASS
  std::int32_t grade = 1;   // ACTUALVAL
  std::int32_t highest = 1; // HIGHALVAL
  std::int32_t severity = 0, highest_severity = 0;
  std::int32_t visibility = 0;  // VISUSERLEV
  std::int32_t tree_number = 1; // ALTREENUM
  std::int32_t delivery_status = 0, td_status = 0;
  std::optional<std::int32_t> open_alerts, alert_total;  // COUNTOFACT, COUNTSUM
  std::string sysid, context, numrange, uid, index, extindex;  // the MTE identifier
  std::string object, customizing_group;
  TimeSpec last_value_time;
  Boxed<TimeSpec> alert_time, value_alert_time;
  Boxed<Performance> performance;
  Boxed<StatusMessage> status;
  Boxed<ContainerMessage> message;
  Boxed<std::string> text;
  std::vector<Alert> alerts;
  std::vector<Node> children;
};

// The identifier of an MTE: its seven BAPITID fields (MTSYSID, MTMCNAME,
// MTNUMRANGE, MTUID, MTCLASS, MTINDEX, EXTINDEX), each without trailing
// blanks.
using MteIdentifier = std::array<std::string_view, 7>;
MteIdentifier mte_identifier(const Node& node);

// Nodes by their identifier, and identifiers looked up among them.
struct MteHash {
  using is_transparent = void;
  std::size_t operator()(const MteIdentifier& id) const;
  std::size_t operator()(const Node* node) const { return (*this)(mte_identifier(*node)); }
};
struct MteEqual {
  using is_transparent = void;
  bool operator()(const MteIdentifier& a, const MteIdentifier& b) const { return a == b; }
  bool operator()(const Node* a, const Node* b) const { return mte_identifier(*a) == mte_identifier(*b); }
  bool operator()(const Node* a, const MteIdentifier& b) const { return mte_identifier(*a) == b; }
  bool operator()(const MteIdentifier& a, const Node* b) const { return a == mte_identifier(*b); }
};

struct Monitor {
  std::string name;
  std::optional<Node> tree;  // the root node; none for an empty monitor
};

struct MonitorSet {
  std::string name;
  std::vector<Monitor> monitors;
};

struct XmiInterface {
  std::string name;
  std::vector<std::string> versions;
};

struct System {
  std::string sid;
  std::string host;
  std::string sysnr;  // two digits
  std::string gateway_host, gateway_service;
  std::string message_server;              // MSHOST for load balancing, empty = none
  std::vector<std::string> logon_groups;   // GROUP values
  std::string segment;                     // MSEGNAME of its alerts
  // client -> (upper-case user -> password)
  std::map<std::string, std::map<std::string, std::string>> clients;
  std::map<std::string, std::string> rfcsi;  // RFCSI field -> value
  std::vector<XmiInterface> xmi;
  std::map<std::string, Fault> faults;  // "open" or a function module name
  int call_delay_ms = 0;  // waited at every open and before every answer, as a real system's round trip
  std::vector<MonitorSet> monitor_sets;
  // Every MTE by its identifier, the first in document order where
  // monitors show the same one; filled when the file is read
  // (monitor_tree.h).
  std::unordered_set<const Node*, MteHash, MteEqual> mtes;

  const Fault* fault(const std::string& operation) const;
};

struct Landscape {
  std::string file;      // the file it was read from
  std::string call_log;  // empty = no call log
  std::vector<System> systems;
};

}  // namespace rfcsim
