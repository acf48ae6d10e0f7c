#include "run/invocation.h"

#include <gtest/gtest.h>

namespace keldar {
namespace {

struct Parsed {
  std::optional<std::string> error;
  Invocation state;
};

Parsed parse(std::vector<std::string> arguments) {
  ProgramStart start{"keldar", OutputMode::EXEXML, "10:15:00"};
  auto result = parse_command_line(start, arguments);
  Parsed parsed;
  if (const Failure* failure = std::get_if<Failure>(&result)) {
    parsed.error = failure->text;
  } else {
    parsed.state = std::get<Invocation>(result);
  }
  return parsed;
}

TEST(CommandLine, MissingProfileArgumentIsError1001) {
  Parsed p = parse({});
  EXPECT_EQ(p.error, "Error 1001: Parameter for Profile-Name is missing !");
}

TEST(CommandLine, EmptyOrHashSensorNameIsError1019) {
  for (std::vector<std::string> args : {std::vector<std::string>{"PRD"},
                                        std::vector<std::string>{"PRD", "#Sensor"},
                                        std::vector<std::string>{"PRD", " Sensor"},
                                        std::vector<std::string>{"PRD", "-"}}) {
    EXPECT_EQ(parse(args).error, "Error 1019: Sensorname for Monitoring is missing !")
        << args.size() << " " << (args.size() > 1 ? args[1] : "");
  }
}

struct SensorNameCase {
  std::vector<std::string> arguments;
  std::string sensor_name, display_name, option_suffix, parameter_text, channel_selector;
};

TEST(CommandLine, SensorNameSuffixAndSelector) {
  const SensorNameCase cases[] = {
      {{"PRD", "Abc,GRADES,TIMED"}, "ABC       ", "Abc", ",TIMED,GRADES", "ABC,GRADES,TIMED", "."},
      {{"PRD", "-Sensor1"}, "SENSOR1   ", "Sensor1", "", "-SENSOR1", "."},
      {{"PRD", "Sensor1,CH=2"}, "SENSOR1   ", "Sensor1", ",CH=2", "SENSOR1", "SENSOR1,CH=2"},
      {{"PRD", "Twelve_Chars"}, "TWELVE_CHARS", "Twelve_Chars", "", "TWELVE_CHARS", "."},
      {{"PRD", ",lead,x"}, ",LEAD     ", ",lead", ",x", ",LEAD,X", "."},
      {{"PRD", "cpu load"}, "CPU       ", "cpu", "", "CPU LOAD", "."},
  };
  for (const auto& c : cases) {
    Parsed p = parse(c.arguments);
    ASSERT_FALSE(p.error) << *p.error;
    EXPECT_EQ(p.state.sensor_name, c.sensor_name) << c.arguments[1];
    EXPECT_EQ(p.state.sensor_display_name, c.display_name) << c.arguments[1];
    EXPECT_EQ(p.state.option_suffix, c.option_suffix) << c.arguments[1];
    EXPECT_EQ(p.state.parameters.upper, c.parameter_text) << c.arguments[1];
    EXPECT_EQ(p.state.channel_selector, c.channel_selector) << c.arguments[1];
  }
}

TEST(CommandLine, DirectDefinitionsAndListingsHaveNoSensorName) {
  for (const char* text : {"Abc,X=1", "MONITOR-SETS", "MSET=A"}) {
    Parsed p = parse({"PRD", text});
    ASSERT_FALSE(p.error) << text;
    EXPECT_EQ(p.state.sensor_name, "") << text;
  }
}

TEST(CommandLine, ParameterPartsAreJoinedAndKeepTheirCaseVerbatim) {
  Parsed p = parse({"PRD", "MSET=a", "MONITOR=b", "ignored"});
  EXPECT_EQ(p.state.parameters.verbatim, "MSET=a MONITOR=b");
  EXPECT_EQ(p.state.parameters.upper, "MSET=A MONITOR=B");
}

TEST(CommandLine, ChannelCutKeepsVerbatimTextWhole) {
  Parsed p = parse({"PRD", "MSET=a,ch=3"});
  EXPECT_EQ(p.state.parameters.upper, "MSET=A");
  EXPECT_EQ(p.state.parameters.verbatim, "MSET=a,ch=3");
  EXPECT_EQ(p.state.channel_selector, "MSET=A,CH=3");
}

TEST(CommandLine, GlobalRunAndTraceMode) {
  const struct {
    std::vector<std::string> arguments;
    bool global, trace;
  } cases[] = {
      {{"GLOBAL", "S"}, true, false},         {{"global", "S"}, true, false},
      {{"PRD", "MSET=A,GBLGRD=X"}, true, false}, {{"PRD", "MSET=A,gblval=X"}, true, false},
      {{"GLOBAL.P00", "S"}, false, false},    {{"PRD", "S#"}, false, true},
      {{"PRD", "S@"}, false, true},           {{"PRD", "MSET=A$"}, false, true},
      {{"PRD", "MSET=A%"}, false, true},      {{"PRD", "S"}, false, false},
  };
  for (const auto& c : cases) {
    Parsed p = parse(c.arguments);
    ASSERT_FALSE(p.error) << c.arguments[1];
    EXPECT_EQ(p.state.global_run, c.global) << c.arguments[0] << " " << c.arguments[1];
    EXPECT_EQ(p.state.trace_mode, c.trace) << c.arguments[1];
  }
}

TEST(CommandLine, StartTimeAndBanner) {
  Parsed p = parse({"PRD", "S"});
  EXPECT_EQ(p.state.start_time, "10:15:00");
  EXPECT_EQ(p.state.banner_line, "* 10:15:00 SAP Keldar Vers 4.3 / 29.08.22\n");
  EXPECT_EQ(p.state.program_path, "keldar");
}

TEST(CommandLine, OutputModeFollowsTheExecutableName) {
  const struct {
    const char* path;
    OutputMode mode;
  } cases[] = {
      {"keldar", OutputMode::EXEXML},
      {"C:\\PRTG\\keldar.exe", OutputMode::EXEXML},
      {"/opt/keldar/keldar-halvenor", OutputMode::Halvenor},
      {"KELDAR_DRAVOSK.EXE", OutputMode::Dravosk},
      {"sap-Quibbet.exe", OutputMode::Quibbet},
      {"keldar-pimtrel", OutputMode::Pimtrel},
      {"pimtrel", OutputMode::EXEXML},
      {"keldar-pimtrel-old", OutputMode::EXEXML},
      {"keldar.halvenor", OutputMode::EXEXML},
  };
  for (const auto& c : cases) EXPECT_EQ(output_mode_for_program(c.path), c.mode) << c.path;
}

}  // namespace
}  // namespace keldar
