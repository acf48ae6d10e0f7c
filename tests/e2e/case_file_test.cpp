// The case-file format itself: what a case says must be what the runner does.
#include <gtest/gtest.h>

#include "case_file.h"

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
  EXPECT_EQ(c.only, Leg::Wine);
  EXPECT_TRUE(c.library_absent);
  ASSERT_EQ(c.copies.size(), 1u);
  EXPECT_EQ(c.copies[0].path, "bin/KELDAR HALVENOR");
  ASSERT_EQ(c.steps.size(), 2u);
  EXPECT_EQ(c.steps[0].stdin_bytes, "Secret01");
  EXPECT_EQ(c.steps[0].expected_stdout(Leg::Linux)->bytes, "L\n");
  EXPECT_EQ(c.steps[0].expected_stdout(Leg::Wine)->bytes, "W\n");
  EXPECT_EQ(c.steps[0].status, 3);
  EXPECT_EQ(c.steps[1].args, (std::vector<std::string>{"", "a b", "C:\\dir\\GLOBAL"}));
  EXPECT_EQ(c.steps[1].expected_stdout(Leg::Linux)->bytes,
            "<Prtg>\n<Error>1</Error>\n<Text>Error 1001: x & y</Text>\n</Prtg>\n");
  EXPECT_EQ(c.steps[1].status, 2);
  EXPECT_EQ(c.must_be_absent, std::vector<std::string>{"PRD.P00"});
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

TEST(CaseFormat, MistakesAreRefused) {
  const char* broken[] = {
      "== no step\nfile a\n| x\n",
      "== no expectation\nrun keldar\nstatus 2\n",
      "== twice\nrun keldar\nstdout\nerror x\n",
      "== unknown\nrun keldar\nexpect x\n",
      "| outside\n",
      "== late file\nrun keldar\nstdout any\nfile a\n",
      "== open quote\nrun keldar \"PRD\nstdout any\n",
  };
  for (const char* text : broken) {
    EXPECT_THROW(parse_cases(text, "t"), ParseError) << text;
  }
}

}  // namespace
}  // namespace keldar::e2e
