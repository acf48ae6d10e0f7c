#include "ccms_fixture.h"

namespace rfcsim_test {

const char* kTree = R"({"name": "Entire System", "children": [
  {"name": "R3Services", "class": "070", "context": "prdci01_PRD_00", "children": [
    {"name": "Dialog", "children": [
      {"name": "ResponseTime", "grade": 2, "last_value_time": "20120822141000",
       "performance": {"last": 1234, "min": -5, "max": 2500, "unit": "msec", "avg01": 900,
                       "time": "20120822141000", "min_time": "20120821101500", "max_time": "20120822140500",
                       "yellow_to_red": 3000, "green_to_yellow": 1000, "attribute_group": "R3DialogResponseTime"},
       "alerts": [{"time": "20120822101500", "message": "Dialog response time 1234 msec", "severity": 50},
                  {"time": "20120822120000", "message": "Dialog response time 2500 msec", "value": 3}]},
      {"name": "UsersLoggedOn", "visibility": 2, "performance": {"last": 17}}]},
    {"name": "Syslog", "class": "101", "grade": 3,
     "message": {"text": "Database error 1555 at SELECT", "time": "20120822093000", "id": "BY2", "client": "100", "user": "BATCH"}},
    {"name": "Status", "class": "102", "status": {"text": "Instance started", "time": "20120801060000"}},
    {"name": "Kernel", "class": "111", "text": "721 patch 400"},
    {"name": "Release", "class": "110", "text": ""}]}]})";

void Ccms::SetUp() {
  SimTest::SetUp();
  landscape(small_landscape(kTree, "", top_keys_));
  handle_ = open("prdci01", 0, "100", "MONITOR", "Secret01");
  ASSERT_NE(handle_, 0u) << last_error().message;
  ASSERT_EQ(xmi_logon(handle_).rc, RFC_OK);
}

std::vector<Buffer> Ccms::tree(std::int32_t depth, std::int32_t level, const std::string& monitor, Outcome* outcome,
                               const std::string& monitor_set) {
  FullCall gettree("BAPI_SYSTEM_MON_GETTREE");
  gettree.text("EXTERNAL_USER_NAME") = pad_to("MONITOR", 16);
  gettree.integer("MAX_TREE_DEPTH") = depth;
  gettree.record("MONITOR_NAME").set("MONI_NAME", monitor);
  gettree.record("MONITOR_NAME").set("MS_NAME", monitor_set);
  gettree.integer("VIS_ON_USR_LEVEL") = level;
  Outcome result = gettree.run(handle_);
  if (outcome != nullptr) *outcome = result;
  ITAB_H nodes = gettree.table("TREE_NODES");
  std::vector<Buffer> rows;
  for (unsigned i = 1; i <= rfc().ItFill(nodes); ++i) rows.push_back(line(nodes, i, "BAPITNDEXT"));
  return rows;
}

Buffer Ccms::node(const std::string& name) {
  for (const Buffer& row : tree()) {
    if (row.trimmed("MTNAMESHRT") == name) return row;
  }
  throw std::runtime_error("no node " + name);
}

Buffer tid_of(const Buffer& row) {
  Buffer tid("BAPITID");
  for (const Field& f : layout("BAPITID").fields) tid.set(f.name, row.text(f.name));
  return tid;
}

Outcome Ccms::mte_call(const std::string& function, const Buffer& row,
                       std::vector<std::pair<std::string, Buffer*>> into) {
  FullCall call(function);
  call.text("EXTERNAL_USER_NAME") = pad_to("MONITOR", 16);
  call.record("TID") = tid_of(row);
  for (auto& [name, buffer] : into) call.record(name) = *buffer;
  Outcome outcome = call.run(handle_);
  for (auto& [name, buffer] : into) *buffer = call.record(name);
  return outcome;
}

}  // namespace rfcsim_test
