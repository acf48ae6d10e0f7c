#include <gtest/gtest.h>

#include <string>

#include "config/sensor_definition.h"
#include "platform/file_system.h"
#include "run/command_line.h"
#include "temp_dir.h"

namespace keldar {
namespace {

RunState with_parameter(const std::string& text) {
  RunState state;
  state.verbatim_parameter_text = text;
  state.parameter_text = to_upper_ascii(text);
  return state;
}

SensorDefinition keys_of(const std::string& text) {
  SensorDefinition definition;
  extract_keys(with_parameter(text), definition);
  return definition;
}

TEST(ExtractKeys, KeywordOrderValueEndsAndColons) {
  const struct {
    std::string text;
    std::string SensorDefinition::*field;
    std::string value;
  } cases[] = {
      {"MONITOR-SET=A,MSET=B", &SensorDefinition::monitor_set_name, "B"},
      {"MONITOR=X,MONITOR-TREE=Y", &SensorDefinition::monitor_name, "X"},
      {"mset=A,monitor-tree=Tree", &SensorDefinition::monitor_name, "Tree"},  // case kept
      {"MSET=A,GRADE=7,VALUE=3", &SensorDefinition::selection_value, "0000000007"},
      {"MSET=A,VALUE=3", &SensorDefinition::selection_value, "0000000003"},
      {"VALUE=3,MSET=A", &SensorDefinition::selection_value, "0000000000"},  // no comma
      {"MSET=A", &SensorDefinition::selection_value, "0000000000"},
      {"MSET=A,RANGE=123456789012", &SensorDefinition::selection_value, "123456789012"},
      {"MSET=A,GROUP=Grp", &SensorDefinition::selection_value, "0000000Grp"},
      {"MONITOR=A::B:C", &SensorDefinition::monitor_name, "A: B C"},
      {"MSET=A::B", &SensorDefinition::monitor_set_name, "A  B"},
      {"MSET=A,ID=x::y:z:", &SensorDefinition::node_id_text, "x: y z "},
      {"MSET=SAP:CCMS:Monitor:Templates", &SensorDefinition::monitor_set_name,
       "SAP CCMS Monitor Templates"},
      {"MSET=Prd", &SensorDefinition::monitor_set_name, "Prd"},
      {"MSET=Prd MONITOR=Cpu", &SensorDefinition::monitor_set_name, "Prd"},
      {"MSET=Prd,MONITOR=Cpu", &SensorDefinition::monitor_name, "Cpu"},
      {"MSET=,MONITOR=Cpu", &SensorDefinition::monitor_set_name, ""},
      {"MSET=A,GBLVAL=5,GBLGRD=2", &SensorDefinition::global_grade_value, "5"},
      {"MSET=A,GBLGRD=2", &SensorDefinition::global_grade_value, "2"},
      {"MSET=A", &SensorDefinition::node_id_text, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(keys_of(c.text).*c.field, c.value) << c.text;
}

TEST(ExtractKeys, MaximaAndFieldWidths) {
  const std::string long_value(120, 'v');
  const struct {
    std::string keyword;
    std::string SensorDefinition::*field;
    std::size_t length;
  } cases[] = {
      {"MONITOR-SET=", &SensorDefinition::monitor_set_name, 90},
      {"MSET=", &SensorDefinition::monitor_set_name, 90},
      {"MONITOR-TREE=", &SensorDefinition::monitor_name, 80},
      {"MONITOR=", &SensorDefinition::monitor_name, 90},
      {",VALUE=", &SensorDefinition::selection_value, 31},  // maximum 90, width 31
      {",GBLGRD=", &SensorDefinition::global_grade_value, 90},
      {"ID=", &SensorDefinition::node_id_text, 63},         // maximum 90, width 63
  };
  for (const auto& c : cases) {
    EXPECT_EQ(keys_of("X" + c.keyword + long_value).*c.field, std::string(c.length, 'v'))
        << c.keyword;
  }
  // At the maximum the value ends even before a following colon.
  EXPECT_EQ(keys_of("MONITOR=" + std::string(90, 'm') + "::x").monitor_name, std::string(90, 'm'));
}

TEST(ApplyDefinition, StoredDefinitionWithOptionSuffix) {
  RunState state = with_parameter("PRD_CPU");
  state.sensor_name = "PRD_CPU   ";
  state.sensor_display_name = "Prd_Cpu";
  state.option_suffix = ",TIMED";
  SensorDefinition definition;
  definition.sensor_definition = "MSET=Cpu,MONITOR=Load #";
  ASSERT_FALSE(apply_definition(state, definition));
  EXPECT_EQ(state.parameter_text, "MSET=CPU,MONITOR=LOAD #,TIMED");
  EXPECT_EQ(state.verbatim_parameter_text, "MSET=Cpu,MONITOR=Load #");
  extract_keys(state, definition);
  EXPECT_EQ(definition.monitor_name, "Load");
  EXPECT_EQ(definition.monitor_set_name, "Cpu");
}

TEST(ApplyDefinition, ValuesAreNeverTakenFromTheSuffix) {
  // The working copy runs past the verbatim copy; a keyword there has no
  // value to copy.
  RunState state = with_parameter("CPU");
  state.sensor_name = "CPU       ";
  state.sensor_display_name = "Cpu";
  state.option_suffix = ",ID=3,CH=2";
  SensorDefinition definition;
  definition.sensor_definition = "MSET=A #";
  ASSERT_FALSE(apply_definition(state, definition));
  extract_keys(state, definition);
  EXPECT_EQ(definition.node_id_text, "");
  EXPECT_EQ(definition.monitor_set_name, "A");
}

TEST(ApplyDefinition, NoMonitorSetMeansNotFound) {
  const struct {
    std::string stored;
    bool global;
    std::optional<std::string> error;
  } cases[] = {
      {"", false, "Error 1021: Local Sensor Abc not found !"},
      {"MONITOR=Load #", false, "Error 1021: Local Sensor Abc not found !"},
      {"MONITOR=Load", true, "Error 1022: Global Sensor Abc not found !"},
      {"mset=x", true, std::nullopt},
  };
  for (const auto& c : cases) {
    RunState state = with_parameter("Abc");
    state.sensor_name = "ABC       ";
    state.sensor_display_name = "Abc";
    state.global_run = c.global;
    SensorDefinition definition;
    definition.sensor_definition = c.stored;
    EXPECT_EQ(apply_definition(state, definition), c.error) << c.stored;
  }
  // Without a sensor name the parameter text is the definition itself.
  RunState direct = with_parameter("MSET=A");
  SensorDefinition definition;
  EXPECT_FALSE(apply_definition(direct, definition));
  EXPECT_EQ(direct.parameter_text, "MSET=A");
}

class SensorFile : public ::testing::Test {
 protected:
  // "# Gblg" lists start in column 21; columns 19 and 20 may hold anything.
  SensorFile() : files(dir.root()) {
    dir.write("cfg/SAP Velquist.Gbl",
              "* global sensors\r\n"
              "# Gblx: GBLCPU     MSET=Cpu:Set,MONITOR=Load,GBLGRD=2\r\n"
              "# Gblg: GBLCPU      PRD.P00#\r\n"
              "# Gblg: OTHER       XXX.P00#\r\n"
              "# Gblg: gblcpu     :QAS.P00#\r\n"
              "# Gblx: CPU_LOAD_P MSET=Ten\r\n"
              "# Gblx: NOLIST     MSET=Alone\r\n");
    dir.write("cfg/Velquist.Prf",
              "# Gblx: VELQUIST   MSET=FromPrf\n"
              "# Gblg: VELQUIST    DEV.P00#\n");
  }

  RunState state_for(const std::string& display_name, const std::string& parameter) {
    RunState state = with_parameter(parameter);
    state.global_run = true;
    state.program_directory = "C:\\cfg\\";
    state.profile_file_name = "SAP Velquist.Gbl";
    state.sensor_display_name = display_name;
    return state;
  }

  testing::TempDir dir;
  platform::FileSystem files;
};

TEST_F(SensorFile, GlobalSensorDefinitionAndSystemList) {
  if (files.native_path("C:\\x") != dir.root() + "x") GTEST_SKIP() << "no injected root here";
  const struct {
    std::string display_name;
    std::string definition;
    std::string system_list;
  } cases[] = {
      {"GblCpu", "MSET=Cpu:Set,MONITOR=Load,GBLGRD=2", "PRD.P00#QAS.P00#"},
      {"CPU_LOAD_PRD1", "MSET=Ten", ""},
      {"CPU_LOAD_PRD2", "MSET=Ten", ""},
      {"NoList", "MSET=Alone", ""},
      {"Missing", "kept", ""},
  };
  for (const auto& c : cases) {
    RunState state = state_for(c.display_name, c.display_name);
    SensorDefinition definition;
    definition.sensor_definition = "kept";
    definition.system_list = "stale#";
    ASSERT_FALSE(read_sensor_file(files, state, definition)) << c.display_name;
    EXPECT_EQ(definition.sensor_definition, c.definition) << c.display_name;
    EXPECT_EQ(definition.system_list, c.system_list) << c.display_name;
  }
}

TEST_F(SensorFile, MonitorSetInTheParameterTextReadsTheSensorFile) {
  if (files.native_path("C:\\x") != dir.root() + "x") GTEST_SKIP() << "no injected root here";
  RunState state = state_for("", "MSET=X,GBLGRD=1");
  SensorDefinition definition;
  ASSERT_FALSE(read_sensor_file(files, state, definition));
  EXPECT_EQ(state.sensor_display_name, "Velquist");
  EXPECT_EQ(definition.sensor_definition, "MSET=FromPrf");
  EXPECT_EQ(definition.system_list, "DEV.P00#");
}

TEST_F(SensorFile, MissingFileNamesItWithoutDirectory) {
  RunState state = state_for("GblCpu", "GblCpu");
  state.program_directory = "C:\\nowhere\\";
  SensorDefinition definition;
  EXPECT_EQ(read_sensor_file(files, state, definition),
            "Error 1020: File SAP Velquist.Gbl is missing...");
  state = state_for("", "MSET=X,GBLVAL=1");
  state.program_directory = "C:\\nowhere\\";
  EXPECT_EQ(read_sensor_file(files, state, definition),
            "Error 1020: File Velquist.Prf is missing...");
}

}  // namespace
}  // namespace keldar
