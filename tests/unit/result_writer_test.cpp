#include "output/result_writer.h"

#include <gtest/gtest.h>

#include "output/error_result.h"
#include "output/xml_text.h"

namespace keldar {
namespace {

// Runs the calling order every caller uses and returns what is printed.
std::string whole_result(const WriterOptions& options,
                         const std::vector<std::array<std::string, 3>>& channels,
                         const std::string& message) {
  ResultWriter writer(options);
  std::string printed;
  writer.result_begin();
  printed += writer.take();
  for (const auto& c : channels) {
    writer.channel_write(c[0], c[1], c[2]);
    printed += writer.take();
  }
  writer.text_begin();
  writer.append_text(message);
  writer.text_end();
  writer.result_end();
  printed += writer.take();
  return printed;
}

TEST(ResultWriter, XmlFormForTheThreeXmlModes) {
  for (OutputMode mode : {OutputMode::EXEXML, OutputMode::Quibbet, OutputMode::Pimtrel}) {
    EXPECT_EQ(whole_result({mode, "."}, {{"CPU", "42", "PerCent"}, {"Dialog", "1", ""}}, "(PRD) ok "),
              "\n<Prtg>\n"
              "\n<Result><Channel>CPU</Channel>\n<Unit>Custom</Unit>\n<CustomUnit>PerCent"
              "</CustomUnit>\n<Value>42</Value></Result>\n"
              "\n<Result><Channel>Dialog</Channel>\n<Value>1</Value></Result>\n"
              "\n<Text>(PRD) ok </Text>\n\n</Prtg>\n")
        << output_mode_name(mode);
  }
}

TEST(ResultWriter, XmlFormEscapesEveryElementText) {
  EXPECT_EQ(whole_result({}, {{"R&D <x>", "1&2", "a<b"}}, "Q&A <y>"),
            "\n<Prtg>\n"
            "\n<Result><Channel>R&amp;D &lt;x&gt;</Channel>\n<Unit>Custom</Unit>\n"
            "<CustomUnit>a&lt;b</CustomUnit>\n<Value>1&amp;2</Value></Result>\n"
            "\n<Text>Q&amp;A &lt;y&gt;</Text>\n\n</Prtg>\n");
}

TEST(ResultWriter, HalvenorStatisticsFormFiltersKeysMapsUnitsAndCapsAtTen) {
  std::vector<std::array<std::string, 3>> channels = {
      {"CPU (a/b) [c]: d.e*\\f", "7", "PerCent"}, {"Resp", "12", "TimeResponse"},
      {"Users", "3", ""}};
  for (int i = 4; i <= 11; ++i) channels.push_back({"C" + std::to_string(i), "0", "x"});
  std::string expected =
      "\n\nMessage.CPU__a_b___c___d_e__f: CPU (a/b) [c]: d.e*\\f (%)\n"
      "Statistic.CPU__a_b___c___d_e__f: 7"
      "\n\nMessage.Resp: Resp (mSec)\nStatistic.Resp: 12"
      "\n\nMessage.Users: Users (#)\nStatistic.Users: 3";
  for (int i = 4; i <= 10; ++i) {
    expected += "\n\nMessage.C" + std::to_string(i) + ": C" + std::to_string(i) +
                " (x)\nStatistic.C" + std::to_string(i) + ": 0";
  }
  expected += "\n# a<b&c\n";
  EXPECT_EQ(whole_result({OutputMode::Halvenor, "."}, channels, "a<b&c"), expected);
}

TEST(ResultWriter, HalvenorKeyIsTheOneTheCallerPasses) {
  // A global value sensor passes the profile file name as the key.
  ResultWriter writer({OutputMode::Halvenor, "."});
  writer.channel_write("prdci01 - Prod", "5", "%", "PRD.P00");
  EXPECT_EQ(writer.take(), "\n\nMessage.PRD_P00: prdci01 - Prod (%)\nStatistic.PRD_P00: 5");
  // A node without a name, or with control bytes in it, still gives a key.
  writer.channel_write("", "1", "State", "");
  EXPECT_EQ(writer.take(), "\n\nMessage._:  (State)\nStatistic._: 1");
  writer.channel_write("a\tb", "2", "State", "a\tb");
  EXPECT_EQ(writer.take(), "\n\nMessage.a_b: a\tb (State)\nStatistic.a_b: 2");
}

TEST(ResultWriter, DravoskLineForm) {
  EXPECT_EQ(whole_result({OutputMode::Dravosk, "."}, {{"CPU", "42", "PerCent"}, {"Users", "3", ""}}, "done"),
            "\n> CPU: 42 %\n> Users: 3 #\n# done\n");
}

TEST(ResultWriter, DravoskSelectedChannelPrintsTheBareValue) {
  EXPECT_EQ(whole_result({OutputMode::Dravosk, "SENSOR1,CH=2"}, {{"A", "1", ""}, {"B", "22", "ms"}, {"C", "3", ""}}, "text"),
            "22\n");
}

TEST(ResultWriter, SelectedChannelNumber) {
  const struct {
    const char* selector;
    int number;
  } cases[] = {{".", 0}, {"S,CH=2", 2}, {"S,CH=12,X", 12}, {"S,CH=1,2", 1},
               {"S,CH=1234", 123}, {"S,CH=", 0}, {"S,CH=X", 0}};
  for (const auto& c : cases) EXPECT_EQ(selected_channel(c.selector), c.number) << c.selector;
}

TEST(ErrorResult, IsAlwaysTheXmlErrorDocumentWithEscapedMessage) {
  EXPECT_EQ(error_result("Error 1002: Profile C:\\a&b<c>.P00 is missing..."),
            "<Prtg>\n<Error>1</Error>\n<Text>Error 1002: Profile C:\\a&amp;b&lt;c&gt;.P00 is "
            "missing...</Text>\n</Prtg>\n");
  // Control bytes from the command line become blanks.
  EXPECT_EQ(error_result("Error 1021: Local Sensor a\x01\x1b[31mb not found !"),
            "<Prtg>\n<Error>1</Error>\n<Text>Error 1021: Local Sensor a  [31mb not found "
            "!</Text>\n</Prtg>\n");
}

TEST(XmlText, EveryByteBecomesAscii) {
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  std::string out = xml_text(all);
  for (char c : out) {
    auto u = static_cast<unsigned char>(c);
    EXPECT_TRUE(u == '\t' || u == '\n' || u == '\r' || (u >= 0x20 && u < 0x7F)) << int(u);
  }
  const struct {
    std::string in;
    std::string out;
  } cases[] = {
      {"Pr\xE4" "fung", "Pr&#228;fung"},           // Latin-1 "ä"
      {"\xA0\xFF", "&#160;&#255;"},
      {"a\x7F\x80\x9F" "b", "a   b"},
      {"tab\tlf\ncr\r", "tab\tlf\ncr\r"},
      {std::string("nul\0x", 5), "nul x"},
      {"R&D <1> \"q\" 'a'", "R&amp;D &lt;1&gt; \"q\" 'a'"},
      {"plain ASCII ~!", "plain ASCII ~!"},
  };
  for (const auto& c : cases) EXPECT_EQ(xml_text(c.in), c.out) << c.in;
}

TEST(ResultWriter, OnlyTheXmlFormAppliesTheBytePolicy) {
  EXPECT_EQ(whole_result({}, {{"Pr\xE4" "f", "1", "\x01"}}, "\xE4"),
            "\n<Prtg>\n\n<Result><Channel>Pr&#228;f</Channel>\n<Unit>Custom</Unit>\n"
            "<CustomUnit> </CustomUnit>\n<Value>1</Value></Result>\n\n<Text>&#228;</Text>\n\n"
            "</Prtg>\n");
  EXPECT_EQ(whole_result({OutputMode::Dravosk, "."}, {{"Pr\xE4" "f", "1", "u"}}, "\xE4"),
            "\n> Pr\xE4" "f: 1 u\n# \xE4\n");
  EXPECT_EQ(whole_result({OutputMode::Halvenor, "."}, {{"Pr\xE4" "f", "1", "u"}}, "\xE4"),
            "\n\nMessage.Pr\xE4" "f: Pr\xE4" "f (u)\nStatistic.Pr\xE4" "f: 1\n# \xE4\n");
}

}  // namespace
}  // namespace keldar
