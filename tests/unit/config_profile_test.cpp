#include <gtest/gtest.h>

#include <string>

#include "config/config_lines.h"
#include "config/password.h"
#include "config/system_profile.h"
#include "run/start_phase.h"
#include "text/line_reader.h"

namespace keldar {
namespace {

const std::string kStored = scramble_password("Secr3t!x", 42);

// A complete profile; `extra` lines come after the key lines.
std::string complete_profile(const std::string& extra = "") {
  return "Extcompany.: ACME Monitoring\n"
         "Destination: PRD\n"
         "Client.....: 100\n"
         "User.......: monitor\n"
         "Password...: " + kStored + "\n"
         "Language...: E\n"
         "Mode.......: RFC\n"
         "Hostname...: sapprd01\n"
         "Sysnr......: 00\n"
         "Gwhost.....: sapgw01\n"
         "Gwservice..: sapgw00\n"
         "Description: Production ERP \n"
         "DatClient..: 200\n" + extra;
}

struct Read {
  std::optional<std::string> error;
  SystemProfile profile;
  std::string definition;
};

std::optional<std::string> text_of(const std::optional<Failure>& failure) {
  if (!failure) return std::nullopt;
  return failure->text;
}

std::optional<std::string> check(const SystemProfile& profile) {
  return text_of(profile_failure(check_profile(profile), "PRD.P00"));
}

Read read(const std::string& content, const std::string& sensor_name = "") {
  Read result;
  text::LineReader lines = text::memory_reader(content, kConfigLineChars);
  result.error = text_of(profile_failure(
      read_profile(lines, sensor_name, result.profile, result.definition), "PRD.P00"));
  return result;
}

std::optional<std::string> read_and_check(const std::string& content) {
  Read result = read(content);
  if (result.error) return result.error;
  return check(result.profile);
}

TEST(SystemProfile, ReadsEveryKeyLine) {
  Read r = read(complete_profile());
  ASSERT_FALSE(r.error);
  EXPECT_EQ(r.profile.external_company, "ACME Monitoring");
  EXPECT_EQ(r.profile.destination, "PRD");
  EXPECT_EQ(r.profile.client, "100");
  EXPECT_EQ(r.profile.user, "MONITOR");
  EXPECT_EQ(r.profile.password, "Secr3t!x");
  EXPECT_EQ(r.profile.language, "E");
  EXPECT_EQ(r.profile.mode, "RFC");
  EXPECT_EQ(r.profile.host_name, "sapprd01");
  EXPECT_EQ(r.profile.system_number, "00");
  EXPECT_EQ(r.profile.gateway_host, "sapgw01");
  EXPECT_EQ(r.profile.gateway_service, "sapgw00");
  EXPECT_EQ(r.profile.description, "Production ERP ");  // not trimmed
  EXPECT_EQ(r.profile.data_client, "200");
  EXPECT_FALSE(check(r.profile));
}

TEST(SystemProfile, AnEarlyDescriptionIsKeptToTheEndOfTheRead) {
  Read r = read("Description: Early\nClient.....: 100\n# Mon1: X          MSET=A\n", "X         ");
  ASSERT_FALSE(r.error);
  EXPECT_EQ(r.profile.description, "Early");
}

TEST(SystemProfile, ALineEndsAtItsFirstNulByte) {
  // "User.......: a\0b" is the user "a", too short; "MSET=" behind a NUL
  // does not make a definition.
  const char user[] = "User.......: a\0b\n";
  const char sensor[] = "# Mon1: NUL        MONITOR=A\0,MSET=B\n";
  Read r = read(complete_profile(std::string(user, sizeof user - 1) +
                                 std::string(sensor, sizeof sensor - 1)),
                "NUL       ");
  ASSERT_FALSE(r.error);
  EXPECT_EQ(r.profile.user, "A");
  EXPECT_EQ(check(r.profile), "Error 1003: Invalid Parameter(s) at PRD.P00 found...");
  EXPECT_EQ(r.definition, "MONITOR=A #");
}

TEST(SystemProfile, AReadErrorMakesTheProfileUnreadable) {
  text::LineReader failing([](char*, std::size_t) -> std::ptrdiff_t { return -1; },
                           kConfigLineChars);
  SystemProfile profile;
  std::string definition;
  EXPECT_EQ(read_profile(failing, "", profile, definition), ProfileRead::unreadable);
}

TEST(SystemProfile, CrLfLineEndsReadLikeLf) {
  std::string crlf;
  for (char c : complete_profile()) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  Read lf = read(complete_profile());
  Read dos = read(crlf);
  ASSERT_FALSE(dos.error);
  EXPECT_EQ(dos.profile.password, lf.profile.password);
  EXPECT_EQ(dos.profile.description, lf.profile.description);
  EXPECT_EQ(dos.profile.data_client, "200");
}

TEST(SystemProfile, ColumnsLabelsAndRepeatedLines) {
  const struct {
    std::string extra;
    std::string client;
  } cases[] = {
      {"Client.....:100\n", "00"},                 // column 13 is skipped whatever it holds
      {"Client.....: 300\nClient.....: 400\n", "400"},  // the last line wins
      {"Client.....:\n", ""},                      // short line: empty value
      {"client.....: 500\n", "100"},               // labels are case-sensitive
      {"Client....: 600\n", "100"},                // and exact to 12 characters
      {"Client.....: 1234567890123456789\n", "123456789012345"},  // cut to width 15
      // A line is read in pieces of 199 characters: the rest is a line of its own.
      {std::string(199, '*') + "Client.....: 700\n", "700"},
  };
  for (const auto& c : cases) {
    Read r = read(complete_profile(c.extra));
    ASSERT_FALSE(r.error) << c.extra;
    EXPECT_EQ(r.profile.client, c.client) << c.extra;
  }
}

TEST(SystemProfile, ValuesAreTakenToSixtyCharactersThenCutToTheirWidth) {
  std::string long_text(80, 'd');
  Read r = read(complete_profile("Description: " + long_text + "\nExtcompany.: " + long_text +
                                 "\nHostname...: " + long_text + "\n"));
  ASSERT_FALSE(r.error);
  EXPECT_EQ(r.profile.description, std::string(60, 'd'));
  EXPECT_EQ(r.profile.external_company, std::string(60, 'd'));
  EXPECT_EQ(r.profile.host_name, std::string(35, 'd'));
}

TEST(SystemProfile, ErrorsInCheckOrderWithExactTexts) {
  const std::string e1003 = "Error 1003: Invalid Parameter(s) at PRD.P00 found...";
  const std::string e1004 = "Error 1004: Invalid Password in Profile PRD.P00 found...";
  const std::string e1005 = "Error 1005: Wrong Password in Profile PRD.P00 found...";
  const std::string e1006 = "Error 1006: Username in Profile PRD.P00 is missing...";
  const std::string e1007 = "Error 1007: Password in Profile PRD.P00\tis missing...";
  // "ab" stored with the length 01: it decodes to "a", below the minimum.
  std::string one_character = scramble_password("ab", 1);
  one_character[3] = static_cast<char>(one_character[3] ^ ('2' ^ '1'));
  std::string wrong_checksum = kStored;
  wrong_checksum[0] = static_cast<char>(wrong_checksum[0] ^ 0x01);
  const struct {
    std::string content;
    std::string error;
  } cases[] = {
      {"User.......: monitor\n", e1007},
      {"Password...: " + kStored + "\n", e1006},
      {"Extcompany.: x\n", e1006},
      {complete_profile("Password...:\n"), e1007},
      {complete_profile("Password...: \n"), e1007},   // column 13 is no part of the value
      {complete_profile("Password...:  \n"), e1004},  // a blank is a value of length 1
      {complete_profile("Password...: " + kStored.substr(1) + "\n"), e1004},
      {complete_profile("Password...: " + kStored + "x\n"), e1004},
      {complete_profile("Password...: " + wrong_checksum + "\n"), e1005},
      // Before any other check: a bad password with no user.
      {"Password...: " + kStored.substr(1) + "\n", e1004},
      {complete_profile("user.......: X\nUser.......:\n"), e1006},
      {complete_profile("Sysnr......: 0\n"), e1003},
      {complete_profile("Destination: PR\n"), e1003},
      {complete_profile("Extcompany.: A\n"), e1003},
      {complete_profile("Password...: " + one_character + "\n"), e1003},
  };
  for (const auto& c : cases) EXPECT_EQ(read_and_check(c.content), c.error) << c.content;

  // Minimums met exactly; description and data client may be empty.
  EXPECT_EQ(read_and_check(complete_profile("Language...: D\nSysnr......: 01\nDescription:\n"
                                            "DatClient..:\n")),
            std::nullopt);
}

TEST(SystemProfile, LinesAfterABadPasswordAreNotRead) {
  std::string content = "User.......: monitor\n"
                        "Password...: " + kStored.substr(2) + "\n"
                        "Client.....: 100\n";
  Read r = read(content);
  EXPECT_EQ(r.error, "Error 1004: Invalid Password in Profile PRD.P00 found...");
  EXPECT_EQ(r.profile.user, "MONITOR");
  EXPECT_EQ(r.profile.client, "");
}

TEST(SystemProfile, LocalSensorLines) {
  const std::string lines =
      "# Mon1: PRD_CPU    MSET=Cpu,MONITOR=Load\n"
      "# Mon2: PRD_DISK   MSET=Disk\n"
      "# Mon3: CPU_LOAD_P MSET=Ten\n"
      "# Mon4  PRD_MEM    MSET=NoColon\n";
  const struct {
    std::string sensor_name;
    std::string definition;
  } cases[] = {
      {"PRD_CPU   ", "MSET=Cpu,MONITOR=Load #"},  // command line "prd_cpu", upper-cased
      {"PRD_DISK  ", "MSET=Disk #"},
      {"CPU_LOAD_PRD1", "MSET=Ten #"},            // first ten characters only
      {"CPU_LOAD_PRD2", "MSET=Ten #"},
      {"PRD_MEM   ", ""},                        // ": " missing in columns 7-8
      {"PRD       ", ""},
      {"", ""},                                  // no sensor name: no line counts
  };
  for (const auto& c : cases) {
    EXPECT_EQ(read(complete_profile(lines), c.sensor_name).definition, c.definition)
        << c.sensor_name;
  }
  // The later of two matching lines wins; name columns compare in upper case.
  EXPECT_EQ(read("# Mon1: Prd_Cpu    MSET=A\n# Mon2: PRD_CPU    MSET=B\n", "PRD_CPU   ").definition,
            "MSET=B #");
  // A line that ends inside column 19 stores an empty definition.
  EXPECT_EQ(read("# Mon1: PRD_CPU   \n", "PRD_CPU   ").definition, " #");
}

}  // namespace
}  // namespace keldar
