// The annotated example of docs/simulator.md works as printed there.
#include "ccms_fixture.h"
#include "platform/program_location.h"

namespace rfcsim_test {
namespace {

std::string documented_example() {
  std::string doc = read_file(keldar::platform::executable_directory() + "examples/simulator.md");
  std::size_t section = doc.find("## An annotated example");
  std::size_t begin = doc.find("```json\n", section);
  std::size_t end = doc.find("```\n", begin + 8);
  if (section == std::string::npos || begin == std::string::npos || end == std::string::npos) return "";
  return doc.substr(begin + 8, end - begin - 8);
}

class Documentation : public Ccms {
 protected:
  void SetUp() override { SimTest::SetUp(); }
};

TEST_F(Documentation, AnnotatedExampleBehavesAsDescribed) {
  std::string example = documented_example();
  ASSERT_FALSE(example.empty());
  landscape(example);
  handle_ = open("DEVCI01", 0, "100", "monitor", "Start123");
  ASSERT_NE(handle_, 0u) << last_error().message;
  ASSERT_EQ(xmi_logon(handle_).rc, RFC_OK);

  Outcome fetched;
  std::vector<Buffer> rows = tree(0, 0, "Dialog", &fetched, "My Monitors");
  ASSERT_EQ(fetched.rc, RFC_OK);
  ASSERT_EQ(rows.size(), 5u);  // "Users Logged On" needs level 1
  const Buffer &root = rows[0], &response = rows[1];
  EXPECT_EQ(root.text("MTCLASS"), "050");
  EXPECT_EQ(root.integer("ACTUALVAL"), 3);
  EXPECT_EQ(response.text("MTCLASS"), "100");
  EXPECT_EQ(response.text("MTUID"), "0000000002");

  Buffer value("BAPIPACVAL");
  ASSERT_EQ(mte_call("BAPI_SYSTEM_MTE_GETPERFCURVAL", response, {{"CURRENT_VALUE", &value}}).rc, RFC_OK);
  EXPECT_EQ(value.integer("LASTPERVAL"), 1250);
  EXPECT_EQ(value.text("MAXPFDATE") + value.text("MAXPFTIME"), "20240612101500");
  rfc().RfcClose(handle_);
  EXPECT_NE(read_file("calls.log").find("BAPI_SYSTEM_MTE_GETPERFCURVAL EXTERNAL_USER_NAME=MONITOR MTUID=0000000002 rc=0\n"), std::string::npos);
}

}  // namespace
}  // namespace rfcsim_test
