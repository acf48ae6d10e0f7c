// The demo landscape of examples/, used as an administrator would: PRD by
// host and system number, QAS by destination through SapRfc.ini.
#include "ccms_fixture.h"
#include "platform/program_location.h"

namespace rfcsim_test {
namespace {

class Demo : public Ccms {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    std::string examples = keldar::platform::executable_directory() + "examples/";
    write_file("rfcsim.json", read_file(examples + "landscape.json"));
    write_file("SapRfc.ini", read_file(examples + "SapRfc.ini"));
  }
  void read_monitors(const std::string& sid) {
    ASSERT_EQ(xmi_logon(handle_).rc, RFC_OK);
    std::vector<Buffer> rows = tree();
    ASSERT_GT(rows.size(), 30u);
    EXPECT_EQ(rows[0].trimmed("MTNAMESHRT"), "Entire System");
    EXPECT_EQ(rows[1].trimmed("MTNAMESHRT"), sid);
    for (const char* monitor : {"Dialog Overview", "Operating System", "Background Processing", "Buffers",
                                "Enqueue", "Syslog"}) {
      Outcome outcome;
      EXPECT_FALSE(tree(0, 3, monitor, &outcome).empty()) << monitor;
      EXPECT_EQ(outcome.rc, RFC_OK) << monitor;
    }
  }
  Buffer find(const std::vector<Buffer>& rows, const std::string& name) {
    for (const Buffer& r : rows) {
      if (r.trimmed("MTNAMESHRT") == name) return r;
    }
    throw std::runtime_error("no node " + name);
  }
};

TEST_F(Demo, PrdByHostWithItsValues) {
  handle_ = open("prdci01", 0, "100", "MONITOR", "Secret01");
  ASSERT_NE(handle_, 0u) << last_error().message;
  read_monitors("PRD");
  std::vector<Buffer> rows = tree();
  Buffer value("BAPIPACVAL"), prop("BAPIPAPROP");
  ASSERT_EQ(mte_call("BAPI_SYSTEM_MTE_GETPERFPROP", find(rows, "ResponseTime"), {{"PROPERTIES", &prop}}).rc, RFC_OK);
  EXPECT_EQ(prop.trimmed("VALUNIT"), "msec");
  ASSERT_EQ(mte_call("BAPI_SYSTEM_MTE_GETPERFCURVAL", find(rows, "CPU Utilization"), {{"CURRENT_VALUE", &value}}).rc,
            RFC_OK);
  EXPECT_EQ(value.integer("LASTPERVAL"), 93);
  EXPECT_EQ(find(rows, "CPU Utilization").integer("ACTUALVAL"), 3);
  EXPECT_GE(find(rows, "Users Logged On").integer("VISUSERLEV"), 1);
}

TEST_F(Demo, QasByDestinationWithLowerCaseUser) {
  RFC_ERROR_INFO_EX error{};
  handle_ = rfc().RfcOpenEx("CLIENT=100 USER=MONITOR PASSWD=Secret02 LANG=D DEST=QAS", &error);
  ASSERT_NE(handle_, 0u) << error.message;
  read_monitors("QAS");
  rfc().RfcClose(handle_);
  // The passwords belong to their systems.
  EXPECT_EQ(rfc().RfcOpenEx("CLIENT=100 USER=MONITOR PASSWD=Secret01 LANG=D DEST=QAS", &error), 0u);
  EXPECT_NE(open("qasci01", 10, "100", "monitor", "Secret02"), 0u);
}

}  // namespace
}  // namespace rfcsim_test
