// Declared faults, for every way the library can fail, and the trace file.
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
    return open("prdci01", 0, "100", "MONITOR", "Secret01");
  }
  Outcome system_info(RFC_HANDLE h) { return FullCall("RFC_SYSTEM_INFO").run(h); }
  std::string last_log_line() {
    std::vector<std::string> lines = call_log();
    return lines.empty() ? "" : lines.back();
  }
};

// A function-module fault and what it does, at RfcCall or RfcReceive alike.
struct ModuleFaultCase {
  const char* fault;
  RFC_RC rc;
  const char* exception;
  const char* key;
  const char* reason;
};
const ModuleFaultCase kModuleFaults[] = {
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

TEST_F(Faults, ResultCodesOfAFunctionModuleAtReceive) {
  for (const ModuleFaultCase& c : kModuleFaults) {
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

TEST_F(Faults, ResultCodesAtRfcCallLeaveNoAnswerPending) {
  for (const ModuleFaultCase& c : kModuleFaults) {
    std::filesystem::remove("calls.log");
    RFC_HANDLE h = open_with(std::string(R"({"RfcCall RFC_SYSTEM_INFO": )") + c.fault + "}");
    ASSERT_NE(h, 0u);
    FullCall info("RFC_SYSTEM_INFO");
    EXPECT_EQ(send(h, "RFC_SYSTEM_INFO", info.exporting(), info.tables()), c.rc) << c.fault;
    if (c.rc == RFC_OK) {
      EXPECT_EQ(receive(h, info.importing(), {}).rc, RFC_OK);
      EXPECT_EQ(last_log_line(), "1 RFC_SYSTEM_INFO rc=0");
    } else {
      EXPECT_STREQ(last_error().key, c.key) << c.fault;
      EXPECT_STREQ(last_error().status, "RfcCall") << c.fault;
      EXPECT_EQ(trace_reason(), c.reason) << c.fault;
      std::string exception = *c.exception == '\0' ? "" : std::string(" exception=") + c.exception;
      EXPECT_EQ(last_log_line(), "1 RFC_SYSTEM_INFO rc=" + std::to_string(c.rc) + exception);
      EXPECT_EQ(receive(h, info.importing(), {}).rc, RFC_FAILURE);
      EXPECT_EQ(trace_reason(), "RfcReceive without a preceding RfcCall");
    }
    rfc().RfcClose(h);
  }
}

TEST_F(Faults, FatalErrorsReachTheRegisteredHandler) {
  ITAB_H kept = nullptr;  // a table created before the faults apply
  struct Case {
    const char* key;
    std::function<bool(RFC_HANDLE)> failed;  // runs the operation; true when it failed
    const char* log_line;
  };
  const std::vector<Case> cases = {
      {"RFC_SYSTEM_INFO", [this](RFC_HANDLE h) { return system_info(h).rc == RFC_FAILURE; },
       "1 RFC_SYSTEM_INFO rc=1 exception=\"fatal RfcReceive\""},
      {"RfcCall BAPI_SYSTEM_MS_GETLIST",
       [](RFC_HANDLE h) {
         FullCall list("BAPI_SYSTEM_MS_GETLIST");
         list.text("EXTERNAL_USER_NAME") = pad_to("MONITOR", 16);
         return send(h, "BAPI_SYSTEM_MS_GETLIST", list.exporting(), list.tables()) == RFC_FAILURE;
       },
       "1 BAPI_SYSTEM_MS_GETLIST EXTERNAL_USER_NAME=MONITOR ROWS=0 rc=1 exception=\"fatal RfcCall\""},
      {"RfcInstallStructure BAPITID",
       [](RFC_HANDLE) {
         RFC_TYPEHANDLE handle = 0;
         return install_structure("BAPITID", handle) == RFC_FAILURE;
       },
       "0 RfcInstallStructure NAME=BAPITID rc=1 exception=\"fatal RfcInstallStructure\""},
      {"ItCreate VERSIONS", [](RFC_HANDLE) { return rfc().ItCreate("VERSIONS", 13, 0, 0) == nullptr; },
       "1 ItCreate TABLE=VERSIONS rc=1 exception=\"fatal ItCreate\""},
      {"ItGetLine VERSIONS", [&kept](RFC_HANDLE) { return rfc().ItGetLine(kept, 1) == nullptr; },
       "1 ItGetLine TABLE=VERSIONS rc=1 exception=\"fatal ItGetLine\""},
      {"ItDelete VERSIONS", [&kept](RFC_HANDLE) { return rfc().ItDelete(kept) == 1; },
       "1 ItDelete TABLE=VERSIONS rc=1 exception=\"fatal ItDelete\""},
  };
  kept = rfc().ItCreate("VERSIONS", 13, 0, 0);
  rfc().ItAppLine(kept);
  RFC_ENV environment{record_handler, nullptr};
  for (const Case& c : cases) {
    const std::string operation = std::string(c.key).substr(0, std::string(c.key).find(' '));
    const std::string fatal = operation == "RFC_SYSTEM_INFO" ? "RfcReceive" : operation;
    RFC_HANDLE h = open_with(std::string("{\"") + c.key + "\": {\"fatal\": \"" + fatal + "\"}}");
    ASSERT_NE(h, 0u);
    rfc().RfcEnvironment(nullptr);
    EXPECT_TRUE(c.failed(h)) << c.key << ": without a handler a plain failure";
    handler_calls.clear();
    rfc().RfcEnvironment(&environment);
    EXPECT_TRUE(c.failed(h)) << c.key;
    EXPECT_EQ(handler_calls, std::vector<std::string>{fatal}) << c.key;
    EXPECT_EQ(trace_reason(), "Fatal error in " + fatal) << c.key;
    EXPECT_STREQ(last_error().status, fatal.c_str()) << c.key;
    EXPECT_EQ(last_log_line(), c.log_line);
    rfc().RfcClose(0);
  }
  EXPECT_EQ(rfc().ItDelete(kept), 0);  // with no connection open no fault applies

  handler_calls.clear();
  EXPECT_EQ(open_with(R"({"open": {"fatal": "RfcOpen", "message": "CPIC error"}})"), 0u);
  EXPECT_EQ(handler_calls, std::vector<std::string>{"RfcOpen"});
  EXPECT_EQ(trace_reason(), "CPIC error");
}

TEST_F(Faults, LibraryOperationsFailAsDeclared) {
  ITAB_H versions = nullptr;
  struct Case {
    const char* faults;
    std::function<bool()> failed;  // runs the operation; true when it failed as the fault says
    const char* reason;
    const char* log_line;
  };
  auto install = [](const char* name) {
    RFC_TYPEHANDLE handle = 0;
    return install_structure(name, handle);
  };
  const std::vector<Case> cases = {
      {R"({"RfcInstallStructure BAPIAID": {}})", [&] { return install("BAPIAID") == RFC_FAILURE; },
       "Structure BAPIAID cannot be installed", "0 RfcInstallStructure NAME=BAPIAID rc=1"},
      {R"({"RfcInstallStructure BAPIAID": {"code": 3, "key": "RFC_ERROR_MEMORY_INSUFFICIENT"}})",
       [&] { return install("BAPIAID") == RFC_SYS_EXCEPTION && install("BAPITID") == RFC_OK; },
       "Structure BAPIAID cannot be installed", "0 RfcInstallStructure NAME=BAPITID rc=0"},
      {R"({"ItCreate VERSIONS": {}})",
       [] {
         ITAB_H other = rfc().ItCreate("ALERTS", 84, 0, 0);
         bool other_created = rfc().ItDelete(other) == 0;
         return rfc().ItCreate("VERSIONS", 13, 0, 0) == nullptr && other_created;
       },
       "Memory insufficient for internal table VERSIONS", "1 ItCreate TABLE=VERSIONS rc=1"},
      {R"({"ItGetLine VERSIONS": {"message": "Line is gone", "delay_ms": 5}})",
       [&] { return rfc().ItGetLine(versions, 1) == nullptr && rfc().ItFill(versions) == 1; }, "Line is gone",
       "1 ItGetLine TABLE=VERSIONS rc=1"},
      {R"({"ItDelete VERSIONS": {"code": 5}})",
       [&] { return rfc().ItDelete(versions) == 1 && rfc().ItFill(versions) == 1; },
       "Internal table VERSIONS cannot be deleted", "1 ItDelete TABLE=VERSIONS rc=1"},
  };
  versions = rfc().ItCreate("VERSIONS", 13, 0, 0);
  rfc().ItAppLine(versions);
  for (const Case& c : cases) {
    ASSERT_NE(open_with(c.faults), 0u) << c.faults;
    EXPECT_TRUE(c.failed()) << c.faults;
    EXPECT_EQ(trace_reason(), c.reason) << c.faults;
    EXPECT_EQ(last_log_line(), c.log_line) << c.faults;
    rfc().RfcClose(0);
  }
  EXPECT_EQ(rfc().ItDelete(versions), 0);
}

TEST_F(Faults, HandlelessOperationsTakeTheFaultsOfTheNewestOpenConnection) {
  landscape(R"({"systems": [
    {"sid": "PRD", "host": "prdci01", "sysnr": "00", "clients": {"100": {"MONITOR": "Secret01"}},
     "faults": {"ItCreate ALERTS": {}}},
    {"sid": "QAS", "host": "qasci01", "sysnr": "10", "clients": {"100": {"MONITOR": "Secret02"}}}]})");
  auto creates = [] {
    ITAB_H t = rfc().ItCreate("ALERTS", 84, 0, 0);
    rfc().ItDelete(t);
    return t != nullptr;
  };
  EXPECT_TRUE(creates()) << "no connection open";
  RFC_HANDLE prd = open("prdci01", 0, "100", "MONITOR", "Secret01");
  EXPECT_FALSE(creates()) << "PRD open";
  RFC_HANDLE qas = open("qasci01", 10, "100", "MONITOR", "Secret02");
  EXPECT_TRUE(creates()) << "QAS opened after PRD";
  rfc().RfcClose(qas);
  EXPECT_FALSE(creates()) << "PRD the newest still open";
  rfc().RfcClose(prd);
  EXPECT_TRUE(creates()) << "all closed";
}

TEST_F(Faults, OpenFaultFailsTheOpen) {
  EXPECT_EQ(open_with(R"({"open": {"message": "Connection refused"}})"), 0u);
  EXPECT_STREQ(last_error().key, "RFC_ERROR_COMMUNICATION");
  EXPECT_EQ(trace_reason(), "Connection refused");
  EXPECT_EQ(open_with(R"({"open": {"key": "RFC_ERROR_COMMUNICATION"}})"), 0u);
  EXPECT_EQ(trace_reason(), "partner 'prdci01:sapgw00' not reached");
  EXPECT_NE(open_with(R"({"open": {"delay_ms": 5}})"), 0u);
}

TEST_F(Faults, ACallDelayHoldsEveryOpenAndAnswerWithinItsRange) {
  const std::string tree = R"({"name": "Entire System"})";
  for (int delay : {0, 1}) {
    landscape(small_landscape(tree, "\"call_delay_ms\": " + std::to_string(delay) + ","));
    RFC_HANDLE h = open("prdci01", 0, "100", "MONITOR", "Secret01");
    ASSERT_NE(h, 0u) << delay << ": " << trace_reason();
    EXPECT_EQ(FullCall("RFC_SYSTEM_INFO").run(h).rc, RFC_OK) << delay;
    rfc().RfcClose(h);
  }
  for (const char* delay : {"-1", "600001", "\"5\""}) {
    landscape(small_landscape(tree, std::string("\"call_delay_ms\": ") + delay + ","));
    EXPECT_EQ(open("prdci01", 0, "100", "MONITOR", "Secret01"), 0u) << delay;
    const bool integer = delay[0] != '"';
    EXPECT_EQ(trace_reason(), integer ? "landscape file rfcsim.json: systems[0]: call_delay_ms must be 0 to 600000"
                                      : "landscape file rfcsim.json: systems[0].call_delay_ms: must be a 32-bit integer")
        << delay;
  }
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

TEST_F(Faults, LandscapeTakesOnlyFaultKeysOfThisSystem) {
  for (const char* key : {"open", "BAPI_SYSTEM_MON_GETTREE", "RfcCall RFC_SYSTEM_INFO", "RfcInstallStructure BAPITNDEXT",
                          "ItCreate TREE_NODES", "ItGetLine MONITOR_SETS", "ItDelete ALERTS"}) {
    RFC_HANDLE h = open_with(std::string("{\"") + key + "\": {\"delay_ms\": 0}}");
    EXPECT_NE(h, 0u) << key << ": " << trace_reason();
    rfc().RfcClose(h);
  }
  for (const char* key : {"BAPI_SYSTEM_NOTHING", "RfcCall NOPE", "RfcReceive RFC_SYSTEM_INFO", "RfcInstallStructure ZNONE",
                          "ItCreate NODES", "ItFill VERSIONS", "RfcCall"}) {
    EXPECT_EQ(open_with(std::string("{\"") + key + "\": {\"code\": 2}}"), 0u) << key;
    EXPECT_EQ(trace_reason(), std::string("landscape file rfcsim.json: systems[0].faults.") + key +
                                  ": not a fault key of this system (\"open\", a function module, or \"RfcCall\", "
                                  "\"RfcInstallStructure\", \"ItCreate\", \"ItGetLine\" or \"ItDelete\" and a name)");
  }
}

}  // namespace
}  // namespace rfcsim_test
