// keldar_fuzz_seeds: the seed corpus of every fuzz target, taken from the
// end-to-end cases.
//
//   keldar_fuzz_seeds --cases tests/e2e/cases --source . --bin build/fuzz/bin --out DIR
//
// Writes DIR/<target>/<case file>-<n> for the targets command_line,
// session, profile, sensor_file, prtg_path, trace_scan and landscape. The
// files of each case give the file targets their seeds; each run of the
// sensor in a case gives a command-line seed, and a session seed whose
// answer script is recorded from the simulated RFC library of --bin with
// the case's landscape. Every recorded script is replayed at once: a replay
// that prints other output than the recorded run counts as an error.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "answer_script.h"
#include "config/file_locations.h"
#include "config/password.h"
#include "config/sensor_definition.h"
#include "e2e/case_file.h"
#include "e2e/placeholders.h"
#include "rfc/rfc_library.h"
#include "rfc/trace_scan.h"
#include "run_input.h"
#include "text/ascii.h"

namespace fs = std::filesystem;

namespace keldar::fuzz {

namespace {

struct Options {
  fs::path cases, source, bin, out;
};

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void write_file(const fs::path& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
  if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

std::string lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool ends_with(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The file name of a case path, whichever separator it uses.
std::string base_name(const std::string& path) {
  std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

class Corpus {
 public:
  explicit Corpus(fs::path out) : out_(std::move(out)) {}

  void add(const std::string& target, const std::string& origin, const std::string& seed) {
    if (!seen_[target].insert(seed).second) return;
    fs::path dir = out_ / target;
    fs::create_directories(dir);
    int n = ++count_[target + "/" + origin];
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "-%03d", n);
    write_file(dir / (origin + suffix), seed);
  }

  void print_counts() const {
    for (const auto& [target, seeds] : seen_) {
      std::printf("  %-14s %4zu seeds\n", target.c_str(), seeds.size());
    }
  }

 private:
  fs::path out_;
  std::map<std::string, std::set<std::string>> seen_;
  std::map<std::string, int> count_;
};

// A case's files by their name in the working directory, expanded.
struct CaseFiles {
  std::map<std::string, std::string> by_name;  // working-directory files: name -> content
  std::map<std::string, std::string> anywhere;  // every file: base name -> content
  std::string landscape;                        // "rfcsim.json", if the case has one
};

CaseFiles case_files(const e2e::Case& c, const Options& options,
                     const e2e::PlaceholderContext& context) {
  CaseFiles files;
  for (const e2e::FileSpec& f : c.files) {
    if (f.directory) continue;
    std::string path = e2e::expand_placeholders(f.path, context);
    std::string content = f.from ? read_file(options.source / *f.from)
                                 : e2e::expand_placeholders(f.content, context);
    std::string name = base_name(path);
    if (path == name) files.by_name[name] = content;
    files.anywhere[name] = content;
    if (name == "rfcsim.json") files.landscape = content;
  }
  return files;
}

// The content of the case file that `name` names, compared without regard
// to case as Windows does; empty when there is none.
std::string file_named(const CaseFiles& files, const std::string& name) {
  for (const auto& [file, content] : files.by_name) {
    if (lower(file) == lower(name)) return content;
  }
  return "";
}

bool is_sensor_program(const std::string& program) {
  return program.rfind("keldar", 0) == 0 && program != "keldar-profile" &&
         program.find_first_of("/\\") == std::string::npos;
}

void add_file_seeds(Corpus& corpus, const std::string& origin, const e2e::Case& c,
                    const CaseFiles& files) {
  std::set<std::string> names = {""};
  for (const e2e::Step& step : c.steps) {
    if (step.args.size() >= 2) names.insert(step.args[1]);
  }
  for (const auto& [name, content] : files.anywhere) {
    const std::string file = lower(name);
    if (file.size() > 4 && file[file.size() - 4] == '.' && file[file.size() - 3] == 'p') {
      for (const std::string& sensor : names) corpus.add("profile", origin, sensor + "\n" + content);
    }
    if (content.find("# Gbl") != std::string::npos) {
      for (const std::string& sensor : names) corpus.add("sensor_file", origin, sensor + "\n" + content);
      corpus.add("sensor_file", origin, std::string(kSensorFileLookupName) + "\n" + content);
    }
    if (ends_with(file, "prtg_path.txt")) corpus.add("prtg_path", origin, content);
    if (ends_with(file, lower(kTraceFileName))) corpus.add("trace_scan", origin, content);
    if (ends_with(file, ".json")) corpus.add("landscape", origin, content);
  }
  for (const e2e::ContentSpec& spec : c.contents) {
    if (ends_with(lower(spec.path), lower(kTraceFileName)) && !spec.expected.pattern) {
      corpus.add("trace_scan", origin, spec.expected.bytes);
    }
  }
}

RunInput run_input_of(const e2e::Step& step, const CaseFiles& files,
                      const e2e::PlaceholderContext& context) {
  RunInput input;
  input.program = step.program;
  for (std::size_t i = 0; i < step.args.size() && i < 3; ++i) {
    input.arguments.push_back(e2e::expand_placeholders(step.args[i], context));
  }
  if (!input.arguments.empty()) {
    input.profile = file_named(files, with_default_extension(input.arguments[0]));
  }
  input.sensor_file = file_named(files, std::string(kSensorFile));
  if (input.sensor_file.empty()) input.sensor_file = file_named(files, std::string(kGlobalSensorFile));
  return input;
}

enum class Recording { recorded, aborted, failed };

// Records the session of `input` against the simulator in a child process,
// so that a run the RFC error report ends (exit status 1) takes only the
// child along. Writes the seed to `seed_file`, and the trace file the
// simulator wrote (part of the seed too) to `trace_file`.
Recording record_session(const RunInput& input, const std::string& landscape, const RfcApi& real,
                         const Sandbox& sandbox, const fs::path& seed_file,
                         const fs::path& trace_file) {
  std::fflush(nullptr);
  pid_t child = fork();
  if (child < 0) return Recording::aborted;
  if (child == 0) {
    // What the sensor prints itself (the RFC error report) is no business
    // of the seed maker's output.
    if (std::freopen("/dev/null", "w", stdout) == nullptr) _exit(3);
    sandbox.lay_down(input);
    write_file(sandbox.directory() / "rfcsim.json", landscape);
    if (::chdir(sandbox.directory().c_str()) != 0) _exit(3);
    RunOutcome recorded;
    RunInput seed = input;
    {
      RecordingLibrary recorder(real);
      recorded = run_sensor_input(input, sandbox, &recorder.api());
      seed.rest = recorder.take_script();
    }
    // The trace file the library wrote is laid down for the replay: the
    // sensor reads it only when a run has failed.
    seed.trace_file = read_file(sandbox.directory() / kTraceFileName);

    // The replay must tell the same story.
    ScriptedLibrary scripted;
    scripted.start(seed.rest);
    sandbox.lay_down(seed);
    RunOutcome replayed = run_sensor_input(seed, sandbox, &scripted.api());
    if (replayed.output != recorded.output || replayed.status != recorded.status) {
      std::fprintf(stderr, "replay differs from the recorded run:\n--- recorded (%d)\n%s--- replayed (%d)\n%s",
                   recorded.status, recorded.output.c_str(), replayed.status, replayed.output.c_str());
      _exit(4);
    }
    try {
      write_file(seed_file, join_run_input(seed));
      if (!seed.trace_file.empty()) write_file(trace_file, seed.trace_file);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s\n", e.what());
      _exit(4);
    }
    std::fflush(nullptr);
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return Recording::recorded;
  if (WIFEXITED(status) && WEXITSTATUS(status) == 4) return Recording::failed;
  return Recording::aborted;
}

int make_seeds(const Options& options) {
  e2e::PlaceholderContext context{
      false, [](const std::string& password) { return scramble_password(password, password.size()); }};
  RfcLibrary simulator;
  RfcLibraryLoad load = load_rfc_library((options.bin / "").string(), simulator);
  if (load.outcome != RfcLibraryLoad::Outcome::loaded) {
    std::fprintf(stderr, "keldar_fuzz_seeds: no simulated RFC library in %s\n", options.bin.c_str());
    return 1;
  }
  Corpus corpus(options.out);
  Sandbox sandbox;
  const fs::path scratch = options.out / ".recorded";
  fs::create_directories(scratch);
  int recorded = 0, aborted = 0, failed = 0;

  std::vector<fs::path> case_files_found;
  for (const auto& entry : fs::directory_iterator(options.cases)) {
    if (entry.path().extension() == ".cases") case_files_found.push_back(entry.path());
  }
  std::sort(case_files_found.begin(), case_files_found.end());
  for (const fs::path& file : case_files_found) {
    const std::string origin = file.stem().string();
    for (const e2e::Case& c : e2e::parse_cases(read_file(file), origin)) {
      CaseFiles files = case_files(c, options, context);
      add_file_seeds(corpus, origin, c, files);
      // Runs that need drive C: or Windows are the Wine legs' own.
      if (!c.runs_on(e2e::Leg::Linux) || c.uses_drive_c()) continue;
      for (const e2e::Step& step : c.steps) {
        if (!is_sensor_program(step.program)) continue;
        RunInput input = run_input_of(step, files, context);
        corpus.add("command_line", origin, join_run_input(input));
        if (c.library_absent || files.landscape.empty()) continue;
        const fs::path seed_file = scratch / "seed", trace_file = scratch / "trace";
        fs::remove(seed_file);
        fs::remove(trace_file);
        switch (record_session(input, files.landscape, simulator.api, sandbox, seed_file, trace_file)) {
          case Recording::recorded: ++recorded; break;
          case Recording::aborted: ++aborted; continue;
          case Recording::failed: ++failed; continue;
        }
        corpus.add("session", origin, read_file(seed_file));
        if (fs::exists(trace_file)) corpus.add("trace_scan", origin, read_file(trace_file));
      }
    }
  }
  fs::remove_all(scratch);
  std::printf("Seeds from the end-to-end cases in %s:\n", options.out.c_str());
  corpus.print_counts();
  std::printf("  %d sessions recorded from the simulator; %d ended by the RFC error report, not "
              "recorded; %d failed (replay differs, or not written)\n",
              recorded, aborted, failed);
  return failed == 0 ? 0 : 1;
}

}  // namespace

}  // namespace keldar::fuzz

int main(int argc, char** argv) {
  keldar::fuzz::Options options;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string flag = argv[i];
    if (flag == "--cases") {
      options.cases = argv[i + 1];
    } else if (flag == "--source") {
      options.source = argv[i + 1];
    } else if (flag == "--bin") {
      options.bin = argv[i + 1];
    } else if (flag == "--out") {
      options.out = argv[i + 1];
    } else {
      std::fprintf(stderr, "keldar_fuzz_seeds: unknown option %s\n", flag.c_str());
      return 2;
    }
  }
  if (options.cases.empty() || options.source.empty() || options.bin.empty() || options.out.empty()) {
    std::fprintf(stderr, "usage: keldar_fuzz_seeds --cases DIR --source DIR --bin DIR --out DIR\n");
    return 2;
  }
  try {
    // The recordings run in the sandbox directory: no relative path must
    // depend on the working directory.
    for (auto* path : {&options.cases, &options.source, &options.bin, &options.out}) {
      *path = std::filesystem::absolute(*path);
    }
    return keldar::fuzz::make_seeds(options);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "keldar_fuzz_seeds: %s\n", e.what());
    return 1;
  }
}
