#include "eval/tree_walk.h"

#include <gtest/gtest.h>

#include <cstring>

#include "eval/node_line.h"
#include "text/ascii.h"
#include "text/fixed_field.h"

namespace keldar {
namespace {

template <std::size_t N>
void put(char (&field)[N], std::string_view text) {
  std::memset(field, ' ', N);
  std::memcpy(field, text.data(), std::min(N, text.size()));
}

struct Node {
  int level;
  const char* name;
  const char* mtclass;
  int uid;
  int grade = 1;
  const char* object = "";
  const char* context = "prdci01_PRD_00";
};

TreeRow row_of(const Node& n) {
  BapitndextRecord r{};
  put(r.MTSYSID, "PRD");
  put(r.MTMCNAME, n.context);
  put(r.MTNUMRANGE, "010");
  char uid[11];
  std::snprintf(uid, sizeof uid, "%010d", n.uid);
  put(r.MTUID, uid);
  put(r.MTCLASS, n.mtclass);
  put(r.MTINDEX, uid);
  put(r.EXTINDEX, "0000000000");
  r.ALTREENUM = 1;
  r.ALLEVINTRE = n.level;
  put(r.OBJECTNAME, *n.object != '\0' ? n.object : n.name);
  put(r.MTNAMESHRT, n.name);
  r.HIGHALVAL = n.grade;
  r.ACTUALVAL = n.grade;
  put(r.ALERTDATE, "20120822");
  put(r.ALERTTIME, "101500");
  put(r.LASTVALDAT, "20120821");
  put(r.LASTVALTIM, "235959");
  return TreeRow(r);
}

class Rows : public TreeRows {
 public:
  explicit Rows(std::vector<Node> nodes) : nodes_(std::move(nodes)) {}
  unsigned count() const override { return static_cast<unsigned>(nodes_.size()); }
  TreeRow row(unsigned number) const override { return row_of(nodes_.at(number - 1)); }

 private:
  std::vector<Node> nodes_;
};

// Records what the walk does; a performance value reads as "v<uid>" in "%".
class World : public WalkWorld {
 public:
  std::vector<std::string> events;
  void channel(std::string_view name, std::string_view value, std::string_view unit,
               std::string_view key) override {
    events.push_back("channel " + std::string(name) + " = " + std::string(value) + " " +
                     std::string(unit) + (key != name ? " key " + std::string(key) : ""));
  }
  void print(std::string_view text) override { events.push_back("print " + std::string(text)); }
  Reading performance_value(const TreeRow& row) override {
    events.push_back("value " + std::string(row.short_name()));
    return {0, true, "v" + std::string(row.mtuid().substr(8)), "%"};
  }
  Reading text_property(const TreeRow& row) override {
    events.push_back("text " + std::string(row.short_name()));
    return {0, true, "721", "patch"};
  }
  std::optional<int> report(Report report, const TreeRow& row) override {
    const char* kinds[] = {"timed", "last", "value"};
    events.push_back(std::string("report ") + kinds[static_cast<int>(report)] + " " +
                     std::string(row.short_name()));
    return 0;
  }
};

// A monitor as the CCMS templates have them.
const std::vector<Node> kTree = {
    {1, "Entire System", "050", 1, 3},
    {2, "PRD", "050", 2, 3},
    {3, "R3Services", "070", 3, 2},
    {4, "Dialog", "050", 4, 2},
    {5, "ResponseTime", "100", 5, 2},
    {5, "Users Logged On", "100", 6, 1},
    {5, "Kernel", "111", 7, 1},
    {4, "Background", "050", 8, 1},
    {5, "Utilisation", "100", 9, 1},
    {3, "OperatingSystem", "070", 10, 3},
    {4, "CPU", "050", 11, 3},
    {5, "CPU Utilization", "100", 12, 3},
};

WalkRequest request(const std::string& parameters) {
  WalkRequest r;
  r.parameters = {text::to_upper_ascii(parameters), parameters};
  r.target_node_id = "0000000000";
  return r;
}

WalkRequest selecting(const std::string& parameters, int uid, const std::string& name = "") {
  WalkRequest r = request(parameters);
  char id[11];
  std::snprintf(id, sizeof id, "%010d", uid);
  r.target_node_id = id;
  r.target_node_name = name;
  return r;
}

std::vector<std::string> walk(const WalkRequest& r, const std::vector<Node>& nodes = kTree) {
  World world;
  walk_tree(Rows(nodes), r, world);
  return world.events;
}

TEST(TreeWalk, WithoutTargetEveryNodeIsListedAndNoChannelWritten) {
  std::vector<std::string> events = walk(request("MSET=A,MONITOR=B"));
  ASSERT_EQ(events.size(), kTree.size());
  EXPECT_EQ(events[0], "print Entire System                                  3 3 01 01 21.08.12 "
                       "23:59 22.08.12 10:15 0000000001 050\n");
  EXPECT_EQ(events[4].substr(0, 22), "print     ResponseTime");
  for (const std::string& e : events) EXPECT_EQ(e.rfind("print ", 0), 0u) << e;
}

TEST(TreeWalk, NoModeSelectedDoesNothing) {
  EXPECT_TRUE(walk(request("MONITOR-TREE=B")).empty());
}

TEST(TreeWalk, ValueSelectsOneNodeAndEndsWithTheValueReport) {
  EXPECT_EQ(walk(selecting("MSET=A,MONITOR=B,VALUE=5", 5)),
            (std::vector<std::string>{"value ResponseTime", "channel ResponseTime = v05 %",
                                      "report value ResponseTime"}));
}

TEST(TreeWalk, GroupWritesTheTargetAndTheFollowingValuesUntilAShallowerNode) {
  // Background stands at Dialog's level, so the group goes on through it;
  // OperatingSystem is shallower and ends it.
  EXPECT_EQ(walk(selecting("MSET=A,MONITOR=B,GROUP=4", 4)),
            (std::vector<std::string>{"value ResponseTime", "channel ResponseTime = v05 %",
                                      "value Users Logged On",
                                      "channel Users Logged On = v06 %", "value Utilisation",
                                      "channel Utilisation = v09 %"}));
  // A group deeper in the tree ends at the end of the table.
  EXPECT_EQ(walk(selecting("MSET=A,MONITOR=B,GROUP=11", 11)),
            (std::vector<std::string>{"value CPU Utilization", "channel CPU Utilization = v12 %"}));
}

TEST(TreeWalk, GradeWritesTheChildrenOfTheNamedNode) {
  EXPECT_EQ(walk(selecting("MSET=A,MONITOR=B,GRADE=3", 3, "R3Services")),
            (std::vector<std::string>{"channel Dialog = 2 State", "channel Background = 1 State"}));
  // The name must match too.
  EXPECT_TRUE(walk(selecting("MSET=A,MONITOR=B,GRADE=3", 3, "Other")).empty());
  // ",LAST" reports the node itself and ends the walk.
  EXPECT_EQ(walk(selecting("MSET=A,MONITOR=B,GRADE=3,LAST", 3, "R3Services")),
            (std::vector<std::string>{"report last R3Services"}));
}

TEST(TreeWalk, TimedReportsTheTargetNodeUnlessAValueOrLastStateReportIsAsked) {
  EXPECT_EQ(walk(selecting("MSET=A,MONITOR=B,TIMED", 10)),
            (std::vector<std::string>{"report timed OperatingSystem"}));
  EXPECT_EQ(walk(selecting("MSET=A,MONITOR=B,GROUP=3,TIMED", 3)),
            (std::vector<std::string>{"report timed R3Services"}));
  // Those two make the state-change sentence themselves, after their channel.
  EXPECT_EQ(walk(selecting("MSET=A,MONITOR=B,VALUE=5,TIMED", 5)),
            (std::vector<std::string>{"value ResponseTime", "channel ResponseTime = v05 %",
                                      "report value ResponseTime"}));
  EXPECT_EQ(walk(selecting("MSET=A,MONITOR=B,GRADE=3,LAST,TIMED", 3, "R3Services")),
            (std::vector<std::string>{"report last R3Services"}));
  // ",LAST" without ",GRADE=" asks for no last-state report.
  EXPECT_EQ(walk(selecting("MSET=A,MONITOR=B,LAST,TIMED", 10)),
            (std::vector<std::string>{"report timed OperatingSystem"}));
}

TEST(TreeWalk, RangeNamesTheChannelsByTheirObjects) {
  std::vector<Node> tree = {
      {1, "Disks", "050", 1},
      {2, "Host: sapdisk", "050", 2},
      {3, "sapdisk /usr", "100", 3, 1, "/usr"},
      {3, "sapdisk /var", "100", 4, 1, "/var"},
      {3, "other /tmp", "100", 5, 1, "/tmp"},
      {2, "Next", "050", 6},
      {3, "sapdisk /opt", "100", 7, 1, "/opt"},
  };
  World world;
  WalkResult result = walk_tree(Rows(tree), selecting("MSET=A,MONITOR=B,RANGE=2", 2), world);
  // Every later node whose name holds the range counts, in other groups too.
  EXPECT_EQ(world.events,
            (std::vector<std::string>{"value sapdisk /usr", "channel /usr = v03 %",
                                      "value sapdisk /var", "channel /var = v04 %",
                                      "value sapdisk /opt", "channel /opt = v07 %"}));
  EXPECT_EQ(result.range_name, "sapdisk");
}

TEST(TreeWalk, AllocInfoAndTracePrefixes) {
  WalkRequest alloc = selecting("MSET=A,MONITOR=B,GROUP=4,ALLOC", 4);
  EXPECT_EQ(walk(alloc)[1], "channel PRD/00: ResponseTime = v05 %");
  WalkRequest info = selecting("MSET=A,MONITOR=B,GROUP=4,INFO", 4);
  std::vector<std::string> events = walk(info);
  ASSERT_EQ(events.size(), 8u);
  EXPECT_EQ(events[4], "text Kernel");
  EXPECT_EQ(events[5], "channel * Kernel = 721 patch");
  WalkRequest trace = selecting("MSET=A,MONITOR=B,VALUE=12#", 12);
  trace.trace_mode = true;
  EXPECT_EQ(walk(trace)[1], "channel 3: CPU Utilization = v12 %");
  EXPECT_EQ(alloc_prefix("sapprd_ABC_01"), "ABC/01: ");
  EXPECT_EQ(alloc_prefix("nounderscore"), "");
  EXPECT_EQ(alloc_prefix("x_AB"), "AB/: ");
}

TEST(TreeWalk, GradeListAndGradesStopAfterTheFirstNode) {
  EXPECT_EQ(walk(request("MONITOR=B,MSET=A,GRADES")),
            (std::vector<std::string>{"channel PRD = 3 State"}));
  World world;
  WalkResult first = walk_tree(Rows(kTree), request("MONITOR-SET=A,GRADES"), world);
  EXPECT_TRUE(world.events.empty());
  EXPECT_EQ(first.node_grade, 3);
  EXPECT_EQ(first.node_line.substr(0, 13), "Entire System");
}

TEST(TreeWalk, GroupNameIsTheLastSummaryNodeSeen) {
  World world;
  WalkResult r = walk_tree(Rows(kTree), selecting("MSET=A,MONITOR=B,VALUE=5", 5), world);
  EXPECT_EQ(r.group_name, "Dialog");
  // The object name of the value node, as its field holds it.
  EXPECT_EQ(r.range_name, "ResponseTime" + std::string(28, ' '));
}

TEST(GlobalSearch, NodeAndSubNodeWithTheKeyOptions) {
  WalkRequest r = request("MSET=A,MONITOR=B,GBLGRD=CPU");
  r.global_run = true;
  r.global_node_name = "CPU";
  r.global_sub_node_name = "None";
  r.system_name = "PRD.P00";
  r.host_name = "prdci01";
  r.destination = "PRD";
  r.description = "Production";
  EXPECT_EQ(walk(r), (std::vector<std::string>{"channel PRD.P00 - Production = 3 State"}));

  r.parameters = {"MSET=A,MONITOR=B,GBLVAL=CPU,HOST", "MSET=A,MONITOR=B,GBLVAL=CPU,HOST"};
  r.global_node_name = "CPU";
  r.global_sub_node_name = "CPU Utilization";
  EXPECT_EQ(walk(r), (std::vector<std::string>{
                         "value CPU Utilization",
                         "channel prdci01 - Production = v12 % key PRD.P00"}));

  const struct {
    const char* option;
    const char* key;
  } keys[] = {{"", "PRD.P00"},         {",HOST", "prdci01"},   {",SID", "PRD"},
              {",SID,PROFILE", "PRD.P00"}, {",ALIAS", "PRD"}, {",ALIAS,HOST", "PRD"}};
  for (const auto& k : keys) {
    WalkRequest q = r;
    q.parameters.upper = std::string("MSET=A") + k.option;
    EXPECT_EQ(global_channel_key(q), std::string(k.key) + " - Production") << k.option;
  }
  // Not found: nothing written, nothing found.
  r.global_sub_node_name = "Nowhere";
  World world;
  EXPECT_FALSE(walk_tree(Rows(kTree), r, world).global_node_found);
  EXPECT_TRUE(world.events.empty());
}

TEST(NodeLine, LayoutAndShortForms) {
  TreeRow row = row_of({3, "Dialog", "050", 42, 2});
  EXPECT_EQ(node_line(row),
            "  Dialog                                       2 2 01 03 21.08.12 23:59 22.08.12 10:15 "
            "0000000042 050 ");
  EXPECT_EQ(node_line(row).find('2'), kNodeNameWidth);
  EXPECT_EQ(text::short_date("20261210"), "10.12.26");
  EXPECT_EQ(text::short_time("235959"), "23:59");
  EXPECT_EQ(text::short_date("        "), "  .  .  ");
  EXPECT_EQ(text::short_date(""), "  .  .  ");
  // An absurd level indents no further than the name's column.
  TreeRow deep = row_of({100000, "Deep", "050", 1});
  EXPECT_EQ(node_line(deep).substr(0, kNodeNameWidth), std::string(kNodeNameWidth, ' '));
}

}  // namespace
}  // namespace keldar
