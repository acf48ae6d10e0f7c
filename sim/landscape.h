// The simulated SAP landscape: systems, how they are reached, their logon
// data, their CCMS monitors and the faults they are told to show. Read from
// a JSON landscape file (landscape_file.h); every default is resolved when
// the file is read, so the model holds the values the system answers with.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
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
  std::optional<TimeSpec> alert_time, value_alert_time;
  std::optional<Performance> performance;
  std::optional<StatusMessage> status;
  std::optional<ContainerMessage> message;
  std::optional<std::string> text;
  std::vector<Alert> alerts;
  std::vector<Node> children;
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
  std::vector<MonitorSet> monitor_sets;

  const Fault* fault(const std::string& operation) const;
};

struct Landscape {
  std::string file;      // the file it was read from
  std::string call_log;  // empty = no call log
  std::vector<System> systems;
};

}  // namespace rfcsim
