// keldar-profile test against a fake RFC library: what the report shows of
// a failure, how often it logs on, and the hints it picks. The steps against
// a simulated SAP system are end-to-end cases (profile_tool.cases).
#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "config/password.h"
#include "connection_test.h"
#include "fake_rfc_library.h"
#include "platform/file_system.h"
#include "profile_tool.h"
#include "temp_dir.h"

namespace keldar {
namespace {

constexpr const char* kPassword = "Secr3t!x";

struct ToolRun {
  int status;
  std::string out;
  std::string err;
};

ToolRun run_tool(const std::vector<std::string>& arguments, const RfcLibraryLoader& loader) {
  std::istringstream in;
  std::ostringstream out;
  std::ostringstream err;
  int status = run_profile_tool(arguments, in, out, err, platform::FileSystem(), 7, loader);
  return {status, out.str(), err.str()};
}

// A complete profile PRD.P00 in `dir`; returns the tool's argument for it.
std::string write_profile(const testing::TempDir& dir) {
  dir.write("PRD.P00", "Extcompany.: Keldar\n"
                       "Destination: PRD\n"
                       "Client.....: 100\n"
                       "User.......: monitor\n"
                       "Password...: " + scramble_password(kPassword, 3) + "\n"
                       "Language...: E\n"
                       "Mode.......: R/3\n"
                       "Hostname...: prdci01\n"
                       "Sysnr......: 00\n"
                       "Gwhost.....: prdci01\n"
                       "Gwservice..: sapgw00\n");
  return dir.root() + "PRD";
}

void set_field(char* field, std::size_t size, const std::string& text) {
  std::memset(field, 0, size);
  std::memcpy(field, text.data(), std::min(size - 1, text.size()));
}

TEST(ProfileToolConnection, AFailedOpenIsOneLogonAttemptAndTheReportHidesThePassword) {
  testing::TempDir dir;
  const std::string profile = write_profile(dir);
  testing::FakeRfcLibrary fake;
  fake.open_handle = 0;
  // A library that quotes what it was given must not carry the password
  // into the report.
  set_field(fake.last_error.key, sizeof fake.last_error.key, "RFC_ERROR_LOGON_FAILURE");
  set_field(fake.last_error.message, sizeof fake.last_error.message,
            std::string("Logon with PASSWD=") + kPassword + " refused; " + kPassword);

  ToolRun r = run_tool({"test", profile}, [&fake](RfcLibrary& rfc) {
    rfc.api = fake.api();
    return RfcLibraryLoad{};
  });

  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "");
  ASSERT_EQ(fake.opens.size(), 1u);
  EXPECT_EQ(fake.opens[0].password.substr(0, 8), kPassword);
  EXPECT_EQ(fake.environment_registrations, 1);
  EXPECT_TRUE(fake.calls.empty());
  EXPECT_EQ(r.out.find(kPassword), std::string::npos) << r.out;
  const std::vector<std::string> lines = {
      "Profile......: PRD.P00\n",
      "Connection...: host prdci01, system number 00, client 100, user MONITOR\n",
      "Failed step..: open the connection (logon)\n",
      "Error........: Error 1011: RFC-Open for PRD failed !\n",
      "Last error...: RFC_ERROR_LOGON_FAILURE: Logon with PASSWD=******** refused; ********\n",
      "Hint.........: The SAP system refused the logon:",
      "Result.......: the connection does not work\n",
  };
  std::size_t at = 0;
  for (const std::string& line : lines) {
    std::size_t found = r.out.find(line, at);
    ASSERT_NE(found, std::string::npos) << "missing in order: " << line << "\n" << r.out;
    at = found + line.size();
  }
}

TEST(ProfileToolConnection, ALibraryThatDidNotLoadIsTheFailedStep) {
  testing::TempDir dir;
  const std::string profile = write_profile(dir);
  ToolRun r = run_tool({"test", profile}, [](RfcLibrary&) {
    return RfcLibraryLoad{RfcLibraryLoad::Outcome::missing, ""};
  });
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out.rfind("Profile......: PRD.P00\nFailed step..: load the RFC library\n", 0), 0u)
      << r.out;
  EXPECT_NE(r.out.find(std::string("Error........: Error 1010: RFC-Library ") +
                       rfc_library_file_name() + " is missing...\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("Result.......: the connection does not work\n"), std::string::npos);
}

TEST(ProfileToolConnection, AProfileTheSensorRefusesIsNotConnectedTo) {
  testing::TempDir dir;
  dir.write("NOPW.P00", "User.......: monitor\n");
  bool loaded = false;
  ToolRun r = run_tool({"test", dir.root() + "NOPW"}, [&loaded](RfcLibrary&) {
    loaded = true;
    return RfcLibraryLoad{};
  });
  EXPECT_EQ(r.status, 2);
  EXPECT_FALSE(loaded);
  EXPECT_EQ(r.err, "Error 1007: Password in Profile NOPW.P00\tis missing...\n");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(run_tool({"test"}, nullptr).status, 2);
}

TEST(ProfileToolConnection, HintsFollowTheStepAndTheLibrarysWords) {
  const struct {
    TestStep step;
    std::string key;
    std::string message;
    std::string hint_begins;
  } cases[] = {
      {TestStep::open, "RFC_ERROR_LOGON_FAILURE", "Name or password is incorrect (repeat logon)",
       "The SAP system refused the logon"},
      {TestStep::open, "RFC_ERROR_LOGON_FAILURE", "Client 999 is not available in this system",
       "The SAP system refused the logon"},
      {TestStep::open, "RFC_ERROR_COMMUNICATION", "partner 'prdci02:sapgw00' not reached",
       "The SAP system was not reached"},
      // The key outweighs a word of the message.
      {TestStep::open, "RFC_ERROR_COMMUNICATION", "Logon group NOPE of QAS not found",
       "The SAP system was not reached"},
      {TestStep::open, "", "partner not reached (host sapprd01, service 3300)",
       "The SAP system was not reached"},
      {TestStep::open, "", "password logon no longer possible - too many failed attempts",
       "The SAP system refused the logon"},
      {TestStep::open, "RFC_ERROR_PROGRAM", "Destination NOPE does not exist in SapRfc.ini",
       "The destination was not accepted"},
      {TestStep::open, "", "", "Check the connection values"},
      {TestStep::system_info, "RFC_ERROR_COMMUNICATION", "Connection to partner broken",
       "The system accepted the logon but not"},
      {TestStep::xal_version, "", "", "The system offers no XMI interface XAL"},
      {TestStep::xmi_versions, "RFC_ERROR_COMMUNICATION", "Connection to partner broken",
       "The system did not list its XMI interfaces"},
      {TestStep::xmi_versions, "", "", "The system did not list its XMI interfaces"},
      {TestStep::xmi_logon, "RFC_ERROR_APPLICATION_EXCEPTION", "exception VERSION_NOT_SUPPORTED",
       "The system refused the XMI logon"},
      {TestStep::monitor_sets, "", "", "The monitor sets could not be read"},
      {TestStep::xmi_logoff, "", "", "The XMI logoff failed"},
      {TestStep::load_library, "", "", "Copy SAP's classic RFC library"},
  };
  for (const auto& c : cases) {
    std::string_view hint = failure_hint(c.step, c.key, c.message);
    EXPECT_EQ(hint.substr(0, c.hint_begins.size()), c.hint_begins)
        << step_name(c.step) << " / " << c.key << " / " << c.message;
  }
}

TEST(ProfileToolConnection, ThePasswordIsMaskedWhereverItStands) {
  const struct {
    std::string text;
    std::string password;
    std::string shown;
  } cases[] = {
      {"USER=MONITOR PASSWD=Secret01 DEST=PRD", "Secret01", "USER=MONITOR PASSWD=******** DEST=PRD"},
      {"Secret01Secret01", "Secret01", "****************"},
      {"aaaa", "aa", "****************"},
      {"x**y", "**", "x********y"},
      {"no password here", "Secret01", "no password here"},
      {"unchanged", "", "unchanged"},
  };
  for (const auto& c : cases) EXPECT_EQ(without_password(c.text, c.password), c.shown) << c.text;
}

TEST(ProfileToolConnection, VersionNamesTheProgramWithTheBannersVersionText) {
  ToolRun r = run_tool({"--version"}, nullptr);
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(std::regex_match(
      r.out, std::regex("keldar-profile, SAP Keldar Vers [0-9]+(\\.[0-9]+)+ / [0-9]{2}\\.[0-9]{2}\\.[0-9]{2}\n")))
      << r.out;
}

}  // namespace
}  // namespace keldar
