// The call log: one line per open, round trip, structure install, close,
// and the internal tables still alive at a close and at process end.
#include <cstdlib>
#include <functional>

#include "ccms_fixture.h"
#include "platform/program_location.h"

namespace rfcsim_test {
namespace {

class CallLog : public Ccms {
 protected:
  CallLog() : Ccms(R"("call_log": "calls.log",)") {}

  // The log without the structure installs, which the test client makes
  // before every call.
  std::vector<std::string> round_trips() const {
    std::vector<std::string> lines;
    for (const std::string& line : call_log()) {
      if (line.find(" RfcInstallStructure ") == std::string::npos) lines.push_back(line);
    }
    return lines;
  }
};

TEST_F(CallLog, OpenRoundTripsAndCloseInOrder) {
  Outcome outcome;
  tree(0, 3, "No Such Monitor", &outcome);
  FullCall("BAPI_XMI_LOGOFF").run(handle_);
  rfc().RfcClose(handle_);
  EXPECT_EQ(open("prdci01", 0, "100", "MONITOR", "nope"), 0u);
  const std::vector<std::string> expected = {
      "1 RfcOpen TARGET=prdci01/00 SID=PRD CLIENT=100 USER=MONITOR rc=0",
      "1 BAPI_XMI_LOGON EXTCOMPANY=Keldar EXTPRODUCT=\"\" INTERFACE=XAL VERSION=1.0 rc=0",
      "1 BAPI_SYSTEM_MON_GETTREE EXTERNAL_USER_NAME=MONITOR SET=\"SAP CCMS Monitor Templates\" "
      "MONITOR=\"No Such Monitor\" DEPTH=0 VISLEVEL=3 ROWS=0 rc=2 exception=MONITOR_NOT_FOUND",
      "1 BAPI_XMI_LOGOFF INTERFACE=\"\" RETURN=E rc=0",
      "1 RfcClose rc=0",
      "0 RfcOpen TARGET=prdci01/00 rc=1",
  };
  EXPECT_EQ(round_trips(), expected);
}

TEST_F(CallLog, ModuleLinesCarryTheValuesSentAndTheRowsDelivered) {
  const Buffer response_time = node("ResponseTime");
  struct Case {
    const char* module;
    std::function<void(FullCall&)> set;
    const char* line;
  };
  auto as_monitor = [](FullCall& c) { c.text("EXTERNAL_USER_NAME") = pad_to("MONITOR", 16); };
  auto mte = [&](FullCall& c) {
    as_monitor(c);
    c.record("TID") = tid_of(response_time);
  };
  const std::vector<Case> cases = {
      {"RFC_SYSTEM_INFO", [](FullCall&) {}, "RFC_SYSTEM_INFO rc=0"},
      {"SXMI_VERSIONS_GET", [](FullCall& c) { c.text("INTERFACE") = "*  "; },
       "SXMI_VERSIONS_GET INTERFACE=* ROWS=3 rc=0"},
      {"BAPI_XMI_LOGON",
       [](FullCall& c) {
         c.text("EXTCOMPANY") = pad_to("Keldar GmbH", 16);
         c.text("EXTPRODUCT") = pad_to("Sensor", 16);
         c.text("INTERFACE") = "XAL";
         c.text("VERSION") = pad_to("1.0", 10);
       },
       "BAPI_XMI_LOGON EXTCOMPANY=\"Keldar GmbH\" EXTPRODUCT=Sensor INTERFACE=XAL VERSION=1.0 rc=0"},
      {"BAPI_SYSTEM_MS_GETLIST", as_monitor, "BAPI_SYSTEM_MS_GETLIST EXTERNAL_USER_NAME=MONITOR ROWS=2 rc=0"},
      {"BAPI_SYSTEM_MS_GETLIST", [](FullCall&) {},
       "BAPI_SYSTEM_MS_GETLIST EXTERNAL_USER_NAME=\"\" RETURN=E ROWS=0 rc=0"},
      {"BAPI_SYSTEM_MON_GETLIST",
       [&](FullCall& c) {
         as_monitor(c);
         c.record("MONI_SET_NAME").set("NAME", "SAP CCMS Monitor Templates");
       },
       "BAPI_SYSTEM_MON_GETLIST EXTERNAL_USER_NAME=MONITOR SET=\"SAP CCMS Monitor Templates\" ROWS=2 rc=0"},
      {"BAPI_SYSTEM_MON_GETTREE",
       [&](FullCall& c) {
         as_monitor(c);
         c.record("MONITOR_NAME").set("MONI_NAME", "Entire System");
         c.record("MONITOR_NAME").set("MS_NAME", "SAP CCMS Monitor Templates");
         c.integer("MAX_TREE_DEPTH") = 3;
         c.integer("VIS_ON_USR_LEVEL") = 2;
       },
       "BAPI_SYSTEM_MON_GETTREE EXTERNAL_USER_NAME=MONITOR SET=\"SAP CCMS Monitor Templates\" "
       "MONITOR=\"Entire System\" DEPTH=3 VISLEVEL=2 ROWS=7 rc=0"},
      {"BAPI_SYSTEM_MTE_GETALERTS", mte,
       "BAPI_SYSTEM_MTE_GETALERTS EXTERNAL_USER_NAME=MONITOR MTUID=0000000004 ROWS=2 rc=0"},
      {"BAPI_SYSTEM_MTE_GETPERFCURVAL", mte,
       "BAPI_SYSTEM_MTE_GETPERFCURVAL EXTERNAL_USER_NAME=MONITOR MTUID=0000000004 rc=0"},
      {"BAPI_SYSTEM_MTE_GETSMVALUE", mte,
       "BAPI_SYSTEM_MTE_GETSMVALUE EXTERNAL_USER_NAME=MONITOR MTUID=0000000004 rc=2 exception=WRONG_MTE_CLASS"},
      {"BAPI_SYSTEM_ALERT_GETDETAILS",
       [&](FullCall& c) {
         as_monitor(c);
         Buffer& aid = c.record("AID");
         aid.set("ALSYSID", "PRD");
         aid.set("MSEGNAME", "SAP_CCMS_prdci01_PRD_00");
         aid.set("ALUNIQNUM", "0000000002");
         aid.set("ALINDEX", "0000000002");
         c.text("GET_ACTIVE") = "X";
       },
       "BAPI_SYSTEM_ALERT_GETDETAILS EXTERNAL_USER_NAME=MONITOR GET_ACTIVE=X GET_HISTORY=\"\" ALUNIQNUM=0000000002 "
       "rc=0"},
  };
  for (const Case& c : cases) {
    FullCall call(c.module);
    c.set(call);
    call.run(handle_);
    EXPECT_EQ(round_trips().back(), std::string("1 ") + c.line);
  }
}

TEST_F(CallLog, EveryStructureInstallIsLogged) {
  std::filesystem::remove("calls.log");
  type_handle("BAPITID");
  type_handle("BAPITID");
  RFC_TYPE_ELEMENT row{const_cast<char*>("X"), TYPC, 1, 0, 0};
  RFC_TYPEHANDLE handle = 0;
  EXPECT_EQ(rfc().RfcInstallStructure("ZUNKNOWN", &row, 1, &handle), RFC_FAILURE);
  const std::vector<std::string> expected = {
      "0 RfcInstallStructure NAME=BAPITID rc=0",
      "0 RfcInstallStructure NAME=BAPITID rc=0",
      "0 RfcInstallStructure NAME=ZUNKNOWN rc=1",
  };
  EXPECT_EQ(call_log(), expected);
}

TEST_F(CallLog, TablesAliveAtACloseOfAllAreListedOnceBeforeIt) {
  ASSERT_EQ(open("prdci01", 0, "100", "MONITOR", "Secret01"), 2u);
  ITAB_H versions = rfc().ItCreate("VERSIONS", 13, 0, 0);
  std::filesystem::remove("calls.log");
  rfc().RfcClose(0);
  rfc().RfcClose(2);  // closed already: nothing
  const std::vector<std::string> expected = {
      "0 LiveTable TABLE=VERSIONS rc=0",
      "1 RfcClose rc=0",
      "2 RfcClose rc=0",
  };
  EXPECT_EQ(call_log(), expected);
  rfc().ItDelete(versions);
}

TEST_F(CallLog, TablesAliveAtACloseOfOneConnection) {
  ITAB_H versions = rfc().ItCreate("VERSIONS", 13, 0, 0);
  ITAB_H alerts = rfc().ItCreate("ALERTS", 84, 0, 0);
  std::filesystem::remove("calls.log");
  rfc().RfcClose(handle_);
  const std::vector<std::string> expected = {
      "1 LiveTable TABLE=VERSIONS rc=0",
      "1 LiveTable TABLE=ALERTS rc=0",
      "1 RfcClose rc=0",
  };
  EXPECT_EQ(call_log(), expected);
  rfc().ItDelete(versions);
  rfc().ItDelete(alerts);
}

TEST_F(CallLog, TablesAliveAtProcessEndAreListedLast) {
  // A client of its own process, so that the library's teardown runs.
  const std::string client = keldar::platform::executable_directory() + RFCSIM_LEAKING_CLIENT;
  std::filesystem::remove("calls.log");
  ASSERT_EQ(std::system(("\"" + client + "\"").c_str()), 0) << client;
  const std::vector<std::string> expected = {
      "1 RfcOpen TARGET=prdci01/00 SID=PRD CLIENT=100 USER=MONITOR rc=0",
      "0 RfcInstallStructure NAME=BAPIMSNAME rc=0",
      "0 LiveTable TABLE=MONITOR_SETS rc=0",
  };
  EXPECT_EQ(call_log(), expected);
}

}  // namespace
}  // namespace rfcsim_test
