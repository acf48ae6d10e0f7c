// Monitor lists and the monitor tree.
#include "ccms_fixture.h"

namespace rfcsim_test {
namespace {

using Monitors = Ccms;

struct Row {
  std::string name;
  std::int32_t level, index, parent;
};

std::vector<Row> shape(const std::vector<Buffer>& rows) {
  std::vector<Row> result;
  for (const Buffer& r : rows) {
    result.push_back({r.trimmed("MTNAMESHRT"), r.integer("ALLEVINTRE"), r.integer("ALIDXINTRE"), r.integer("ALPARINTRE")});
  }
  return result;
}

bool operator==(const Row& a, const Row& b) {
  return a.name == b.name && a.level == b.level && a.index == b.index && a.parent == b.parent;
}
std::ostream& operator<<(std::ostream& out, const Row& r) {
  return out << r.name << "/" << r.level << "/" << r.index << "/" << r.parent;
}

TEST_F(Monitors, ListsOfSetsAndMonitors) {
  std::string user = "MONITOR         ";
  Buffer ret("BAPIRET2");
  Parameters exporting, importing;
  exporting.text("EXTERNAL_USER_NAME", user);
  importing.record("RETURN", ret);
  Tables tables;
  ITAB_H sets = tables.add("MONITOR_SETS", "BAPIMSNAME");
  ASSERT_EQ(call(handle_, "BAPI_SYSTEM_MS_GETLIST", exporting, importing, tables).rc, RFC_OK);
  ASSERT_EQ(rfc().ItFill(sets), 2u);
  EXPECT_EQ(line(sets, 1, "BAPIMSNAME").text("NAME"), "SAP CCMS Monitor Templates" + std::string(34, ' '));
  EXPECT_EQ(line(sets, 2, "BAPIMSNAME").trimmed("NAME"), "SAP CCMS Technical Expert Monitors");

  for (const std::string& set : {std::string("SAP CCMS Monitor Templates"), std::string("No Such Set")}) {
    Buffer set_name("BAPIMSNAME");
    set_name.set("NAME", set);
    Parameters exp2, imp2;
    exp2.text("EXTERNAL_USER_NAME", user).record("MONI_SET_NAME", set_name);
    imp2.record("RETURN", ret);
    Tables t2;
    ITAB_H monitors = t2.add("MONITOR_NAMES", "BAPIMNNAME");
    Outcome outcome = call(handle_, "BAPI_SYSTEM_MON_GETLIST", exp2, imp2, t2);
    if (set == "No Such Set") {
      EXPECT_EQ(outcome.rc, RFC_EXCEPTION);
      EXPECT_EQ(outcome.exception, "MONITOR_SET_NOT_FOUND");
      continue;
    }
    ASSERT_EQ(rfc().ItFill(monitors), 2u);
    Buffer first = line(monitors, 1, "BAPIMNNAME");
    EXPECT_EQ(first.trimmed("MONI_NAME"), "Entire System");
    EXPECT_EQ(first.trimmed("MS_NAME"), "SAP CCMS Monitor Templates");
    EXPECT_EQ(line(monitors, 2, "BAPIMNNAME").trimmed("MONI_NAME"), "Empty");
  }
}

TEST_F(Monitors, TreeComesDepthFirstWithLevelsIndicesAndParents) {
  const std::vector<Row> full = {
      {"Entire System", 1, 1, 0}, {"R3Services", 2, 2, 1}, {"Dialog", 3, 3, 2},
      {"ResponseTime", 4, 4, 3},  {"UsersLoggedOn", 4, 5, 3}, {"Syslog", 3, 6, 2},
      {"Status", 3, 7, 2},        {"Kernel", 3, 8, 2},        {"Release", 3, 9, 2}};
  EXPECT_EQ(shape(tree(0, 3)), full);

  // Depth and visibility filters; a hidden node takes its subtree along
  // and the rest keep the numbers of the full tree.
  struct Case {
    std::int32_t depth, level;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {1, 3, {"Entire System"}},
      {2, 3, {"Entire System", "R3Services"}},
      {3, 3, {"Entire System", "R3Services", "Dialog", "Syslog", "Status", "Kernel", "Release"}},
      {0, 1, {"Entire System", "R3Services", "Dialog", "ResponseTime", "Syslog", "Status", "Kernel", "Release"}},
      {0, 0, {"Entire System", "R3Services", "Dialog", "ResponseTime", "Syslog", "Status", "Kernel", "Release"}},
      {0, -1, {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> names;
    std::vector<Row> rows = shape(tree(c.depth, c.level));
    for (const Row& r : rows) names.push_back(r.name);
    EXPECT_EQ(names, c.names) << "depth " << c.depth << " level " << c.level;
    for (const Row& r : rows) {
      auto same = std::find_if(full.begin(), full.end(), [&r](const Row& f) { return f.name == r.name; });
      EXPECT_EQ(r, *same);
    }
  }
}

TEST_F(Monitors, HiddenNodeHidesItsChildren) {
  landscape(small_landscape(R"({"name": "Root", "children": [
      {"name": "Expert", "visibility": 2, "children": [{"name": "Leaf", "visibility": 0}]},
      {"name": "Plain"}]})"));
  rfc().RfcClose(0);
  handle_ = open("prdci01", 0, "100", "MONITOR", "Secret01");
  ASSERT_EQ(xmi_logon(handle_).rc, RFC_OK);
  const std::vector<Row> expected = {{"Root", 1, 1, 0}, {"Plain", 2, 4, 1}};
  EXPECT_EQ(shape(tree(0, 1)), expected);
}

TEST_F(Monitors, TreeRowCarriesTheNodeAtItsOffsets) {
  std::vector<Buffer> rows = tree();
  const Buffer& rt = rows[3];
  const std::string b(rt.bytes.begin(), rt.bytes.end());
  EXPECT_EQ(b.substr(0, 8), "PRD     ");                                   // MTSYSID
  EXPECT_EQ(b.substr(8, 40), "prdci01_PRD_00" + std::string(26, ' '));     // MTMCNAME, inherited
  EXPECT_EQ(b.substr(48, 3), "010");                                       // MTNUMRANGE
  EXPECT_EQ(b.substr(51, 10), "0000000004");                               // MTUID
  EXPECT_EQ(b.substr(61, 3), "100");                                       // MTCLASS
  EXPECT_EQ(b.substr(64, 10), "0000000004");                               // MTINDEX
  EXPECT_EQ(rt.integer("ALTREENUM"), 1);
  EXPECT_EQ(b.substr(100, 40), "Dialog" + std::string(34, ' '));           // OBJECTNAME: the parent object
  EXPECT_EQ(b.substr(140, 40), "ResponseTime" + std::string(28, ' '));     // MTNAMESHRT
  EXPECT_EQ(rt.integer("HIGHALVAL"), 2);
  EXPECT_EQ(b.substr(232, 8), "PRD     ");                                 // ALSYSID of the newest alert
  EXPECT_EQ(b.substr(240, 40), pad_to("SAP_CCMS_prdci01_PRD_00", 40));   // MSEGNAME
  EXPECT_EQ(b.substr(280, 10), "0000000002");                              // ALUNIQNUM
  EXPECT_EQ(b.substr(300, 14), "20120822120000");                          // ALERTDATE, ALERTTIME
  EXPECT_EQ(b.substr(314, 2), "  ");                                       // DUMMYALIGN
  EXPECT_EQ(b.substr(316, 14), "20120822141000");                          // LASTVALDAT, LASTVALTIM
  EXPECT_EQ(b.substr(330, 2), "  ");
  EXPECT_EQ(rt.integer("ACTUALVAL"), 2);
  EXPECT_EQ(b.substr(408, 14), "20120822120000");                          // VALERTDATE, VALERTTIME
  EXPECT_EQ(rt.integer("COUNTOFACT"), 2);
  EXPECT_EQ(rt.integer("VISUSERLEV"), 0);
  EXPECT_EQ(rt.integer("TDSTATUS"), 0);

  // Summary nodes show the worst grade below them; a node without alerts
  // has SAP's initial date and time.
  EXPECT_EQ(rows[0].integer("ACTUALVAL"), 3);
  EXPECT_EQ(rows[0].integer("HIGHALVAL"), 3);
  EXPECT_EQ(rows[0].text("MTMCNAME"), pad_to("PRD", 40));
  EXPECT_EQ(rows[6].text("ALERTDATE") + rows[6].text("ALERTTIME"), "00000000000000");
  EXPECT_EQ(rows[6].text("ALUNIQNUM"), std::string(10, ' '));
  EXPECT_EQ(rows[6].text("LASTVALDAT"), "20120801");  // from the status message
}

TEST_F(Monitors, UnknownMonitorAndEmptyMonitor) {
  Outcome outcome;
  EXPECT_TRUE(tree(0, 3, "No Such Monitor", &outcome).empty());
  EXPECT_EQ(outcome.rc, RFC_EXCEPTION);
  EXPECT_EQ(outcome.exception, "MONITOR_NOT_FOUND");
  EXPECT_TRUE(tree(0, 3, "Empty", &outcome).empty());
  EXPECT_EQ(outcome.rc, RFC_OK);
}

}  // namespace
}  // namespace rfcsim_test
