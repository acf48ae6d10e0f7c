// keldar_e2e: runs the end-to-end cases of tests/e2e/cases against one build.
//
//   keldar_e2e --bin build/bin                        Linux binaries
//   keldar_e2e --bin build/windows/bin --wine         Windows x64 binaries under Wine
//   keldar_e2e --bin build/windows32/bin --wine32     Windows i686 binaries under
//                                                     Wine, in a 32-bit prefix
//
// Further options: --cases DIR (the .cases files), --source DIR (the
// repository, for "file PATH from SOURCE"), --keep (leave the working
// directories of failed cases). GoogleTest's own options work as usual,
// e.g. --gtest_filter='profile.*'.
//
// Every case runs in a fresh working directory. On the Wine legs that
// directory lies on drive C: of the Wine prefix ($WINEPREFIX), so that the
// sensor's paths "\Program Files..." and "C:\PRTG_Path.Txt" resolve there;
// what a case lays down on drive C: is removed after it.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>

#include "case_file.h"
#include "output_checks.h"
#include "placeholders.h"
#include "process.h"

namespace fs = std::filesystem;

namespace keldar::e2e {

namespace {

struct Options {
  fs::path bin;
  fs::path cases = KELDAR_E2E_CASES;
  fs::path source = KELDAR_SOURCE_DIR;
  Leg leg = Leg::Linux;
  fs::path wine_prefix;
  std::string wine = "wine";
  bool keep = false;
};

Options g_options;

const char* leg_name(Leg leg) {
  switch (leg) {
    case Leg::Linux:
      return "Linux";
    case Leg::Wine64:
      return "Windows x64 (Wine)";
    case Leg::Wine32:
      return "Windows i686 (Wine)";
  }
  return "?";
}

bool on_wine() { return is_wine(g_options.leg); }

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void write_file(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

// Bytes made readable in a failure message: one quoted line per line.
std::string visible(const std::string& bytes) {
  if (bytes.empty()) return "    (nothing)\n";
  std::string out = "    \"";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char c = bytes[i];
    if (c == '\n') {
      out += "\\n\"\n";
      if (i + 1 < bytes.size()) out += "    \"";
      continue;
    }
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '"') {
      out += "\\\"";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) == 0x7f) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(c));
      out += hex;
    } else {
      out += c;
    }
  }
  if (bytes.back() != '\n') out += "\"  (no line end)\n";
  return out;
}

std::string executable_name(const std::string& program) {
  return on_wine() ? program + ".exe" : program;
}

// Removes what earlier, interrupted runs left on drive C: (listed in a journal
// before they were laid down).
class DriveCJournal {
 public:
  static fs::path file() { return g_options.wine_prefix / "drive_c" / "keldar-e2e.journal"; }

  static void clean_leftovers() {
    std::error_code ec;
    if (!fs::exists(file(), ec)) return;
    std::istringstream lines(read_file(file()));
    std::string line;
    while (std::getline(lines, line)) {
      if (!line.empty()) fs::remove_all(line, ec);
    }
    fs::remove(file(), ec);
  }

  static void record(const fs::path& path) {
    std::ofstream out(file(), std::ios::app);
    out << path.string() << "\n";
  }
};

// One case's working directory and the state it lays down.
class Workspace {
 public:
  explicit Workspace(const Case& c) : case_(c) {
    fs::path base = on_wine() ? g_options.wine_prefix / "drive_c" : fs::temp_directory_path();
    std::string pattern = (base / "keldar-e2e-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed in " + base.string());
    dir_ = pattern;
  }

  ~Workspace() {
    std::error_code ec;
    for (auto it = created_on_c_.rbegin(); it != created_on_c_.rend(); ++it) fs::remove_all(*it, ec);
    if (!created_on_c_.empty()) fs::remove(DriveCJournal::file(), ec);
    if (!keep_) fs::remove_all(dir_, ec);
  }

  void keep() { keep_ = g_options.keep; }
  const fs::path& dir() const { return dir_; }

  // A case path as a host path: "C:\..." on drive C: of the Wine prefix,
  // anything else relative to the working directory; "\" and "/" separate.
  fs::path host_path(const std::string& case_path) const {
    std::string p = case_path;
    for (char& c : p) {
      if (c == '\\') c = '/';
    }
    if (is_drive_c_path(case_path)) return g_options.wine_prefix / "drive_c" / p.substr(3);
    return dir_ / p;
  }

  // Creates the parent directories of `path`; on drive C: remembers the
  // outermost one it created (or the path itself) for removal.
  void prepare(const std::string& case_path, bool is_directory) {
    fs::path target = host_path(case_path);
    fs::path parent = is_directory ? target : target.parent_path();
    if (is_drive_c_path(case_path)) {
      fs::path drive = g_options.wine_prefix / "drive_c";
      fs::path walk = drive;
      fs::path first_new;
      for (const fs::path& part : fs::relative(target, drive)) {
        walk /= part;
        if (!fs::exists(walk)) {
          first_new = walk;
          break;
        }
      }
      if (!first_new.empty()) {
        DriveCJournal::record(first_new);
        created_on_c_.push_back(first_new);
      }
    }
    fs::create_directories(parent);
  }

  const Case& the_case() const { return case_; }

 private:
  const Case& case_;
  fs::path dir_;
  std::vector<fs::path> created_on_c_;
  bool keep_ = false;
};

// The passwords the current case stored in its profiles or typed into
// keldar-profile; none of them may show anywhere the programs write.
std::set<std::string> g_case_passwords;
int g_cases_checked_for_leaks = 0;

// Shorter passwords could show by chance in any text.
constexpr std::size_t kShortestCheckedPassword = 6;

void note_password(const std::string& password) {
  if (password.size() >= kShortestCheckedPassword) g_case_passwords.insert(password);
}

// The stored form of a password, as keldar-profile writes it. Produced with
// the leg's own keldar-profile, once per password and run.
std::string scrambled(const std::string& password) {
  note_password(password);
  static std::map<std::string, std::string> cache;
  auto found = cache.find(password);
  if (found != cache.end()) return found->second;

  fs::path tool = g_options.bin / executable_name("keldar-profile");
  if (!fs::exists(tool)) throw std::runtime_error("{{scramble:...}} needs " + tool.string());
  ProcessSpec spec;
  if (on_wine()) spec.argv = {g_options.wine};
  spec.argv.push_back(tool.string());
  spec.argv.push_back("scramble");
  spec.working_directory = fs::temp_directory_path().string();
  spec.stdin_bytes = password + "\n";
  spec.set_env = {"WINEDEBUG=-all"};
  ProcessResult r = run_process(spec);
  std::string stored = r.out;
  while (!stored.empty() && (stored.back() == '\n' || stored.back() == '\r')) stored.pop_back();
  if (r.status != 0 || stored.size() != 24) {
    throw std::runtime_error("keldar-profile scramble for \"" + password + "\" gave status " +
                             std::to_string(r.status) + " and output:\n" + visible(r.out) +
                             r.err);
  }
  cache[password] = stored;
  return stored;
}

std::string expand(const std::string& text) {
  return expand_placeholders(text, {on_wine(), &scrambled});
}

// True when `actual` is what `expected` (with `want` its expanded bytes) asks for.
bool agrees(const std::string& actual, const Expectation& expected, const std::string& want) {
  if (expected.any) return true;
  return expected.pattern ? matches(actual, want) : actual == want;
}

std::string command_text(const std::string& program, const std::vector<std::string>& args) {
  std::string text = program;
  for (const std::string& a : args) {
    bool quote = a.empty() || a.find(' ') != std::string::npos;
    text += quote ? " \"" + a + "\"" : " " + a;
  }
  return text;
}

void lay_down(Workspace& ws) {
  const Case& c = ws.the_case();
  for (const FileSpec& f : c.files) {
    std::string path = expand(f.path);
    ws.prepare(path, f.directory);
    if (f.directory) continue;
    fs::path target = ws.host_path(path);
    if (f.from) {
      fs::copy_file(g_options.source / *f.from, target, fs::copy_options::overwrite_existing);
    } else {
      write_file(target, expand(f.content));
    }
  }
  for (const CopySpec& copy : c.copies) {
    // A program gets the leg's ".exe"; a file with an extension of its own
    // (the RFC library, "{{rfclib}}") is copied under its name.
    auto leg_name = [](const std::string& name) {
      return fs::path(name).has_extension() ? name : executable_name(name);
    };
    std::string path = leg_name(expand(copy.path));
    ws.prepare(path, false);
    fs::path from = g_options.bin / leg_name(expand(copy.program));
    if (!fs::exists(from)) throw std::runtime_error("program not built: " + from.string());
    fs::copy_file(from, ws.host_path(path), fs::copy_options::overwrite_existing);
  }
}

// The host path of a step's program.
fs::path resolve_program(Workspace& ws, const std::string& program) {
  if (program.find_first_of("/\\") != std::string::npos) {
    return ws.host_path(executable_name(program));
  }
  fs::path built = g_options.bin / executable_name(program);
  if (!fs::exists(built)) throw std::runtime_error("program not built: " + built.string());
  if (!ws.the_case().library_absent) return built;
  // A copy in a directory of its own, without the RFC library beside it.
  fs::path copy = ws.dir() / "bin" / executable_name(program);
  if (!fs::exists(copy)) {
    fs::create_directories(copy.parent_path());
    fs::copy_file(built, copy);
  }
  const std::string& fixture = ws.the_case().library_fixture;
  if (!fixture.empty()) {
    fs::path library = g_options.bin / (fixture + (on_wine() ? ".dll" : ".so"));
    if (!fs::exists(library)) throw std::runtime_error("test library not built: " + library.string());
    fs::copy_file(library, copy.parent_path() / expand("{{rfclib}}"),
                  fs::copy_options::overwrite_existing);
  }
  return copy;
}

class CaseTest : public testing::Test {
 public:
  explicit CaseTest(const Case* c) : case_(c) {}

  void TestBody() override {
    const Case& c = *case_;
    if (!c.runs_on(g_options.leg)) {
      std::string legs;
      for (Leg leg : c.only) legs += std::string(legs.empty() ? "" : " and the ") + leg_name(leg);
      GTEST_SKIP() << "runs on the " << legs << " leg only";
    }
    if (c.uses_drive_c() && g_options.leg == Leg::Linux) {
      GTEST_SKIP() << "lays down or checks files on drive C:, which only the Wine leg has";
    }
    std::ostringstream where;
    where << c.file << ".cases:" << c.line;
    if (!c.variant.empty()) where << " with " << c.variant;
    SCOPED_TRACE(where.str());

    Workspace ws(c);
    g_case_passwords.clear();
    try {
      lay_down(ws);
      for (const Step& step : c.steps) {
        if (!run_step(ws, step)) {
          ws.keep();
          if (g_options.keep) std::cerr << "kept working directory " << ws.dir() << "\n";
          return;
        }
      }
      for (const std::string& p : c.must_exist) {
        EXPECT_TRUE(fs::exists(ws.host_path(expand(p)))) << p << " should exist afterwards";
      }
      for (const std::string& p : c.must_be_absent) {
        EXPECT_FALSE(fs::exists(ws.host_path(expand(p)))) << p << " should be gone afterwards";
      }
      check_no_password_left(ws);
      for (const ContentSpec& spec : c.contents) {
        fs::path file = ws.host_path(expand(spec.path));
        if (!fs::is_regular_file(file)) {
          ADD_FAILURE() << spec.path << " should exist afterwards";
          ws.keep();
          continue;
        }
        std::string actual = read_file(file);
        std::string want = expand(spec.expected.bytes);
        if (!agrees(actual, spec.expected, want)) {
          ADD_FAILURE() << spec.path << (spec.expected.pattern ? " should match:\n" : " should hold:\n")
                        << visible(want) << "  it holds:\n" << visible(actual);
          ws.keep();
        }
      }
    } catch (const std::exception& e) {
      ws.keep();
      FAIL() << e.what();
    }
  }

 private:
  // No file the programs wrote or changed in the working directory holds a
  // password (the case's own files, as it laid them down, may).
  void check_no_password_left(Workspace& ws) {
    if (g_case_passwords.empty()) return;
    ++g_cases_checked_for_leaks;
    std::map<fs::path, std::string> laid_down;
    for (const FileSpec& f : ws.the_case().files) {
      if (f.directory) continue;
      laid_down[ws.host_path(expand(f.path))] =
          f.from ? read_file(g_options.source / *f.from) : expand(f.content);
    }
    for (const auto& entry : fs::recursive_directory_iterator(ws.dir())) {
      if (!entry.is_regular_file()) continue;
      auto own = laid_down.find(entry.path());
      std::string content = read_file(entry.path());
      if (own != laid_down.end() && own->second == content) continue;
      for (const std::string& password : g_case_passwords) {
        EXPECT_FALSE(reveals(content, password))
            << fs::relative(entry.path(), ws.dir()) << " holds a profile's password";
      }
    }
  }

  // What every step's output must be, besides its expectation: a parsable
  // document for its consumer, and free of passwords.
  void check_output(const std::string& shown, const Step& step,
                    const std::vector<std::string>& args, const ProcessResult& r) {
    for (const std::string& password : g_case_passwords) {
      EXPECT_FALSE(reveals(r.out, password)) << shown << "\n  standard output holds a password";
      EXPECT_FALSE(reveals(r.err, password)) << shown << "\n  standard error holds a password";
    }
    bool trace = false;
    for (const std::string& a : args) trace = trace || a.find_first_of("#@$%") != std::string::npos;
    // Trace mode is for a person, and the RFC error block (status 1) is no
    // document of any consumer.
    if (trace || r.status == 1) return;
    if (r.out.find("<Prtg>") != std::string::npos) {
      std::string problem = xml_document_problem(r.out);
      EXPECT_EQ(problem, "") << shown << "\n  the XML form is not well-formed:\n" << visible(r.out);
    }
    std::string name = fs::path(step.program).stem().string();
    for (char& ch : name) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    const bool statistics = name.size() > 8 && name.compare(name.size() - 8, 8, "halvenor") == 0;
    if (statistics && r.status == 0) {
      std::string problem = statistics_problem(r.out);
      EXPECT_EQ(problem, "") << shown << "\n  not the statistics form:\n" << visible(r.out);
    }
  }

  bool run_step(Workspace& ws, const Step& step) {
    std::vector<std::string> args;
    for (const std::string& a : step.args) args.push_back(expand(a));
    fs::path program = resolve_program(ws, step.program);

    ProcessSpec spec;
    if (on_wine()) spec.argv.push_back(g_options.wine);
    spec.argv.push_back(program.string());
    spec.argv.insert(spec.argv.end(), args.begin(), args.end());
    spec.working_directory = ws.dir().string();
    spec.stdin_bytes = expand(step.stdin_bytes);
    if (fs::path(step.program).stem() == "keldar-profile") {
      // keldar-profile reads passwords from standard input, a line each.
      std::istringstream lines(spec.stdin_bytes);
      for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        note_password(line);
      }
    }
    spec.unset_env = {"LD_LIBRARY_PATH"};
    if (on_wine()) {
      spec.set_env = {"WINEDEBUG=-all", "WINEPREFIX=" + g_options.wine_prefix.string()};
    }
    ProcessResult r = run_process(spec);

    std::string shown = "line " + std::to_string(step.line) + ": " +
                        command_text(step.program, args);
    if (on_wine() && r.abnormal.empty() && r.status == 1 && r.out.empty() && r.err.empty()) {
      // Every way the programs end with status 1 prints the RFC error block,
      // so this is Wine failing to start the process at all, as it does now
      // and then (one step in some thousands). One more try; a real fault
      // fails again, or shows in the files and the call log the first
      // attempt left behind.
      std::cout << shown << ": Wine ended the process with status 1 before it printed "
                << "anything; run once more" << std::endl;
      r = run_process(spec);
    }
    if (!r.abnormal.empty()) {
      ADD_FAILURE() << shown << "\n  " << r.abnormal << "\n  standard output:\n"
                    << visible(r.out) << "  standard error:\n" << r.err;
      return false;
    }
    check_output(shown, step, args, r);
    bool ok = true;
    const std::optional<Expectation>& expected = step.expected_stdout(g_options.leg);
    if (!expected->any) {
      std::string want = expand(expected->bytes);
      if (!agrees(r.out, *expected, want)) {
        ok = false;
        ADD_FAILURE() << shown << "\n  expected standard output:\n" << visible(want)
                      << "  actual standard output:\n" << visible(r.out)
                      << (r.err.empty() ? "" : "  standard error:\n" + r.err);
      }
    }
    if (r.status != step.status) {
      ok = false;
      ADD_FAILURE() << shown << "\n  expected exit status " << step.status << ", got "
                    << r.status << (r.err.empty() ? "" : "\n  standard error:\n" + r.err);
    }
    return ok;
  }

  const Case* case_;
};

std::string test_name(const std::string& text) {
  std::string name;
  for (char c : text) {
    bool word = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (word) {
      name += c;
    } else if (!name.empty() && name.back() != '_') {
      name += '_';
    }
  }
  while (!name.empty() && name.back() == '_') name.pop_back();
  return name.empty() ? "unnamed" : name;
}

std::vector<Case>& all_cases() {
  static std::vector<Case> cases;
  return cases;
}

void register_cases() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(g_options.cases)) {
    if (entry.path().extension() == ".cases") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  for (const fs::path& f : files) {
    std::vector<Case> parsed = parse_cases(read_file(f), f.stem().string());
    all_cases().insert(all_cases().end(), parsed.begin(), parsed.end());
  }
  std::set<std::string> taken;
  for (const Case& c : all_cases()) {
    std::string name = test_name(c.name);
    std::string unique = name;
    for (int n = 2; !taken.insert(c.file + "." + unique).second; ++n) {
      unique = name + "_" + std::to_string(n);
    }
    std::string file = (g_options.cases / (c.file + ".cases")).string();
    const Case* pointer = &c;
    testing::RegisterTest(c.file.c_str(), unique.c_str(), nullptr, nullptr, file.c_str(), c.line,
                          [pointer]() -> testing::Test* { return new CaseTest(pointer); });
  }
}

int usage(const std::string& why) {
  std::cerr << "keldar_e2e: " << why << "\n"
            << "usage: keldar_e2e --bin DIR [--wine|--wine32] [--cases DIR] [--source DIR] [--keep] "
               "[gtest options]\n";
  return 64;
}

}  // namespace

}  // namespace keldar::e2e

int main(int argc, char** argv) {
  using namespace keldar::e2e;
  testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw std::runtime_error(a + " needs a value");
      return argv[++i];
    };
    try {
      if (a == "--bin") {
        g_options.bin = fs::absolute(value());
      } else if (a == "--cases") {
        g_options.cases = value();
      } else if (a == "--source") {
        g_options.source = value();
      } else if (a == "--wine") {
        g_options.leg = Leg::Wine64;
      } else if (a == "--wine32") {
        g_options.leg = Leg::Wine32;
      } else if (a == "--keep") {
        g_options.keep = true;
      } else {
        return usage("unknown option " + a);
      }
    } catch (const std::exception& e) {
      return usage(e.what());
    }
  }
  if (g_options.bin.empty()) return usage("--bin is required");
  if (on_wine()) {
    const char* prefix = std::getenv("WINEPREFIX");
    if (prefix == nullptr || *prefix == '\0') return usage("a Wine leg needs WINEPREFIX set");
    g_options.wine_prefix = fs::absolute(prefix);
    if (!fs::is_directory(g_options.wine_prefix / "drive_c")) {
      return usage("no drive_c in " + g_options.wine_prefix.string() + " (run wineboot -i)");
    }
    if (const char* wine = std::getenv("KELDAR_WINE"); wine != nullptr && *wine != '\0') {
      g_options.wine = wine;
    }
    DriveCJournal::clean_leftovers();
  }
  if (g_options.leg == Leg::Linux) {
    // On Linux the sensor maps "C:\" to "/": files there change what the
    // directory search finds.
    for (const char* path : {"/PRTG_Path.Txt", "/Programme/PRTG Network Monitor",
                             "/Program Files/PRTG Network Monitor",
                             "/Program Files (x86)/PRTG Network Monitor"}) {
      if (fs::exists(path)) {
        std::cerr << "keldar_e2e: warning: " << path
                  << " exists on this machine; the profile search cases may fail\n";
      }
    }
  }
  try {
    register_cases();
  } catch (const std::exception& e) {
    std::cerr << "keldar_e2e: " << e.what() << "\n";
    return 1;
  }
  std::cout << "End-to-end cases from " << g_options.cases.string() << " against "
            << g_options.bin.string() << " (" << leg_name(g_options.leg) << " leg)\n";
  int status = RUN_ALL_TESTS();
  std::cout << "Password leaks checked in " << g_cases_checked_for_leaks
            << " cases: every step's output and every file left behind.\n";
  return status;
}
