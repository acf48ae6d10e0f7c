// End-to-end cases as data: the parser for the ".cases" files.
//
// The format is described in tests/e2e/README.md. A case lays down files in
// a fresh working directory, runs one or more programs there and compares
// each program's standard output and exit status with the expectation.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace keldar::e2e {

// The legs the suite runs on: the Linux build, and the Windows builds under
// Wine (x64, and i686 in a 32-bit prefix).
enum class Leg { Linux, Wine64, Wine32 };

bool is_wine(Leg leg);

struct FileSpec {
  std::string path;                  // as written in the case, placeholders unexpanded
  std::string content;               // exact bytes, placeholders unexpanded
  std::optional<std::string> from;   // repository-relative source file instead of content
  bool crlf = false;                 // write line ends as CR LF
  bool directory = false;            // an empty directory, no content
};

struct CopySpec {
  std::string program;  // a program of the build's bin directory
  std::string path;     // where the copy goes, relative to the working directory
};

struct Expectation {
  bool any = false;      // not compared at all
  bool pattern = false;  // "{{any}}" in `bytes` matches any text within a line
  std::string bytes;     // exact bytes, placeholders unexpanded
};

// The expected content of a file after the last step.
struct ContentSpec {
  std::string path;  // placeholders unexpanded
  Expectation expected;
};

struct Step {
  int line = 0;
  std::string program;              // name in bin/, or a path in the working directory
  std::vector<std::string> args;    // placeholders unexpanded
  std::string stdin_bytes;          // placeholders unexpanded
  std::optional<Expectation> stdout_all;
  std::optional<Expectation> stdout_linux;
  std::optional<Expectation> stdout_wine;  // both Wine legs
  int status = 0;

  const std::optional<Expectation>& expected_stdout(Leg leg) const;
};

struct Case {
  std::string file;   // the .cases file's stem, e.g. "command_line"
  std::string name;   // the text behind "==", variables substituted
  int line = 0;
  std::string variant;  // a generated case's values, "code=1, text=..."; else empty
  // The legs the case runs on ("only linux", "only wine": both Wine legs,
  // "only wine32"); empty for every leg.
  std::vector<Leg> only;
  bool library_absent = false;
  // With library_absent: a test library of the build laid down beside the
  // program copies under the RFC library's name ("library NAME").
  std::string library_fixture;
  std::vector<FileSpec> files;
  std::vector<CopySpec> copies;
  std::vector<Step> steps;
  std::vector<std::string> must_exist;
  std::vector<std::string> must_be_absent;
  std::vector<ContentSpec> contents;

  bool runs_on(Leg leg) const;
  // True when the case lays down or checks a path on drive C:.
  bool uses_drive_c() const;
};

struct ParseError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Parses the text of one .cases file; `file` names it in errors and cases.
// A case with "vary" tables comes back once per variant (case_variants.h),
// in the order of the tables' rows; the variants' names must differ.
std::vector<Case> parse_cases(const std::string& text, const std::string& file);

// Splits an argument list at blanks; "..." groups (and "" is an empty argument).
std::vector<std::string> split_arguments(const std::string& text);

// The error document the sensor prints for a message, whatever its mode.
std::string error_document(const std::string& message);

// True when `text` matches `pattern`, in which every "{{any}}" stands for
// any run of characters without a line feed and all else is literal.
bool matches(const std::string& text, const std::string& pattern);

// True for "C:\..." and "C:/..." (either case of the drive letter).
bool is_drive_c_path(const std::string& path);

}  // namespace keldar::e2e
