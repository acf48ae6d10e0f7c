#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "config/config_lines.h"
#include "config/password.h"
#include "config/system_profile.h"
#include "profile_tool.h"
#include "text/line_reader.h"
#include "platform/file_system.h"
#include "temp_dir.h"

namespace keldar {
namespace {

struct ToolRun {
  int status;
  std::string out;
  std::string err;
};

// The commands tested here never load the RFC library.
RfcLibraryLoad no_library(RfcLibrary&) {
  ADD_FAILURE() << "the RFC library was loaded";
  return {RfcLibraryLoad::Outcome::missing, ""};
}

ToolRun run_tool(const std::vector<std::string>& arguments, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  int status = run_profile_tool(arguments, in, out, err, platform::FileSystem(), 99, no_library);
  return {status, out.str(), err.str()};
}

std::vector<std::string> create_arguments(const std::string& path) {
  return {"create",          path,          "--extcompany", "ACME",       "--destination",
          "PRD",             "--client",    "100",          "--user",     "monitor",
          "--language",      "E",           "--mode",       "RFC",        "--hostname",
          "sapprd01",        "--sysnr",     "00",           "--gwhost",   "sapgw01",
          "--gwservice=sapgw00", "--description", "Production ERP",
          "--mon",           "PRD_CPU=MSET=SAP:CCMS:Monitor:Templates,MONITOR=Cpu",
          "--mon=Disk=mset=Disk"};
}

TEST(ProfileTool, ScrambleReadsOneLineAndPrintsTheStoredForm) {
  for (const std::string input : {"Secr3t!x\n", "Secr3t!x\r\n", "Secr3t!x"}) {
    ToolRun r = run_tool({"scramble"}, input);
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.out.size(), 25u);
    EXPECT_EQ(r.out.back(), '\n');
    EXPECT_EQ(decode_password(r.out.substr(0, 24)).password, "Secr3t!x");
  }
}

TEST(ProfileTool, ScrambleRefusesWhatCannotBeStored) {
  const std::vector<std::string> inputs = {
      "", "\n", "a\n", std::string(21, 'x') + "\n", "pass word\n", "p\xC3\xA4ss\n"};
  for (const std::string& input : inputs) {
    ToolRun r = run_tool({"scramble"}, input);
    EXPECT_EQ(r.status, 2) << input;
    EXPECT_EQ(r.out, "") << input;
    EXPECT_NE(r.err.find("password"), std::string::npos) << r.err;
  }
}

TEST(ProfileTool, CreateWritesTheFixedColumnFormatThatTheSensorReads) {
  testing::TempDir dir;
  const std::string path = dir.root() + "PRD";
  ToolRun created = run_tool(create_arguments(path), "Secr3t!x\r\n");
  ASSERT_EQ(created.status, 0) << created.err;

  std::string content = dir.read("PRD.P00");
  ASSERT_FALSE(content.empty());
  EXPECT_NE(content.find("Client.....: 100\r\n"), std::string::npos);
  EXPECT_NE(content.find("DatClient..:\r\n"), std::string::npos);
  EXPECT_NE(content.find("\r\n# Mon1: PRD_CPU    MSET=SAP:CCMS:Monitor:Templates,MONITOR=Cpu\r\n"),
            std::string::npos);
  EXPECT_NE(content.find("\r\n# Mon2: Disk       mset=Disk\r\n"), std::string::npos);

  SystemProfile profile;
  std::string definition;
  text::LineReader lines = text::memory_reader(content, kConfigLineChars);
  ASSERT_EQ(read_profile(lines, "PRD_CPU   ", profile, definition), ProfileRead::ok);
  EXPECT_EQ(check_profile(profile), ProfileCheck::complete);
  EXPECT_EQ(profile.password, "Secr3t!x");
  EXPECT_EQ(profile.gateway_service, "sapgw00");
  EXPECT_EQ(profile.description, "Production ERP");
  EXPECT_EQ(definition, "MSET=SAP:CCMS:Monitor:Templates,MONITOR=Cpu #");

  ToolRun checked = run_tool({"check", path});
  EXPECT_EQ(checked.status, 0) << checked.err;
  EXPECT_NE(checked.out.find("User.......: MONITOR\n"), std::string::npos);
  EXPECT_NE(checked.out.find("Password...: ********\n"), std::string::npos);
  EXPECT_EQ(checked.out.find("Secr3t!x"), std::string::npos);
  EXPECT_NE(checked.out.find("# Mon2: Disk"), std::string::npos);
}

TEST(ProfileTool, CreateReplacesAnExistingFileOnlyWithForce) {
  testing::TempDir dir;
  const std::string path = dir.root() + "PRD.P00";
  dir.write("PRD.P00", "old");
  ToolRun refused = run_tool(create_arguments(path), "Secr3t!x\n");
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("--force"), std::string::npos);
  EXPECT_EQ(dir.read("PRD.P00"), "old");

  std::vector<std::string> forced = create_arguments(path);
  forced.push_back("--force");
  EXPECT_EQ(run_tool(forced, "Secr3t!x\n").status, 0);
  EXPECT_NE(dir.read("PRD.P00"), "old");
}

TEST(ProfileTool, CreateRefusesBadInputAndWritesNothing) {
  const struct {
    std::vector<std::string> change;  // option and value replacing or added
    std::string password;
    std::string reason;               // a piece of the message
  } cases[] = {
      {{"--client", "1234567890123456"}, "Secr3t!x", "at most 15"},
      {{"--description", std::string(61, 'd')}, "Secr3t!x", "at most 60"},
      {{"--sysnr", "0"}, "Secr3t!x", "at least 2"},
      {{"--hostname", "sap\tprd"}, "Secr3t!x", "control character"},
      {{"--colour", "red"}, "Secr3t!x", "unknown option --colour"},
      {{"--mon", "CPU=MONITOR=Load"}, "Secr3t!x", "MSET="},
      {{"--mon", "CPU_LOAD_PRD=MSET=A"}, "Secr3t!x", "1 to 10"},
      {{"--mon", "#CPU=MSET=A"}, "Secr3t!x", "command line"},
      // Each of these turns trace mode on; "@" also stops the directory search.
      {{"--mon", "CPU#1=MSET=A"}, "Secr3t!x", "trace mode"},
      {{"--mon", "CPU@=MSET=A"}, "Secr3t!x", "trace mode"},
      {{"--mon", "CPU$=MSET=A"}, "Secr3t!x", "trace mode"},
      {{"--mon", "CPU%=MSET=A"}, "Secr3t!x", "trace mode"},
      {{"--mon", "NoDefinition"}, "Secr3t!x", "NAME=DEFINITION"},
      {{"--user"}, "Secr3t!x", "--user needs a value"},
      {{}, "x", "2 to 20"},
      {{}, "two words", "blank"},
  };
  for (const auto& c : cases) {
    testing::TempDir dir;
    std::vector<std::string> arguments = create_arguments(dir.root() + "PRD");
    arguments.insert(arguments.end(), c.change.begin(), c.change.end());
    ToolRun r = run_tool(arguments, c.password + "\n");
    EXPECT_EQ(r.status, 2) << c.reason;
    EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
    EXPECT_FALSE(platform::FileSystem().can_open(dir.root() + "PRD.P00")) << c.reason;
  }

  // Every field with a minimum must be given.
  testing::TempDir dir;
  std::vector<std::string> arguments = create_arguments(dir.root() + "PRD");
  arguments.erase(arguments.begin() + 16, arguments.begin() + 18);  // --sysnr 00
  ToolRun r = run_tool(arguments, "Secr3t!x\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("--sysnr is required"), std::string::npos) << r.err;
}

TEST(ProfileTool, CheckReportsTheSensorsErrors) {
  testing::TempDir dir;
  std::string stored = scramble_password("Secr3t!x", 5);
  stored[0] = static_cast<char>(stored[0] ^ 0x01);
  dir.write("BAD.P00", "User.......: monitor\nPassword...: " + stored + "\n");
  dir.write("NOPW.P00", "User.......: monitor\n");

  const struct {
    std::string argument;
    std::string message;
  } cases[] = {
      {dir.root() + "BAD", "Error 1005: Wrong Password in Profile BAD.P00 found...\n"},
      {dir.root() + "NOPW", "Error 1007: Password in Profile NOPW.P00\tis missing...\n"},
      {dir.root() + "NONE", "Error 1002: Profile " + dir.root() + "NONE.P00 is missing...\n"},
      // A directory in the profile's place is reported like a missing file.
      {dir.root() + "DIR", "Error 1002: Profile " + dir.root() + "DIR.P00 is missing...\n"},
  };
  std::filesystem::create_directories(dir.path() / "DIR.P00");
  for (const auto& c : cases) {
    ToolRun r = run_tool({"check", c.argument});
    EXPECT_EQ(r.status, 2) << c.argument;
    EXPECT_EQ(r.err, c.message);
    EXPECT_EQ(r.out, "");
  }
}

TEST(ProfileTool, UsageAndUnknownCommands) {
  ToolRun none = run_tool({});
  EXPECT_EQ(none.status, 2);
  EXPECT_NE(none.err.find("Usage:"), std::string::npos);
  ToolRun help = run_tool({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("keldar-profile create PROFILE"), std::string::npos);
  EXPECT_EQ(run_tool({"frobnicate"}).status, 2);
  EXPECT_EQ(run_tool({"check"}).status, 2);
  EXPECT_EQ(run_tool({"create", "--user", "x"}).status, 2);
}

}  // namespace
}  // namespace keldar
