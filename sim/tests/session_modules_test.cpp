// RFC_SYSTEM_INFO and the XMI session modules.
#include "ccms_fixture.h"

namespace rfcsim_test {
namespace {

class Session : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    landscape(small_landscape(R"({"name": "Entire System"})",
                              R"("rfcsi": {"RFCDBSYS": "DB6", "RFCDEST": "PRD"},)"));
    handle_ = open("prdci01", 0, "100", "MONITOR", "Secret01");
    ASSERT_NE(handle_, 0u) << last_error().message;
  }
  Buffer logoff(Outcome& outcome) {
    std::string interface_name = "XAL";
    Buffer ret("BAPIRET2");
    Parameters exporting, importing;
    exporting.text("INTERFACE", interface_name);
    importing.record("RETURN", ret);
    Tables none;
    outcome = call(handle_, "BAPI_XMI_LOGOFF", exporting, importing, none);
    return ret;
  }
  RFC_HANDLE handle_ = 0;
};

TEST_F(Session, SystemInfoFillsRfcsiAtItsOffsets) {
  Buffer rfcsi("RFCSI");
  std::int32_t current = -1, maximal = -1, delay = -1;
  std::string dialog_type = "?", complete = "?";
  Parameters exporting, importing;
  importing.integer("CURRENT_RESOURCES", current).text("DIALOG_USER_TYPE", dialog_type)
      .integer("MAXIMAL_RESOURCES", maximal).integer("RECOMMENDED_DELAY", delay)
      .record("RFCSI_EXPORT", rfcsi).text("RFC_LOGIN_COMPLETE", complete);
  Tables none;
  ASSERT_EQ(call(handle_, "RFC_SYSTEM_INFO", exporting, importing, none).rc, RFC_OK);
  // Raw bytes at the dictionary offsets: blank-padded, not terminated.
  const std::string bytes(rfcsi.bytes.begin(), rfcsi.bytes.end());
  EXPECT_EQ(bytes.substr(13, 32), "PRD" + std::string(29, ' '));  // RFCDEST
  EXPECT_EQ(bytes.substr(45, 8), "prdci01 ");                      // RFCHOST
  EXPECT_EQ(bytes.substr(53, 8), "PRD     ");                      // RFCSYSID
  EXPECT_EQ(bytes.substr(101, 10), "DB6       ");                  // RFCDBSYS
  EXPECT_EQ(bytes.substr(156, 44), std::string(44, ' '));          // RFCSI_RESV, up to the end
  EXPECT_EQ(maximal, 10);
  EXPECT_EQ(complete, "X");
}

TEST_F(Session, VersionsListEveryInterfaceOrTheOneAskedFor) {
  for (const std::string& asked : {std::string("*  "), std::string("XMB")}) {
    std::string interface_name = asked;
    Parameters exporting, importing;
    exporting.text("INTERFACE", interface_name);
    Tables tables;
    ITAB_H versions = tables.add("VERSIONS", "SXMIVERS");
    ASSERT_EQ(call(handle_, "SXMI_VERSIONS_GET", exporting, importing, tables).rc, RFC_OK);
    std::vector<std::string> lines;
    for (unsigned i = 1; i <= rfc().ItFill(versions); ++i) {
      lines.emplace_back(static_cast<const char*>(rfc().ItGetLine(versions, i)), 13);
    }
    std::vector<std::string> expected = {"XMB0.1       ", "XMB2.0       "};
    if (asked == "*  ") expected.insert(expected.begin(), "XAL1.0       ");
    EXPECT_EQ(lines, expected) << asked;
  }
}

TEST_F(Session, LogonChecksInterfaceAndVersion) {
  EXPECT_EQ(xmi_logon(handle_, "0.1").exception, "VERSION_NOT_SUPPORTED");
  EXPECT_EQ(xmi_logon(handle_, "").exception, "VERSION_NOT_SUPPORTED");
  std::string company = "Keldar", product(16, ' '), interface_name = "XYZ", version = "1.0       ";
  company.resize(16, ' ');
  Buffer ret("BAPIRET2");
  std::string session(24, '?');
  Parameters exporting, importing;
  exporting.text("EXTCOMPANY", company).text("EXTPRODUCT", product).text("INTERFACE", interface_name)
      .text("VERSION", version);
  importing.record("RETURN", ret).text("SESSIONID", session);
  Tables none;
  Outcome outcome = call(handle_, "BAPI_XMI_LOGON", exporting, importing, none);
  EXPECT_EQ(outcome.rc, RFC_EXCEPTION);
  EXPECT_EQ(outcome.exception, "INTERFACE_NOT_SUPPORTED");
  EXPECT_EQ(session, std::string(24, '?'));  // nothing received on an exception
}

TEST_F(Session, MonitoringNeedsALogonAndLogoffEndsIt) {
  Outcome outcome;
  Buffer ret = logoff(outcome);
  EXPECT_EQ(outcome.rc, RFC_OK);
  EXPECT_EQ(ret.text("TYPE"), "E");

  auto ms_getlist = [this](Buffer& r) {
    std::string user = "MONITOR         ";
    Parameters exporting, importing;
    exporting.text("EXTERNAL_USER_NAME", user);
    importing.record("RETURN", r);
    Tables tables;
    ITAB_H sets = tables.add("MONITOR_SETS", "BAPIMSNAME");
    EXPECT_EQ(call(handle_, "BAPI_SYSTEM_MS_GETLIST", exporting, importing, tables).rc, RFC_OK);
    return rfc().ItFill(sets);
  };
  Buffer refused("BAPIRET2");
  EXPECT_EQ(ms_getlist(refused), 0u);
  // BAPIRET2 byte by byte: 2 padding bytes before ROW, zero.
  EXPECT_EQ(refused.text("TYPE"), "E");
  EXPECT_EQ(refused.text("ID"), "XM" + std::string(18, ' '));
  EXPECT_EQ(refused.text("NUMBER"), "028");
  EXPECT_EQ(refused.trimmed("MESSAGE"), "No XMI logon for interface XAL: log on with BAPI_XMI_LOGON first");
  EXPECT_EQ(refused.text("LOG_MSG_NO"), "000000");
  EXPECT_EQ(refused.bytes[502], 0);
  EXPECT_EQ(refused.bytes[503], 0);
  EXPECT_EQ(refused.integer("ROW"), 0);
  EXPECT_EQ(refused.text("FIELD"), std::string(30, ' '));
  EXPECT_EQ(refused.text("SYSTEM"), "PRD       ");

  ASSERT_EQ(xmi_logon(handle_).rc, RFC_OK);
  Buffer accepted("BAPIRET2");
  EXPECT_EQ(ms_getlist(accepted), 2u);
  EXPECT_EQ(accepted.text("TYPE"), " ");

  logoff(outcome);
  Buffer after("BAPIRET2");
  EXPECT_EQ(ms_getlist(after), 0u);
  EXPECT_EQ(after.text("TYPE"), "E");
}

}  // namespace
}  // namespace rfcsim_test
