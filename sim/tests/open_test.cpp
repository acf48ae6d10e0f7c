// Reaching systems and logging on: RfcOpen, RfcOpenEx, RfcClose.
#include "environment_variable.h"
#include "rfc_client.h"

namespace rfcsim_test {
namespace {

const char* kLandscape = R"({"systems": [
  {"sid": "PRD", "host": "prdci01", "sysnr": "00",
   "clients": {"100": {"MONITOR": "Secret01"}}},
  {"sid": "QAS", "host": "qasci01", "sysnr": 10,
   "gateway": {"host": "qasgw", "service": "sapgw10"},
   "message_server": {"host": "qasms", "groups": ["PUBLIC", "SPACE"]},
   "clients": {"200": {"monitor": "Secret02"}}}]})";

class Open : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    landscape(kLandscape);
    write_file("SapRfc.ini",
               "* destinations of the test\n"
               "DEST=PRD\nTYPE=A\nASHOST=prdci01\nSYSNR=00\nRFC_TRACE=0\n\n"
               "DEST=QASLB\nTYPE=B\nMSHOST=qasms\nR3NAME=QAS\nGROUP=SPACE\n"
               "DEST=BADGROUP\nTYPE=B\nMSHOST=qasms\nR3NAME=QAS\nGROUP=NOPE\n");
  }
};

TEST_F(Open, HandlesStartAtOneAndCloseAllFreesThem) {
  RFC_HANDLE first = open("prdci01", 0, "100", "MONITOR", "Secret01");
  RFC_HANDLE second = open("PRDCI01", 0, "100", "monitor     ", "Secret01  ");
  EXPECT_EQ(first, 1u);
  EXPECT_EQ(second, 2u);
  rfc().RfcClose(first);
  EXPECT_EQ(open("prdci01", 0, "100", "MONITOR", "Secret01"), 1u);  // a free slot is reused
  rfc().RfcClose(0);
  EXPECT_EQ(open("prdci01", 0, "100", "MONITOR", "Secret01"), 1u);
}

TEST_F(Open, LogonIsCheckedAsTheSystemChecksIt) {
  struct Case {
    const char* client;
    const char* user;
    const char* password;
    const char* message;  // empty: the logon succeeds
  };
  const Case cases[] = {
      {"100", "MONITOR", "Secret01", ""},
      {"100", "Monitor", "Secret01", ""},            // user without regard to case
      {"100", "MONITOR     ", "Secret01  ", ""},     // trailing blanks do not count
      {"100", "MONITOR", "secret01", "Name or password is incorrect (repeat logon)"},
      {"100", "NOBODY", "Secret01", "Name or password is incorrect (repeat logon)"},
      {"100", "", "", "Name or password is incorrect (repeat logon)"},
      {"999", "MONITOR", "Secret01", "Client 999 is not available in this system"},
  };
  for (const Case& c : cases) {
    RFC_HANDLE h = open("prdci01", 0, c.client, c.user, c.password);
    if (*c.message == '\0') {
      EXPECT_NE(h, 0u) << c.user << "/" << c.password;
      rfc().RfcClose(h);
      continue;
    }
    EXPECT_EQ(h, 0u) << c.user << "/" << c.password;
    RFC_ERROR_INFO info = last_error();
    EXPECT_STREQ(info.key, "RFC_ERROR_LOGON_FAILURE");
    EXPECT_STREQ(info.message, c.message);
    EXPECT_EQ(trace_reason(), c.message);
  }
}

TEST_F(Open, EveryRouteReachesItsSystem) {
  std::string client = "200", user = "MONITOR", password = "Secret02", lang = "D";
  std::string gw_host = "QASGW", gw_service = "sapgw10";
  RFC_CONNOPT_CPIC cpic{gw_host.data(), gw_service.data()};
  RFC_OPTIONS r2{nullptr, RFC_MODE_CPIC, &cpic, client.data(), user.data(), password.data(), lang.data(), 0};
  EXPECT_NE(rfc().RfcOpen(&r2), 0u) << last_error().message;

  std::string dest = "PRD", client100 = "100", prd_user = "MONITOR", prd_password = "Secret01";
  RFC_OPTIONS by_destination{dest.data(), RFC_MODE_R3ONLY, nullptr, client100.data(), prd_user.data(),
                             prd_password.data(), lang.data(), 0};
  EXPECT_NE(rfc().RfcOpen(&by_destination), 0u) << last_error().message;

  RFC_ERROR_INFO_EX error{};
  EXPECT_NE(rfc().RfcOpenEx("CLIENT=100 USER=MONITOR PASSWD=Secret01 LANG=D DEST=PRD", &error), 0u) << error.message;
  EXPECT_NE(rfc().RfcOpenEx("client=200 user=\"monitor\" passwd=Secret02 lang=D dest=qaslb", &error), 0u)
      << error.message;
  EXPECT_NE(rfc().RfcOpenEx("CLIENT=200 USER=MONITOR PASSWD=Secret02 ASHOST=qasci01 SYSNR=10", &error), 0u)
      << error.message;
}

TEST_F(Open, UnreachablePartnersAndBadRequestsFail) {
  struct Case {
    const char* connect;
    int group;
    const char* key;
    const char* message;
  };
  const Case cases[] = {
      {"CLIENT=100 USER=MONITOR PASSWD=Secret01 LANG=D DEST=NOPE", 101, "RFC_ERROR_PROGRAM",
       "Destination NOPE does not exist in SapRfc.ini"},
      {"CLIENT=200 USER=MONITOR PASSWD=Secret02 LANG=D DEST=BADGROUP", 102, "RFC_ERROR_COMMUNICATION",
       "Logon group NOPE of QAS not found"},
      {"CLIENT=100 USER=MONITOR PASSWD=Secret01 ASHOST=prdci02 SYSNR=00", 102, "RFC_ERROR_COMMUNICATION",
       "partner 'prdci02:sapgw00' not reached"},
      {"CLIENT=100 USER=MONITOR PASSWD=Secret01 ASHOST=prdci01 SYSNR=01", 102, "RFC_ERROR_COMMUNICATION",
       "partner 'prdci01:sapgw01' not reached"},
      {"CLIENT=100 USER=MONITOR PASSWD=\"Secret01 DEST=PRD", 101, "RFC_ERROR_PROGRAM",
       "connect string: the value of PASSWD has no closing quote"},
      {"CLIENT=100 USER=MONITOR PASSWD=wrong DEST=PRD", 103, "RFC_ERROR_LOGON_FAILURE",
       "Name or password is incorrect (repeat logon)"},
  };
  for (const Case& c : cases) {
    RFC_ERROR_INFO_EX error{};
    EXPECT_EQ(rfc().RfcOpenEx(c.connect, &error), 0u) << c.connect;
    EXPECT_EQ(error.group, c.group) << c.connect;
    EXPECT_STREQ(error.key, c.key) << c.connect;
    EXPECT_STREQ(error.message, c.message);
    EXPECT_STREQ(last_error().message, c.message);
    EXPECT_EQ(trace_reason(), c.message);
  }
  std::filesystem::remove("SapRfc.ini");
  RFC_ERROR_INFO_EX error{};
  EXPECT_EQ(rfc().RfcOpenEx("CLIENT=100 USER=MONITOR PASSWD=Secret01 DEST=PRD", &error), 0u);
  EXPECT_STREQ(error.message, "Destination PRD: SapRfc.ini not found in the working directory");
}

TEST_F(Open, ALandscapeThatCannotBeReadFailsEveryOpenNamingFileAndPosition) {
  write_file("rfcsim.json", "{\"systems\": [\n  {\"sid\": \"PRD\",, }\n]}");
  EXPECT_EQ(open("prdci01", 0, "100", "MONITOR", "Secret01"), 0u);
  std::string reason = trace_reason();
  EXPECT_NE(reason.find("landscape file rfcsim.json"), std::string::npos) << reason;
  EXPECT_NE(reason.find("line 2, column 17"), std::string::npos) << reason;
  EXPECT_STREQ(last_error().key, "RFC_ERROR_PROGRAM");

  write_file("rfcsim.json", R"({"systems": [{"sid": "PRD", "host": "h", "sysnr": "00", "clients": {},
      "monitor_sets": [{"name": "S", "monitors": [{"name": "M", "tree": {"name": "R", "grade": "red"}}]}]}]})");
  EXPECT_EQ(open("h", 0, "100", "MONITOR", "Secret01"), 0u);
  EXPECT_EQ(trace_reason(),
            "landscape file rfcsim.json: systems[0].monitor_sets[0].monitors[0].tree.grade: must be a 32-bit integer");

  write_file("rfcsim.json", R"({"systems": [{"sid": "PRD", "host": "h", "sysnr": "00", "clients": {}, "colour": 1}]})");
  EXPECT_EQ(open("h", 0, "100", "MONITOR", "Secret01"), 0u);
  EXPECT_EQ(trace_reason(), "landscape file rfcsim.json: systems[0].colour: unknown key");

  std::filesystem::remove("rfcsim.json");
  RFC_ERROR_INFO_EX error{};
  EXPECT_EQ(rfc().RfcOpenEx("CLIENT=100 USER=MONITOR PASSWD=Secret01 DEST=PRD", &error), 0u);
  EXPECT_STREQ(error.message, "landscape file rfcsim.json cannot be opened");
}

TEST_F(Open, EveryOpenSeesTheFileAsItIsNowAndAnOpenConnectionKeepsItsOwn) {
  const std::string first = R"({"systems": [{"sid": "PRD", "host": "prdci01", "sysnr": "00",
      "clients": {"100": {"MONITOR": "Secret01"}}}]})";
  std::string second = first;
  second.replace(second.find("Secret01"), 8, "Secret09");  // the same size, written at once
  landscape(first);
  RFC_HANDLE kept = open("prdci01", 0, "100", "MONITOR", "Secret01");
  ASSERT_NE(kept, 0u);
  EXPECT_NE(open("prdci01", 0, "100", "MONITOR", "Secret01"), 0u);  // unchanged
  landscape(second);
  EXPECT_EQ(open("prdci01", 0, "100", "MONITOR", "Secret01"), 0u);
  EXPECT_NE(open("prdci01", 0, "100", "MONITOR", "Secret09"), 0u);
  EXPECT_EQ(FullCall("RFC_SYSTEM_INFO").run(kept).rc, RFC_OK);
}

TEST_F(Open, AKeyGivenTwiceKeepsItsLastValueAndLatin1KeysThatMeetKeepTheLastInUtf8Order) {
  // "\u20ac" (euro sign) comes after "\u20a4" (lira sign) in UTF-8; both are "#" in Latin-1.
  landscape(R"({"systems": [{"sid": "PRD", "host": "prdci01", "sysnr": "00", "sysnr": "10",
      "clients": {"100": {"M\u20acX": "Euro01", "M\u20a4X": "Lira01"}}}]})");
  EXPECT_EQ(open("prdci01", 0, "100", "M#X", "Euro01"), 0u);  // not at system number 00
  EXPECT_NE(open("prdci01", 10, "100", "M#X", "Euro01"), 0u) << trace_reason();
  EXPECT_EQ(open("prdci01", 10, "100", "M#X", "Lira01"), 0u);
}

TEST_F(Open, TheLandscapeVariableNamesTheFile) {
  std::filesystem::remove("rfcsim.json");
  write_file("other.json", kLandscape);
  rfcsim::testing::set_environment_variable("RFCSIM_LANDSCAPE", "other.json");
  EXPECT_NE(open("qasci01", 10, "200", "MONITOR", "Secret02"), 0u) << last_error().message;
  rfcsim::testing::set_environment_variable("RFCSIM_LANDSCAPE", "");
  EXPECT_EQ(open("qasci01", 10, "200", "MONITOR", "Secret02"), 0u);
}

TEST_F(Open, ACallOnAClosedHandleFailsLikeTheLibrary) {
  RFC_HANDLE h = open("prdci01", 0, "100", "MONITOR", "Secret01");
  ASSERT_NE(h, 0u);
  rfc().RfcClose(h);
  rfc().RfcClose(h);  // closing twice is harmless
  RFC_PARAMETER none[1] = {{nullptr, 0, 0, 0, nullptr}};
  RFC_TABLE no_tables[1] = {{nullptr, 0, 0, 0, nullptr, 0, 0}};
  EXPECT_EQ(rfc().RfcCall(h, "RFC_SYSTEM_INFO", none, no_tables), RFC_FAILURE);
  EXPECT_STREQ(last_error().key, "RFC_INVALID_HANDLE");
  EXPECT_EQ(trace_reason(), "Invalid RFC handle " + std::to_string(h));
  char* exception = nullptr;
  EXPECT_EQ(rfc().RfcReceive(77, none, no_tables, &exception), RFC_FAILURE);
  EXPECT_EQ(trace_reason(), "Invalid RFC handle 77");
}

}  // namespace
}  // namespace rfcsim_test
