// The case-file format itself: what a case says must be what the runner does.
#include <gtest/gtest.h>

#include "case_file.h"
#include "output_checks.h"
#include "case_variants.h"

namespace keldar::e2e {
namespace {

TEST(CaseFormat, FileBlocksKeepExactBytes) {
  std::vector<Case> cases = parse_cases(
      "define two\n"
      "| x\n"
      "| y\n"
      "== blocks\n"
      "file a/plain.txt\n"
      "| first\n"
      "|\n"
      "|   indented  \n"
      "file SAP Velquist.Gbl crlf noeol\n"
      "| {{two}}\n"
      "| last\n"
      "file rfcsim.json from examples/landscape.json\n"
      "run keldar PRD\n"
      "stdout any\n",
      "t");
  ASSERT_EQ(cases.size(), 1u);
  const std::vector<FileSpec>& files = cases[0].files;
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files[0].path, "a/plain.txt");
  EXPECT_EQ(files[0].content, "first\n\n  indented  \n");
  EXPECT_EQ(files[1].path, "SAP Velquist.Gbl");
  EXPECT_EQ(files[1].content, "x\r\ny\r\nlast");
  EXPECT_EQ(files[2].path, "rfcsim.json");
  EXPECT_EQ(files[2].from, "examples/landscape.json");
}

TEST(CaseFormat, StepsCarryTheirOwnExpectations) {
  std::vector<Case> cases = parse_cases(
      "== steps\n"
      "only wine\n"
      "library absent\n"
      "copy keldar bin/KELDAR HALVENOR\n"
      "run keldar-profile scramble\n"
      "stdin noeol\n"
      "| Secret01\n"
      "stdout linux\n"
      "| L\n"
      "stdout wine\n"
      "| W\n"
      "status 3\n"
      "run keldar \"\" \"a b\" C:\\dir\\GLOBAL\n"
      "error Error 1001: x & y\n"
      "absent PRD.P00\n",
      "t");
  ASSERT_EQ(cases.size(), 1u);
  const Case& c = cases[0];
  EXPECT_TRUE(c.library_absent);
  ASSERT_EQ(c.copies.size(), 1u);
  EXPECT_EQ(c.copies[0].path, "bin/KELDAR HALVENOR");
  ASSERT_EQ(c.steps.size(), 2u);
  EXPECT_EQ(c.steps[0].stdin_bytes, "Secret01");
  EXPECT_EQ(c.steps[0].expected_stdout(Leg::Linux)->bytes, "L\n");
  EXPECT_EQ(c.steps[0].expected_stdout(Leg::Wine64)->bytes, "W\n");
  EXPECT_EQ(c.steps[0].expected_stdout(Leg::Wine32)->bytes, "W\n");
  EXPECT_EQ(c.steps[0].status, 3);
  EXPECT_EQ(c.steps[1].args, (std::vector<std::string>{"", "a b", "C:\\dir\\GLOBAL"}));
  EXPECT_EQ(c.steps[1].expected_stdout(Leg::Linux)->bytes,
            "<Prtg>\n<Error>1</Error>\n<Text>Error 1001: x & y</Text>\n</Prtg>\n");
  EXPECT_EQ(c.steps[1].status, 2);
  EXPECT_EQ(c.must_be_absent, std::vector<std::string>{"PRD.P00"});
}

TEST(CaseFormat, OnlyNamesTheLegsACaseRunsOn) {
  struct Row {
    const char* directive;
    bool linux_leg, wine64_leg, wine32_leg;
  };
  const Row rows[] = {
      {"", true, true, true},
      {"only linux\n", true, false, false},
      {"only wine\n", false, true, true},
      {"only wine32\n", false, false, true},
  };
  for (const Row& row : rows) {
    std::vector<Case> cases =
        parse_cases(std::string("== legs\n") + row.directive + "run keldar\nstdout any\n", "t");
    ASSERT_EQ(cases.size(), 1u);
    EXPECT_EQ(cases[0].runs_on(Leg::Linux), row.linux_leg) << row.directive;
    EXPECT_EQ(cases[0].runs_on(Leg::Wine64), row.wine64_leg) << row.directive;
    EXPECT_EQ(cases[0].runs_on(Leg::Wine32), row.wine32_leg) << row.directive;
  }
  EXPECT_THROW(parse_cases("== legs\nonly wine64x\nrun keldar\nstdout any\n", "t"), ParseError);
}

TEST(CaseFormat, FileContentsAndPatterns) {
  std::vector<Case> cases = parse_cases(
      "== contents\n"
      "run keldar PRD\n"
      "stdout matching\n"
      "| * {{any}} SAP Keldar\n"
      "contents calls.log\n"
      "| 1 RfcOpen rc=0\n"
      "contents Sap Rfc.ini matching noeol\n"
      "| DEST={{any}}\n",
      "t");
  ASSERT_EQ(cases.size(), 1u);
  const Case& c = cases[0];
  EXPECT_TRUE(c.steps[0].expected_stdout(Leg::Linux)->pattern);
  ASSERT_EQ(c.contents.size(), 2u);
  EXPECT_EQ(c.contents[0].path, "calls.log");
  EXPECT_EQ(c.contents[0].expected.bytes, "1 RfcOpen rc=0\n");
  EXPECT_FALSE(c.contents[0].expected.pattern);
  EXPECT_EQ(c.contents[1].path, "Sap Rfc.ini");
  EXPECT_EQ(c.contents[1].expected.bytes, "DEST={{any}}");
  EXPECT_TRUE(c.contents[1].expected.pattern);
}

TEST(CaseFormat, AnyMatchesWithinOneLine) {
  EXPECT_TRUE(matches("* 10:15:00 SAP\n", "* {{any}} SAP\n"));
  EXPECT_TRUE(matches("ab", "a{{any}}b"));
  EXPECT_TRUE(matches("a--b--b", "a{{any}}b"));
  EXPECT_TRUE(matches("x", "{{any}}{{any}}x"));
  EXPECT_FALSE(matches("a\nb", "a{{any}}b"));
  EXPECT_FALSE(matches("ab\n", "a{{any}}b"));
  EXPECT_FALSE(matches("abc", "ab"));
  EXPECT_TRUE(matches("", ""));
}

TEST(CaseFormat, DriveCPathsAreRecognised) {
  EXPECT_TRUE(is_drive_c_path("C:\\PRTG_Path.Txt"));
  EXPECT_TRUE(is_drive_c_path("c:/Program Files"));
  EXPECT_FALSE(is_drive_c_path("D:\\Apps"));
  EXPECT_FALSE(is_drive_c_path("cfg\\C:\\x"));
}

// One case per row, the row's values in every part of the case; the
// runner's own placeholders stay for the runner.
TEST(CaseFormat, VaryMakesOneCasePerRow) {
  std::vector<Case> cases = parse_cases(
      "define landscape\n"
      "| {\"faults\": {\"{{module}}\": {\"code\": {{code}}}}}\n"
      "== {{module}} failing with code {{code}}\n"
      "vary module code status text\n"
      "| RFC_SYSTEM_INFO 1 1 Error 1014: RFC-Failure raised !\n"
      "| BAPI_XMI_LOGON  2 2 Error 1012: Exception.: SIMULATED_FAULT {{tab}}\n"
      "only wine\n"
      "library absent\n"
      "file rfcsim.json\n"
      "| {{landscape}}\n"
      "file {{module}}.P00\n"
      "| Password...: {{scramble:Secret01}}\n"
      "copy keldar bin/{{module}}\n"
      "run keldar PRD {{module}},{{code}}\n"
      "stdin\n"
      "| {{code}}{{cr}}\n"
      "stdout\n"
      "| {{text}} in {{rfclib}}\n"
      "status {{status}}\n"
      "contents {{module}}.log matching\n"
      "| {{any}} {{code}}\n"
      "exists {{module}}.P00\n"
      "absent {{code}}.tmp\n",
      "t");
  ASSERT_EQ(cases.size(), 2u);
  const Case& first = cases[0];
  EXPECT_EQ(first.name, "RFC_SYSTEM_INFO failing with code 1");
  EXPECT_EQ(first.line, 3);
  EXPECT_EQ(first.variant,
            "code=1, module=RFC_SYSTEM_INFO, status=1, text=Error 1014: RFC-Failure raised !");
  EXPECT_EQ(first.only, (std::vector<Leg>{Leg::Wine64, Leg::Wine32}));
  ASSERT_EQ(first.files.size(), 2u);
  EXPECT_EQ(first.files[0].content, "{\"faults\": {\"RFC_SYSTEM_INFO\": {\"code\": 1}}}\n");
  EXPECT_EQ(first.files[1].path, "RFC_SYSTEM_INFO.P00");
  EXPECT_EQ(first.files[1].content, "Password...: {{scramble:Secret01}}\n");
  EXPECT_EQ(first.copies[0].path, "bin/RFC_SYSTEM_INFO");
  ASSERT_EQ(first.steps.size(), 1u);
  EXPECT_EQ(first.steps[0].args, (std::vector<std::string>{"PRD", "RFC_SYSTEM_INFO,1"}));
  EXPECT_EQ(first.steps[0].stdin_bytes, "1{{cr}}\n");
  EXPECT_EQ(first.steps[0].expected_stdout(Leg::Wine64)->bytes,
            "Error 1014: RFC-Failure raised ! in {{rfclib}}\n");
  EXPECT_EQ(first.steps[0].status, 1);
  EXPECT_EQ(first.contents[0].path, "RFC_SYSTEM_INFO.log");
  EXPECT_EQ(first.contents[0].expected.bytes, "{{any}} 1\n");
  EXPECT_EQ(first.must_exist, std::vector<std::string>{"RFC_SYSTEM_INFO.P00"});
  EXPECT_EQ(first.must_be_absent, std::vector<std::string>{"1.tmp"});

  const Case& second = cases[1];
  EXPECT_EQ(second.name, "BAPI_XMI_LOGON failing with code 2");
  EXPECT_EQ(second.files[0].content, "{\"faults\": {\"BAPI_XMI_LOGON\": {\"code\": 2}}}\n");
  EXPECT_EQ(second.steps[0].expected_stdout(Leg::Wine64)->bytes,
            "Error 1012: Exception.: SIMULATED_FAULT {{tab}} in {{rfclib}}\n");
  EXPECT_EQ(second.steps[0].status, 2);
}

TEST(CaseFormat, TwoTablesVaryAsAProduct) {
  std::vector<Case> cases = parse_cases(
      "== {{module}} with code {{code}}, {{run}} run\n"
      "vary module\n"
      "| RFC_SYSTEM_INFO\n"
      "| BAPI_XMI_LOGON\n"
      "vary code run\n"
      "| 1 local\n"
      "# a comment does not end the rows\n"
      "| 3 global\n"
      "run keldar {{run}} {{module}}\n"
      "status {{code}}\n"
      "stdout any\n",
      "t");
  std::vector<std::string> names;
  for (const Case& c : cases) names.push_back(c.name);
  EXPECT_EQ(names, (std::vector<std::string>{
                       "RFC_SYSTEM_INFO with code 1, local run",
                       "RFC_SYSTEM_INFO with code 3, global run",
                       "BAPI_XMI_LOGON with code 1, local run",
                       "BAPI_XMI_LOGON with code 3, global run",
                   }));
  ASSERT_EQ(cases.size(), 4u);
  EXPECT_EQ(cases[3].steps[0].args, (std::vector<std::string>{"global", "BAPI_XMI_LOGON"}));
  EXPECT_EQ(cases[3].steps[0].status, 3);
}

TEST(CaseFormat, VaryRowsSplitAtBlanksUpToTheLastColumn) {
  VaryTable table = vary_table("a b c", 7);
  add_vary_row(table, "one  \"two words\"   the  rest ");
  add_vary_row(table, "\"\" x \"quoted\" stays");
  ASSERT_EQ(table.rows.size(), 2u);
  EXPECT_EQ(table.rows[0], (std::vector<std::string>{"one", "two words", "the  rest "}));
  EXPECT_EQ(table.rows[1], (std::vector<std::string>{"", "x", "\"quoted\" stays"}));
  EXPECT_THROW(add_vary_row(table, "only two"), VaryError);
  EXPECT_THROW(add_vary_row(table, "\"open x y"), VaryError);
}

TEST(CaseFormat, SubstituteReplacesOnlyItsVariablesOnce) {
  Variables v{{"a", "{{b}}"}, {"b", "B"}};
  EXPECT_EQ(substitute("{{a}}-{{b}}-{{c}}-{{tab}}", v), "{{b}}-B-{{c}}-{{tab}}");
  EXPECT_EQ(substitute("{{{{b}}}} {{b", v), "{{B}} {{b");
  EXPECT_EQ(substitute("{{b}}", {}), "{{b}}");
}

TEST(CaseFormat, MistakesAreRefused) {
  const char* broken[] = {
      "== no step\nfile a\n| x\n",
      "== no expectation\nrun keldar\nstatus 2\n",
      "== twice\nrun keldar\nstdout\nerror x\n",
      "== unknown\nrun keldar\nexpect x\n",
      "| outside\n",
      "== late file\nrun keldar\nstdout any\nfile a\n",
      "== open quote\nrun keldar \"PRD\nstdout any\n",
      "vary x\n| 1\n== outside\nrun keldar {{x}}\nstdout any\n",
      "== no names {{x}}\nvary\nrun keldar\nstdout any\n",
      "== no rows {{x}}\nvary x\nrun keldar\nstdout any\n",
      "== short row {{x}}\nvary x y\n| 1\nrun keldar {{y}}\nstdout any\n",
      "== named twice {{x}}\nvary x x\n| 1 2\nrun keldar\nstdout any\n",
      "== two tables {{x}}\nvary x\n| 1\nvary x\n| 2\nrun keldar\nstdout any\n",
      "== unused {{x}}\nvary x y\n| 1 2\n| 3 4\nrun keldar\nstdout any\n",
      "== same name\nvary x\n| 1\n| 2\nrun keldar {{x}}\nstdout any\n",
      "== runner's {{tab}}\nvary tab\n| 1\nrun keldar\nstdout any\n",
      "== bad name {{x:y}}\nvary x:y\n| 1\nrun keldar\nstdout any\n",
      "define p\n| x\n== define {{p}}\nvary p\n| 1\nrun keldar\nstdout any\n",
      "== bad status {{s}}\nvary s\n| x\nrun keldar\nstatus {{s}}\nstdout any\n",
  };
  for (const char* text : broken) {
    EXPECT_THROW(parse_cases(text, "t"), ParseError) << text;
  }
}

}  // namespace
}  // namespace keldar::e2e

namespace keldar::e2e {
namespace {

TEST(OutputChecks, OneWellFormedDocumentOrAReason) {
  EXPECT_EQ(xml_document_problem("\n<Prtg>\n<Text>a &amp; b</Text>\n</Prtg>\n"), "");
  const char* broken[] = {
      "<Prtg>\n<Text>R&D</Text>\n</Prtg>\n",            // a bare "&"
      "\n<Prtg>\n<Result>\n",                           // not closed
      "RFC error\n<Prtg></Prtg>\n",                     // text before the root
      "<Prtg></Prtg>\n<Prtg><Error>1</Error></Prtg>\n", // two documents
      "<Prtg><Text>\x01</Text></Prtg>",                 // a control byte
      "",
  };
  for (const char* out : broken) EXPECT_NE(xml_document_problem(out), "") << out;
}

TEST(OutputChecks, StatisticsFormPairsAndFinalLine) {
  EXPECT_EQ(statistics_problem("\n\nMessage.A: A (#)\nStatistic.A: 1\n# text\n"), "");
  EXPECT_EQ(statistics_problem("\n# only the text\n"), "");
  EXPECT_NE(statistics_problem("\n\nMessage.A: A (#)\n# text\n"), "");
  EXPECT_NE(statistics_problem("\n\nMessage.A: A (#)\nStatistic.B: 1\n# text\n"), "");
  EXPECT_NE(statistics_problem("\n\nMessage.A: A (#)\nStatistic.A: 1\n"), "");
  EXPECT_NE(statistics_problem("\n# text\nstray\n"), "");
  EXPECT_NE(statistics_problem("\n# text"), "");
}

TEST(OutputChecks, PasswordsAreFoundAnywhere) {
  EXPECT_TRUE(reveals("CLIENT=100 PASSWD=Secret01 LANG=D", "Secret01"));
  EXPECT_FALSE(reveals("Password...: ********", "Secret01"));
  EXPECT_FALSE(reveals("anything", ""));
}

}  // namespace
}  // namespace keldar::e2e
