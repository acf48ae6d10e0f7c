#include <gtest/gtest.h>

#include <string>

#include "config/sensor_definition.h"
#include "platform/file_system.h"
#include "run/start_phase.h"
#include "temp_dir.h"
#include "text/ascii.h"

namespace keldar {
namespace {

ParameterText with_parameter(const std::string& text) {
  return {text::to_upper_ascii(text), text};
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

TEST(ExtractKeys, ConnectionOverridesByTheSameRule) {
  SensorDefinition none = keys_of("MSET=A,HOST,SID");
  EXPECT_FALSE(none.host_override);
  EXPECT_FALSE(none.system_number_override);
  SensorDefinition both = keys_of("MSET=A,HOST=prdApp02,NO=10,GRADES");
  EXPECT_EQ(both.host_override, "prdApp02");
  EXPECT_EQ(both.system_number_override, "10");
  EXPECT_EQ(keys_of("MSET=A,host=my:host,no=").host_override, "my host");
  EXPECT_EQ(keys_of("MSET=A,HOST=" + std::string(50, 'h')).host_override, std::string(35, 'h'));
  EXPECT_EQ(keys_of("MSET=A,NO=").system_number_override, "");
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
  ParameterText parameters = apply_definition("MSET=Cpu,MONITOR=Load #", ",TIMED");
  EXPECT_EQ(parameters.upper, "MSET=CPU,MONITOR=LOAD #,TIMED");
  EXPECT_EQ(parameters.verbatim, "MSET=Cpu,MONITOR=Load #");
  ASSERT_TRUE(names_monitor_set(parameters));
  SensorDefinition definition;
  extract_keys(parameters, definition);
  EXPECT_EQ(definition.monitor_name, "Load");
  EXPECT_EQ(definition.monitor_set_name, "Cpu");
}

TEST(ApplyDefinition, ValuesAreNeverTakenFromTheSuffix) {
  // The working copy runs past the verbatim copy; a keyword there has no
  // value to copy.
  ParameterText parameters = apply_definition("MSET=A #", ",ID=3,CH=2");
  SensorDefinition definition;
  extract_keys(parameters, definition);
  EXPECT_EQ(definition.node_id_text, "");
  EXPECT_EQ(definition.monitor_set_name, "A");
}

TEST(ApplyDefinition, NoMonitorSetMeansNotFound) {
  const struct {
    std::string stored;
    bool found;
  } cases[] = {
      {"", false},
      {"MONITOR=Load #", false},
      {"MONITOR=Load", false},
      {"mset=x", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(names_monitor_set(apply_definition(c.stored, "")), c.found) << c.stored;
  }
}

class SensorFileTest : public ::testing::Test {
 protected:
  // "# Gblg" lists start in column 21; columns 19 and 20 may hold anything.
  SensorFileTest() : files({dir.root(), dir.root()}) {
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

  testing::TempDir dir;
  platform::FileSystem files;
};

TEST_F(SensorFileTest, GlobalSensorDefinitionAndSystemList) {
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
    SensorFile file = sensor_file_for(with_parameter(c.display_name), "SAP Velquist.Gbl",
                                      c.display_name);
    EXPECT_EQ(file.file_name, "SAP Velquist.Gbl");
    SensorDefinition definition;
    definition.sensor_definition = "kept";
    definition.system_list = "stale#";
    ASSERT_TRUE(read_sensor_file(files, "cfg/" + file.file_name, file.lookup_name, definition))
        << c.display_name;
    EXPECT_EQ(definition.sensor_definition, c.definition) << c.display_name;
    EXPECT_EQ(definition.system_list, c.system_list) << c.display_name;
  }
}

TEST_F(SensorFileTest, MonitorSetInTheParameterTextReadsTheSensorFile) {
  SensorFile file = sensor_file_for(with_parameter("MSET=X,GBLGRD=1"), "PRD.P00", "");
  EXPECT_EQ(file.file_name, "Velquist.Prf");
  EXPECT_EQ(file.lookup_name, "Velquist");
  SensorDefinition definition;
  ASSERT_TRUE(read_sensor_file(files, "cfg/" + file.file_name, file.lookup_name, definition));
  EXPECT_EQ(definition.sensor_definition, "MSET=FromPrf");
  EXPECT_EQ(definition.system_list, "DEV.P00#");
}

TEST_F(SensorFileTest, AMissingOrUnreadableFileIsNotRead) {
  SensorDefinition definition;
  EXPECT_FALSE(read_sensor_file(files, "nowhere/SAP Velquist.Gbl", "GblCpu", definition));
  // A directory in the file's place cannot be read either.
  std::filesystem::create_directories(dir.path() / "cfg" / "dir.Gbl");
  EXPECT_FALSE(read_sensor_file(files, "cfg/dir.Gbl", "GblCpu", definition));
}

}  // namespace
}  // namespace keldar
