// Declared faults, the strict call checks, the trace file and the call log.
#include <functional>
#include <sstream>

#include "ccms_fixture.h"

namespace rfcsim_test {
namespace {

std::vector<std::string> handler_calls;
void KELDAR_RFC_API record_handler(RFC_CHAR* operation) { handler_calls.emplace_back(operation); }

class Faults : public SimTest {
 protected:
  RFC_HANDLE open_with(const std::string& faults) {
    landscape(small_landscape(R"({"name": "Entire System"})", "\"faults\": " + faults + ",",
                              R"("call_log": "calls.log",)"));
    RFC_HANDLE h = open("prdci01", 0, "100", "MONITOR", "Secret01");
    return h;
  }
  Outcome system_info(RFC_HANDLE h) {
    Buffer rfcsi("RFCSI");
    Parameters exporting, importing;
    importing.record("RFCSI_EXPORT", rfcsi);
    Tables none;
    return call(h, "RFC_SYSTEM_INFO", exporting, importing, none);
  }
};

TEST_F(Faults, ResultCodesOfAFunctionModule) {
  struct Case {
    const char* fault;
    RFC_RC rc;
    const char* exception;
    const char* key;
    const char* reason;
  };
  const Case cases[] = {
      {R"({"code": 1})", RFC_FAILURE, "", "RFC_ERROR_COMMUNICATION", "Connection to partner broken"},
      {R"({"code": 1, "key": "RFC_ERROR_SYSTEM_FAILURE", "message": "Work process restarted"})", RFC_FAILURE, "",
       "RFC_ERROR_SYSTEM_FAILURE", "Work process restarted"},
      {R"({"code": 2, "exception": "NOT_AUTHORIZED"})", RFC_EXCEPTION, "NOT_AUTHORIZED",
       "RFC_ERROR_APPLICATION_EXCEPTION", "RFC_SYSTEM_INFO: exception NOT_AUTHORIZED"},
      {R"({"code": 3})", RFC_SYS_EXCEPTION, "SYSTEM_FAILURE", "RFC_ERROR_SYSTEM_FAILURE",
       "RFC_SYSTEM_INFO: exception SYSTEM_FAILURE"},
      {R"({"code": 7, "exception": "ODD", "message": "first line\nsecond line"})", 7, "ODD",
       "RFC_ERROR_APPLICATION_EXCEPTION", "second line"},
      {R"({"delay_ms": 20})", RFC_OK, "", "", ""},
  };
  for (const Case& c : cases) {
    std::filesystem::remove("Dev_Rfc.Trc");
    RFC_HANDLE h = open_with(std::string(R"({"RFC_SYSTEM_INFO": )") + c.fault + "}");
    ASSERT_NE(h, 0u);
    Outcome outcome = system_info(h);
    EXPECT_EQ(outcome.rc, c.rc) << c.fault;
    EXPECT_EQ(outcome.exception, c.exception) << c.fault;
    if (c.rc == RFC_OK) {
      EXPECT_FALSE(std::filesystem::exists("Dev_Rfc.Trc"));
    } else {
      EXPECT_STREQ(last_error().key, c.key) << c.fault;
      EXPECT_EQ(trace_reason(), c.reason) << c.fault;
    }
    rfc().RfcClose(h);
  }
}

TEST_F(Faults, FatalErrorsReachTheRegisteredHandler) {
  RFC_HANDLE h = open_with(R"({"RFC_SYSTEM_INFO": {"fatal": "RfcReceive"}, "open": {"delay_ms": 1}})");
  ASSERT_NE(h, 0u);
  EXPECT_EQ(system_info(h).rc, RFC_FAILURE);  // no handler: a plain failure
  handler_calls.clear();
  RFC_ENV environment{record_handler, nullptr};
  rfc().RfcEnvironment(&environment);
  EXPECT_EQ(system_info(h).rc, RFC_FAILURE);
  EXPECT_EQ(handler_calls, std::vector<std::string>{"RfcReceive"});
  EXPECT_EQ(trace_reason(), "Fatal error in RfcReceive");

  rfc().RfcClose(0);
  handler_calls.clear();
  EXPECT_EQ(open_with(R"({"open": {"fatal": "RfcOpen", "message": "CPIC error"}})"), 0u);
  EXPECT_EQ(handler_calls, std::vector<std::string>{"RfcOpen"});
  EXPECT_EQ(trace_reason(), "CPIC error");
}

TEST_F(Faults, OpenFaultFailsTheOpen) {
  EXPECT_EQ(open_with(R"({"open": {"message": "Connection refused"}})"), 0u);
  EXPECT_STREQ(last_error().key, "RFC_ERROR_COMMUNICATION");
  EXPECT_EQ(trace_reason(), "Connection refused");
  EXPECT_EQ(open_with(R"({"open": {"key": "RFC_ERROR_COMMUNICATION"}})"), 0u);
  EXPECT_EQ(trace_reason(), "partner 'prdci01:sapgw00' not reached");
  EXPECT_NE(open_with(R"({"open": {"delay_ms": 5}})"), 0u);
}

TEST_F(Faults, TraceBlocksHaveTheClassicLayout) {
  EXPECT_EQ(open("prdci01", 0, "100", "MONITOR", "wrong"), 0u);  // no landscape yet: fails too
  landscape(small_landscape(R"({"name": "Entire System"})"));
  EXPECT_EQ(open("prdci01", 0, "100", "MONITOR", "wrong"), 0u);
  std::istringstream lines(read_file("Dev_Rfc.Trc"));
  std::vector<std::string> all;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();  // text mode on Windows
    all.push_back(line);
  }
  ASSERT_EQ(all.size(), 6u);  // two blocks, appended
  for (std::size_t block : {0u, 3u}) {
    EXPECT_EQ(all[block].rfind("**** ERROR file opened at ", 0), 0u) << all[block];
    EXPECT_EQ(all[block + 1].rfind("T:", 0), 0u);
    EXPECT_EQ(all[block + 2].substr(0, 2), "T:");
    EXPECT_EQ(all[block + 2].substr(7, 8), "======> ") << all[block + 2];
  }
  EXPECT_NE(all[4].find("RfcOpen (RFC_ERROR_LOGON_FAILURE)"), std::string::npos) << all[4];
  EXPECT_EQ(all[5].substr(15), "Name or password is incorrect (repeat logon)");
}

TEST_F(Faults, LandscapeRefusesUnknownFaultTargets) {
  EXPECT_EQ(open_with(R"({"BAPI_SYSTEM_NOTHING": {"code": 2}})"), 0u);
  EXPECT_EQ(trace_reason(),
            "landscape file rfcsim.json: systems[0].faults.BAPI_SYSTEM_NOTHING: neither \"open\" nor a function "
            "module of this system");
}

class StrictCalls : public Ccms {};

TEST_F(StrictCalls, AWrongParameterOrTableFailsTheCallNamingIt) {
  std::string user = "MONITOR         ", short_user = "MONITOR", lang = "E";
  std::int32_t depth = 0, level = 3;
  Buffer name("BAPIMNNAME"), ret("BAPIRET2"), set("BAPIMSNAME");
  name.set("MONI_NAME", "Entire System");
  name.set("MS_NAME", "SAP CCMS Monitor Templates");
  const RFC_TYPEHANDLE mnname = type_handle("BAPIMNNAME"), msname = type_handle("BAPIMSNAME");

  struct Case {
    const char* what;
    std::function<void(Parameters&, Parameters&, Tables&)> build;
    const char* reason;
  };
  auto good_exporting = [&](Parameters& e) {
    e.text("EXTERNAL_USER_NAME", user).integer("MAX_TREE_DEPTH", depth).record("MONITOR_NAME", name)
        .integer("VIS_ON_USR_LEVEL", level);
  };
  auto good_table = [](Tables& t) { t.add("TREE_NODES", "BAPITNDEXT"); };
  const std::vector<Case> cases = {
      {"unknown parameter",
       [&](Parameters& e, Parameters&, Tables& t) { good_exporting(e); e.text("LANGUAGE", lang); good_table(t); },
       "BAPI_SYSTEM_MON_GETTREE has no exporting parameter LANGUAGE"},
      {"name length",
       [&](Parameters& e, Parameters&, Tables& t) {
         e.raw("EXTERNAL_USER_NAME", 17, TYPC, 16, user.data()).integer("MAX_TREE_DEPTH", depth).record("MONITOR_NAME", name);
         good_table(t);
       },
       "BAPI_SYSTEM_MON_GETTREE: parameter EXTERNAL_USER_NAME: name length 17 given, the name has 18 characters"},
      {"short value",
       [&](Parameters& e, Parameters&, Tables& t) {
         e.text("EXTERNAL_USER_NAME", short_user).record("MONITOR_NAME", name);
         good_table(t);
       },
       "BAPI_SYSTEM_MON_GETTREE: parameter EXTERNAL_USER_NAME has length 7, expected 16"},
      {"integer sent as text",
       [&](Parameters& e, Parameters&, Tables& t) {
         e.text("EXTERNAL_USER_NAME", user).raw("MAX_TREE_DEPTH", 14, TYPC, 4, &depth).record("MONITOR_NAME", name);
         good_table(t);
       },
       "BAPI_SYSTEM_MON_GETTREE: parameter MAX_TREE_DEPTH has TYPC, expected TYPINT"},
      {"wrong structure",
       [&](Parameters& e, Parameters&, Tables& t) {
         e.text("EXTERNAL_USER_NAME", user).raw("MONITOR_NAME", 12, msname, 120, name.bytes.data());
         good_table(t);
       },
       "BAPI_SYSTEM_MON_GETTREE: parameter MONITOR_NAME has structure BAPIMSNAME, expected structure BAPIMNNAME"},
      {"missing parameter",
       [&](Parameters& e, Parameters&, Tables& t) { e.text("EXTERNAL_USER_NAME", user); good_table(t); },
       "BAPI_SYSTEM_MON_GETTREE: exporting parameter MONITOR_NAME is missing"},
      {"table of the wrong structure",
       [&](Parameters& e, Parameters&, Tables& t) {
         good_exporting(e);
         ITAB_H nodes = rfc().ItCreate("TREE_NODES", 440, 0, 0);
         t.created.push_back(nodes);
         t.raw("TREE_NODES", 10, mnname, nodes);
       },
       "BAPI_SYSTEM_MON_GETTREE: table TREE_NODES has lines of structure BAPIMNNAME, expected structure BAPITNDEXT"},
      {"table with short lines",
       [&](Parameters& e, Parameters&, Tables& t) {
         good_exporting(e);
         ITAB_H nodes = rfc().ItCreate("TREE_NODES", 436, 0, 0);
         t.created.push_back(nodes);
         t.raw("TREE_NODES", 10, type_handle("BAPITNDEXT"), nodes);
       },
       "BAPI_SYSTEM_MON_GETTREE: the internal table of TREE_NODES has lines of 436 bytes, BAPITNDEXT needs 440"},
      {"unknown table",
       [&](Parameters& e, Parameters&, Tables& t) { good_exporting(e); t.add("NODES", "BAPITNDEXT"); },
       "BAPI_SYSTEM_MON_GETTREE has no table NODES"},
      {"importing of the wrong length",
       [&](Parameters& e, Parameters& i, Tables& t) {
         good_exporting(e);
         i.raw("RETURN", 6, type_handle("BAPIRET2"), 546, ret.bytes.data());
         good_table(t);
       },
       "BAPI_SYSTEM_MON_GETTREE: parameter RETURN has length 546, expected 548"},
      {"unknown importing",
       [&](Parameters& e, Parameters& i, Tables& t) { good_exporting(e); i.record("MONI_SET_NAME", set); good_table(t); },
       "BAPI_SYSTEM_MON_GETTREE has no importing parameter MONI_SET_NAME"},
  };
  for (const Case& c : cases) {
    Parameters exporting, importing;
    Tables tables;
    c.build(exporting, importing, tables);
    EXPECT_EQ(call(handle_, "BAPI_SYSTEM_MON_GETTREE", exporting, importing, tables).rc, RFC_FAILURE) << c.what;
    EXPECT_EQ(trace_reason(), c.reason) << c.what;
  }
  // After all those refusals the same connection still serves a right call.
  EXPECT_EQ(tree().size(), 9u);

  Parameters e, i;
  Tables t;
  Outcome unknown = call(handle_, "BAPI_SYSTEM_MTE_GETVALUE", e, i, t);
  EXPECT_EQ(unknown.rc, RFC_FAILURE);
  EXPECT_STREQ(last_error().key, "FU_NOT_FOUND");
  EXPECT_EQ(trace_reason(), "Function module \"BAPI_SYSTEM_MTE_GETVALUE\" not found");
}

TEST_F(StrictCalls, ReceiveWithoutCallAndCallReceiveInOne) {
  RFC_PARAMETER none[1] = {{nullptr, 0, 0, 0, nullptr}};
  RFC_TABLE no_tables[1] = {{nullptr, 0, 0, 0, nullptr, 0, 0}};
  char* exception = nullptr;
  EXPECT_EQ(rfc().RfcReceive(handle_, none, no_tables, &exception), RFC_FAILURE);
  EXPECT_EQ(trace_reason(), "RfcReceive without a preceding RfcCall");

  Buffer rfcsi("RFCSI");
  Parameters importing;
  importing.record("RFCSI_EXPORT", rfcsi);
  EXPECT_EQ(rfc().RfcCallReceive(handle_, "RFC_SYSTEM_INFO", none, importing.list(), no_tables, &exception), RFC_OK);
  EXPECT_EQ(rfcsi.trimmed("RFCSYSID"), "PRD");
}

TEST_F(Faults, CallLogRecordsEveryRoundTrip) {
  RFC_HANDLE h = open_with(R"({"BAPI_SYSTEM_MON_GETTREE": {"code": 2, "exception": "MONITOR_NOT_FOUND"}})");
  ASSERT_NE(h, 0u);
  system_info(h);
  xmi_logon(h);
  std::string user = "MONITOR         ";
  Buffer name("BAPIMNNAME"), ret("BAPIRET2");
  name.set("MONI_NAME", "Entire System");
  name.set("MS_NAME", "SAP CCMS Monitor Templates");
  Parameters exporting, importing;
  exporting.text("EXTERNAL_USER_NAME", user).record("MONITOR_NAME", name);
  importing.record("RETURN", ret);
  Tables tables;
  tables.add("TREE_NODES", "BAPITNDEXT");
  call(h, "BAPI_SYSTEM_MON_GETTREE", exporting, importing, tables);
  rfc().RfcClose(h);
  EXPECT_EQ(open("prdci01", 0, "100", "MONITOR", "nope"), 0u);
  EXPECT_EQ(read_file("calls.log"),
            "1 RfcOpen TARGET=prdci01/00 SID=PRD CLIENT=100 USER=MONITOR rc=0\n"
            "1 RFC_SYSTEM_INFO rc=0\n"
            "1 BAPI_XMI_LOGON INTERFACE=XAL VERSION=1.0 rc=0\n"
            "1 BAPI_SYSTEM_MON_GETTREE SET=\"SAP CCMS Monitor Templates\" MONITOR=\"Entire System\" DEPTH=0 "
            "VISLEVEL=3 ROWS=1 rc=2 exception=MONITOR_NOT_FOUND\n"
            "1 RfcClose rc=0\n"
            "0 RfcOpen TARGET=prdci01/00 rc=1\n");
}

}  // namespace
}  // namespace rfcsim_test
