#include "output/result_writer.h"

#include <gtest/gtest.h>

#include "output/error_result.h"

namespace keldar {
namespace {

// Runs the calling order every caller uses and returns what is printed.
std::string whole_result(RunState& state, const std::vector<std::array<std::string, 3>>& channels,
                         const std::string& message) {
  ResultWriter writer(state);
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
    RunState state;
    state.output_mode = mode;
    EXPECT_EQ(whole_result(state, {{"CPU", "42", "PerCent"}, {"Dialog", "1", ""}}, "(PRD) ok "),
              "\n<Prtg>\n"
              "\n<Result><Channel>CPU</Channel>\n<Unit>Custom</Unit>\n<CustomUnit>PerCent"
              "</CustomUnit>\n<Value>42</Value></Result>\n"
              "\n<Result><Channel>Dialog</Channel>\n<Value>1</Value></Result>\n"
              "\n<Text>(PRD) ok </Text>\n\n</Prtg>\n")
        << output_mode_name(mode);
  }
}

TEST(ResultWriter, XmlFormEscapesEveryElementText) {
  RunState state;
  EXPECT_EQ(whole_result(state, {{"R&D <x>", "1&2", "a<b"}}, "Q&A <y>"),
            "\n<Prtg>\n"
            "\n<Result><Channel>R&amp;D &lt;x&gt;</Channel>\n<Unit>Custom</Unit>\n"
            "<CustomUnit>a&lt;b</CustomUnit>\n<Value>1&amp;2</Value></Result>\n"
            "\n<Text>Q&amp;A &lt;y&gt;</Text>\n\n</Prtg>\n");
}

TEST(ResultWriter, HalvenorStatisticsFormFiltersKeysMapsUnitsAndCapsAtTen) {
  RunState state;
  state.output_mode = OutputMode::Halvenor;
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
  EXPECT_EQ(whole_result(state, channels, "a<b&c"), expected);
}

TEST(ResultWriter, HalvenorKeyIsTheProfileForGlobalValues) {
  RunState state;
  state.output_mode = OutputMode::Halvenor;
  state.parameter_text = "MSET=A,GBLVAL=CPU";
  state.profile_file_name = "PRD.P00";
  ResultWriter writer(state);
  writer.channel_write("prdci01 - Prod", "5", "%");
  EXPECT_EQ(writer.take(), "\n\nMessage.PRD_P00: prdci01 - Prod (%)\nStatistic.PRD_P00: 5");
}

TEST(ResultWriter, DravoskLineForm) {
  RunState state;
  state.output_mode = OutputMode::Dravosk;
  EXPECT_EQ(whole_result(state, {{"CPU", "42", "PerCent"}, {"Users", "3", ""}}, "done"),
            "\n> CPU: 42 %\n> Users: 3 #\n# done\n");
}

TEST(ResultWriter, DravoskSelectedChannelPrintsTheBareValue) {
  RunState state;
  state.output_mode = OutputMode::Dravosk;
  state.channel_selector = "SENSOR1,CH=2";
  EXPECT_EQ(whole_result(state, {{"A", "1", ""}, {"B", "22", "ms"}, {"C", "3", ""}}, "text"),
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
  for (OutputMode mode : {OutputMode::EXEXML, OutputMode::Halvenor, OutputMode::Dravosk}) {
    RunState state;
    state.output_mode = mode;
    ResultWriter writer(state);
    writer.append_raw("leftover");
    error_result(writer, "Error 1002: Profile C:\\a&b<c>.P00 is missing...");
    EXPECT_EQ(writer.take(),
              "<Prtg>\n<Error>1</Error>\n<Text>Error 1002: Profile C:\\a&amp;b&lt;c&gt;.P00 is "
              "missing...</Text>\n</Prtg>\n");
  }
}

}  // namespace
}  // namespace keldar
