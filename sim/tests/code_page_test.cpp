// Texts of the landscape reach the client in the logon code page, Latin-1.
#include "ccms_fixture.h"
#include "code_page.h"

namespace rfcsim_test {
namespace {

TEST(CodePage, Latin1TakesItsOwnCharactersAndMarksTheRest) {
  struct Case {
    const char* utf8;
    const char* latin1;
  };
  const Case cases[] = {
      {"Entire System", "Entire System"},
      {"Z\xC3\xA4hler \xC3\x9C" "ber 100\xC2\xB0", "Z\xE4hler \xDC" "ber 100\xB0"},  // U+00E4, U+00DC, U+00B0
      {"\xC3\xBF", "\xFF"},                                                           // U+00FF, the last one
      {"\xC4\x80", "#"},                                                              // U+0100, the first beyond
      {"5 \xE2\x82\xAC", "5 #"},                                                      // euro sign, three bytes
      {"\xF0\x9F\x98\x80!", "#!"},                                                    // four bytes
      {"a\xFF" "b", "a#b"},                                                           // not UTF-8
      {"\xC3", "#"},                                                                  // cut short
  };
  for (const Case& c : cases) EXPECT_EQ(rfcsim::to_latin1(c.utf8), c.latin1) << c.utf8;
}

class Latin1Landscape : public Ccms {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    // 40 characters, 44 bytes in UTF-8: it fits the 40-byte field once converted.
    const std::string long_name = "\xC3\x84" "\xC3\x96" "\xC3\x9C" "\xC3\x9F" + std::string(36, 'x');
    landscape(R"({"systems": [{"sid": "PRD", "host": "prdci01", "sysnr": "00",
      "clients": {"100": {"M\u00dcLLER": "Gr\u00fc\u00df"}},
      "monitor_sets": [{"name": "\u00dcberblick", "monitors": [{"name": "Z\u00e4hler", "tree":
        {"name": "Z\u00e4hler", "children": [
          {"name": ")" + long_name + R"(", "class": "111", "text": "Caf\u00e9 \u20ac"}]}}]}]}]})");
    handle_ = open("prdci01", 0, "100", "m\xDCLLER", "Gr\xFC\xDF");
    ASSERT_NE(handle_, 0u) << last_error().message;
    ASSERT_EQ(xmi_logon(handle_).rc, RFC_OK);
  }
};

TEST_F(Latin1Landscape, NamesAndTextsArriveAsOneBytePerCharacter) {
  Outcome outcome;
  std::vector<Buffer> rows = tree(0, 3, "Z\xE4hler", &outcome, "\xDC" "berblick");
  ASSERT_EQ(outcome.rc, RFC_OK) << outcome.exception;
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].trimmed("MTNAMESHRT"), "Z\xE4hler");
  EXPECT_EQ(rows[1].text("MTNAMESHRT"), "\xC4\xD6\xDC\xDF" + std::string(36, 'x'));
  Buffer text("BAPITXTPRP");
  ASSERT_EQ(mte_call("BAPI_SYSTEM_MTE_GETTXTPROP", rows[1], {{"PROPERTIES", &text}}).rc, RFC_OK);
  EXPECT_EQ(text.trimmed("TEXT"), "Caf\xE9 #");

  // The UTF-8 spelling of a name is a different name to the system.
  tree(0, 3, "Z\xC3\xA4hler", &outcome, "\xDC" "berblick");
  EXPECT_EQ(outcome.exception, "MONITOR_NOT_FOUND");
}

}  // namespace
}  // namespace rfcsim_test
