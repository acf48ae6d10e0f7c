// The walk over a monitor tree: which nodes a sensor definition selects and
// which channels they give. The walk itself is pure; what it does to the
// world (channels, printed lines, function-module calls, reports) goes
// through WalkWorld, so a test can watch it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "config/parameter_text.h"
#include "eval/tree_row.h"

namespace keldar {

// A value read for a channel: the value and its unit as the channel shows
// them (the unit without trailing blanks), and the code of the last call.
// A reading that is not `ok` gives no channel: the monitor takes an empty
// or non-numeric value for a broken result.
struct Reading {
  int code = 0;
  bool ok = true;
  std::string value;
  std::string unit;
};

// The reports that end a walk.
enum class Report { timed, last_state, value };

class WalkWorld {
 public:
  virtual ~WalkWorld() = default;
  // Writes one channel and prints it at once. `key` names it in the
  // statistics form of Halvenor.
  virtual void channel(std::string_view name, std::string_view value, std::string_view unit,
                       std::string_view key) = 0;
  // Prints a line of the tree listing.
  virtual void print(std::string_view text) = 0;
  // The node's current performance value: its unit from the property, then
  // its value.
  virtual Reading performance_value(const TreeRow& row) = 0;
  // The node's text property (the short name goes into the alert line).
  virtual Reading text_property(const TreeRow& row) = 0;
  // Makes a report on the node; returns the code of the last call it made,
  // none when it made no call.
  virtual std::optional<int> report(Report report, const TreeRow& row) = 0;
};

// What the walk is asked for.
struct WalkRequest {
  ParameterText parameters;  // the option keywords are searched in its working copy
  bool global_run = false;
  bool trace_mode = false;
  std::string target_node_name;  // the node ID text ("ID=")
  std::string target_node_id;    // the selection value, ten characters; "0000000000": none
  // The global search: the node and sub-node names ("None": no sub-node),
  // and the parts of the channel's key.
  std::string global_node_name;
  std::string global_sub_node_name;
  std::string system_name;  // the profile file name of the system
  std::string host_name;
  std::string destination;
  std::string description;
};

// What the walk leaves behind for the modes.
struct WalkResult {
  int code = 0;  // the code of the last function-module call the walk made
  std::string group_name;
  std::string range_name;
  std::string node_line;  // of the last node built
  std::optional<std::int32_t> node_grade;  // the grade of that node
  bool global_node_found = false;
};

// Walks the rows in table order and does what the request selects: the
// global search in a global run; the grade list for ",GRADES" with
// "MONITOR="; otherwise the full walk when the text holds "MONITOR(S)",
// "MSET=", "MONITOR-SET=" or "MONITOR=" (the tree listing without a target
// node, the channels of the selected nodes with one); nothing otherwise.
WalkResult walk_tree(const TreeRows& rows, const WalkRequest& request, WalkWorld& world);

// The key of the global channel: the system's profile file name, replaced
// by the host name with ",HOST", the destination with ",SID", the file name
// with ",PROFILE", the file name without its last four characters with
// ",ALIAS" (tested in this order, the last that is present wins), then
// " - " and the description.
std::string global_channel_key(const WalkRequest& request);

// The channel name prefix of ",ALLOC" for a context such as
// "prdci01_PRD_00": the three characters after the first "_", "/", the two
// after the next character, ": ". Empty without a "_".
std::string alloc_prefix(std::string_view context);

}  // namespace keldar
