#include "run/global_run.h"

#include <gtest/gtest.h>

#include "run/system_steps.h"

namespace keldar {
namespace {

TEST(GlobalRun, PlaceholdersOfTheNodeNames) {
  const struct {
    const char* name;
    const char* system_id;
    const char* host;
    const char* result;
  } cases[] = {
      {"CPU_%S%_Load", "PRD     ", "prdci01 ", "CPU_PRD_Load"},
      {"%S%/%S%", "QAS     ", "h", "QAS/QAS"},
      {"CPU_%S%", "AB      ", "h", "CPU_AB "},  // the field's blank is copied
      {"CPU_%S%", "", "h", "CPU_   "},
      {"%H%:%H%", "PRD", "prdci01 ", "prdci01:%H%"},  // the first only, unpadded
      {"CPU_%H%", "PRD", "sapprd01", "CPU_sapprd01"},
      {"Dialog", "PRD", "h", "Dialog"},
      {"%S", "PRD", "h", "%S"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(replace_placeholders(c.name, c.system_id, c.host), c.result) << c.name;
  }
}

TEST(GlobalRun, ClassificationAndStateTexts) {
  EXPECT_EQ(classify(false, true, true), SystemOutcome::processed);
  EXPECT_EQ(classify(false, true, false), SystemOutcome::not_found);
  EXPECT_EQ(classify(true, true, true), SystemOutcome::rfc_failure);
  EXPECT_EQ(classify(false, false, true), SystemOutcome::rfc_failure);
  EXPECT_EQ(classify(true, false, false), SystemOutcome::rfc_failure);
  EXPECT_EQ(state_text(SystemOutcome::processed), "Processed");
  EXPECT_EQ(state_text(SystemOutcome::not_found), "Not Found");
  EXPECT_EQ(state_text(SystemOutcome::rfc_failure), "Rfc Failure");
}

TEST(GlobalRun, SummaryText) {
  EXPECT_EQ(summary_text("CPU", "None", 2, 1, 1), "(***) CPU: NoSystems=2, Processed=1, Failed=1 ");
  EXPECT_EQ(summary_text("CPU_%S%", "Load", 0, 0, 0),
            "(***) CPU_%S%, Load: NoSystems=0, Processed=0, Failed=0 ");
  EXPECT_EQ(summary_text("CPU", "", 3, 0, 3), "(***) CPU, : NoSystems=3, Processed=0, Failed=3 ");
}

TEST(SystemSteps, TraceLinesOfASystem) {
  SystemProfile p;
  p.host_name = "prdci01";
  p.destination = "PRD";
  p.system_number = "00";
  p.client = "100";
  EXPECT_EQ(system_line("10:15:00", "PRD.P00", p), "* 10:15:00 PRD.P00, prdci01, PRD, 00, 100");
  EXPECT_EQ(shown_parameters("MSET=A,MONITOR=B #,X@y"), "MSET=A,MONITOR=B ");
  EXPECT_EQ(shown_parameters("MSET=A@b#c"), "MSET=A");
  EXPECT_EQ(now_processed_line("10:15:00"), "\n* 10:15:00 SAP Keldar now processed...\n");
}

TEST(SystemSteps, OverridesOfHostAndSystemNumber) {
  SystemProfile p;
  p.host_name = "prdci01";
  p.system_number = "00";
  SensorDefinition d;
  EXPECT_EQ(connection_values(p, d).host_name, "prdci01");
  d.host_override = "prdapp02";
  d.system_number_override = "";
  ConnectionValues v = connection_values(p, d);
  EXPECT_EQ(v.host_name, "prdapp02");
  EXPECT_EQ(v.system_number, "");
}

}  // namespace
}  // namespace keldar
