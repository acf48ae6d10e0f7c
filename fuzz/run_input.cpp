#include "run_input.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <variant>

#include "e2e/output_checks.h"
#include "config/file_locations.h"
#include "config/sensor_definition.h"
#include "output/output_mode.h"
#include "platform/clock.h"
#include "rfc/trace_scan.h"
#include "run/program.h"
#include "run/start_phase.h"
#include "text/ascii.h"

namespace fs = std::filesystem;

namespace keldar::fuzz {

namespace {

constexpr std::size_t kSections = 8;  // program, three arguments, three files, rest

// 2026-12-10 12:00:00 UTC: alert times and windows are taken against it.
constexpr std::int64_t kNow = 1796904000;

// A name the sandbox can lay a file down under: no directory part, no
// drive, nothing the file system would read differently.
bool plain_file_name(const std::string& name) {
  if (name.empty() || name.size() > 64 || name == "." || name == "..") return false;
  for (char c : name) {
    auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u >= 0x7f || c == '/' || c == '\\' || c == ':') return false;
  }
  return true;
}

void write_file(const fs::path& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
}

std::string visible(std::string_view text) {
  std::string out;
  for (char c : text) {
    auto u = static_cast<unsigned char>(c);
    if (c == '\n' || (u >= 0x20 && u < 0x7f)) {
      out += c;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", u);
      out += hex;
    }
  }
  return out;
}

[[noreturn]] void report(const char* what, const RunInput& input, const RunOutcome& outcome) {
  std::fprintf(stderr, "\n%s\nprogram: %s\n", what, visible(input.program).c_str());
  for (const std::string& a : input.arguments) std::fprintf(stderr, "argument: %s\n", visible(a).c_str());
  std::fprintf(stderr, "status: %d\noutput:\n%s\n", outcome.status, visible(outcome.output).c_str());
  std::abort();
}

// True when the parameter text the run works with (a stored definition
// for a named sensor) asks for a listing: the monitor sets, a monitor set's
// trees, or the closing rule. Their plain-text lines are for a person at a
// console, whatever the output mode.
bool selects_listing(const Invocation& invocation, const Sandbox& sandbox) {
  auto started = run_start_phase(invocation, sandbox.files());
  const auto* config = std::get_if<Configuration>(&started);
  if (config == nullptr) return false;
  const ParameterText& p = config->parameters;
  if (p.has(",GRADES")) return p.has("MONITOR-SETS");
  return p.has("MONITOR-SETS") || p.has("MONITOR-SET=") || p.has("MONITOR(S)") ||
         text::starts_with(p.upper, "MSET=");
}

}  // namespace

RunInput split_run_input(std::string_view data) {
  std::vector<std::string> sections;
  while (sections.size() + 1 < kSections) {
    std::size_t end = data.find('\0');
    if (end == std::string_view::npos) break;
    sections.emplace_back(data.substr(0, end));
    data.remove_prefix(end + 1);
  }
  const std::size_t complete = sections.size();
  sections.emplace_back(data);
  sections.resize(kSections);

  RunInput input;
  input.program = sections[0];
  // The arguments present: each one ended by its NUL byte, the last one
  // also by the end of the input.
  for (std::size_t i = 1; i <= 3 && i <= complete; ++i) input.arguments.push_back(sections[i]);
  input.profile = sections[4];
  input.sensor_file = sections[5];
  input.trace_file = sections[6];
  input.rest = sections[7];
  return input;
}

std::string join_run_input(const RunInput& input) {
  std::string out = input.program;
  for (std::size_t i = 0; i < 3; ++i) {
    out += '\0';
    if (i < input.arguments.size()) out += input.arguments[i];
  }
  out += '\0';
  out += input.profile;
  out += '\0';
  out += input.sensor_file;
  out += '\0';
  out += input.trace_file;
  out += '\0';
  out += input.rest;
  return out;
}

Sandbox::Sandbox()
    : directory_(fs::temp_directory_path() / ("keldar-fuzz-" + std::to_string(::getpid()))),
      files_(platform::FileSystem::Roots{directory_.string(), directory_.string()}) {
  fs::create_directories(directory_);
}

Sandbox::~Sandbox() {
  std::error_code ignored;
  fs::remove_all(directory_, ignored);
}

void Sandbox::lay_down(const RunInput& input) const {
  for (const fs::directory_entry& entry : fs::directory_iterator(directory_)) {
    fs::remove_all(entry.path());
  }
  if (!input.arguments.empty()) {
    std::string name = with_default_extension(input.arguments[0]);
    if (plain_file_name(name)) write_file(directory_ / name, input.profile);
  }
  if (!input.sensor_file.empty()) {
    write_file(directory_ / std::string(kSensorFile), input.sensor_file);
    write_file(directory_ / std::string(kGlobalSensorFile), input.sensor_file);
  }
  if (!input.trace_file.empty()) write_file(directory_ / kTraceFileName, input.trace_file);
}

RunOutcome run_sensor_input(const RunInput& input, const Sandbox& sandbox, const RfcApi* api) {
  platform::ManualClock clock(kNow);
  ProgramStart start;
  start.program_path = input.program;
  start.output_mode = output_mode_for_program(input.program);
  start.start_time = platform::clock_time(clock.local(clock.now()));

  RunOutcome outcome;
  RunEnvironment environment{
      sandbox.files(), clock,
      [api]() -> std::variant<const RfcApi*, Failure> {
        if (api == nullptr) {
          RfcLibraryLoad missing;
          missing.outcome = RfcLibraryLoad::Outcome::missing;
          return *library_failure(missing);
        }
        return api;
      },
      [&outcome](std::string_view text) { outcome.output += text; },
      /*time_limit=*/false};
  outcome.status = run_sensor(start, input.arguments, environment);
  return outcome;
}

void check_outcome(const RunInput& input, const Sandbox& sandbox, const RunOutcome& outcome) {
  if (outcome.status != 0 && outcome.status != kFailureExitStatus) {
    report("exit status other than 0 and 2", input, outcome);
  }
  // run_sensor turns an exception into error 1099 for the monitor; to the
  // fuzzer it is the fault it was before. Unless the input holds the number
  // itself: names and the library's texts reach the output.
  if (outcome.output.find("Error 1099: Internal error") != std::string::npos &&
      join_run_input(input).find("1099") == std::string::npos) {
    report("an exception escaped the run (error 1099)", input, outcome);
  }
  ProgramStart start;
  start.program_path = input.program;
  start.output_mode = output_mode_for_program(input.program);
  auto parsed = parse_command_line(start, input.arguments);
  if (const auto* invocation = std::get_if<Invocation>(&parsed)) {
    if (invocation->trace_mode) return;
    // A listing that ran is read by a person, not by the monitor.
    if (outcome.status == 0 && selects_listing(*invocation, sandbox)) return;
  }
  // Every failure prints the error document, whatever the mode.
  if (is_xml_form(start.output_mode) || outcome.status != 0) {
    std::string problem = e2e::xml_document_problem(outcome.output);
    if (!problem.empty()) report(("not well-formed XML: " + problem).c_str(), input, outcome);
  } else if (start.output_mode == OutputMode::Halvenor) {
    std::string problem = e2e::statistics_problem(outcome.output);
    if (!problem.empty()) report(("not the statistics form: " + problem).c_str(), input, outcome);
  }
}

}  // namespace keldar::fuzz
