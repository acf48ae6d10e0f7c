#include "case_file.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <string_view>

#include "case_variants.h"

namespace keldar::e2e {

namespace {

std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  std::istringstream in(text);
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// Splits "word rest" into the keyword and the rest (without the blank).
std::pair<std::string, std::string> keyword_and_rest(const std::string& line) {
  std::size_t blank = line.find(' ');
  if (blank == std::string::npos) return {line, {}};
  return {line.substr(0, blank), line.substr(blank + 1)};
}

std::string trim_right(std::string text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
  return text;
}

// Takes `flag` off the end of `path` (whose own blanks stay) and sets `set`.
bool take_flag(std::string& path, std::string_view flag, bool& set) {
  if (path.size() <= flag.size() || path.compare(path.size() - flag.size(), flag.size(), flag) != 0) {
    return false;
  }
  path.resize(path.size() - flag.size());
  set = true;
  return true;
}

constexpr std::string_view kAny = "{{any}}";

bool matches_from(const std::string& text, std::size_t t, const std::string& pattern,
                  std::size_t p) {
  while (p < pattern.size()) {
    if (pattern.compare(p, kAny.size(), kAny) == 0) {
      // Try every length of the run, up to the end of the line.
      for (std::size_t end = t;; ++end) {
        if (matches_from(text, end, pattern, p + kAny.size())) return true;
        if (end >= text.size() || text[end] == '\n') return false;
      }
    }
    if (t >= text.size() || text[t] != pattern[p]) return false;
    ++t;
    ++p;
  }
  return t == text.size();
}

}  // namespace

bool is_wine(Leg leg) { return leg != Leg::Linux; }

const std::optional<Expectation>& Step::expected_stdout(Leg leg) const {
  const std::optional<Expectation>& specific = is_wine(leg) ? stdout_wine : stdout_linux;
  return specific ? specific : stdout_all;
}

bool Case::runs_on(Leg leg) const {
  return only.empty() || std::find(only.begin(), only.end(), leg) != only.end();
}

bool is_drive_c_path(const std::string& path) {
  return path.size() >= 3 && (path[0] == 'C' || path[0] == 'c') && path[1] == ':' &&
         (path[2] == '\\' || path[2] == '/');
}

bool Case::uses_drive_c() const {
  for (const FileSpec& f : files) {
    if (is_drive_c_path(f.path)) return true;
  }
  for (const CopySpec& c : copies) {
    if (is_drive_c_path(c.path)) return true;
  }
  for (const std::string& p : must_exist) {
    if (is_drive_c_path(p)) return true;
  }
  for (const std::string& p : must_be_absent) {
    if (is_drive_c_path(p)) return true;
  }
  for (const ContentSpec& spec : contents) {
    if (is_drive_c_path(spec.path)) return true;
  }
  return false;
}

bool matches(const std::string& text, const std::string& pattern) {
  return matches_from(text, 0, pattern, 0);
}

std::string error_document(const std::string& message) {
  return "<Prtg>\n<Error>1</Error>\n<Text>" + message + "</Text>\n</Prtg>\n";
}

std::vector<std::string> split_arguments(const std::string& text) {
  std::vector<std::string> args;
  std::string current;
  bool in_word = false;
  bool quoted = false;
  for (char c : text) {
    if (quoted) {
      if (c == '"') {
        quoted = false;
      } else {
        current += c;
      }
    } else if (c == '"') {
      quoted = true;
      in_word = true;
    } else if (c == ' ' || c == '\t') {
      if (in_word) args.push_back(current);
      current.clear();
      in_word = false;
    } else {
      current += c;
      in_word = true;
    }
  }
  if (quoted) throw ParseError("unterminated \" in argument list: " + text);
  if (in_word) args.push_back(current);
  return args;
}

namespace {

// One line of a .cases file with its line number.
struct SourceLine {
  int number = 0;
  std::string text;
};

bool starts_case(const std::string& raw) { return raw == "==" || raw.rfind("== ", 0) == 0; }

// A directive line: not a "|" line, a blank line or a comment.
bool is_directive(const std::string& raw) {
  std::string line = trim_right(raw);
  return !line.empty() && line[0] != '#' && line[0] != '|';
}

// The text of a "|" line: after "| ", or after a lone "|".
std::string block_content(const std::string& raw) {
  return raw.size() >= 2 && raw[1] == ' ' ? raw.substr(2) : raw.substr(1);
}

// The parser of one .cases file: the blocks shared by its cases, the cases
// so far, and the "|" block that the last directive opened.
class CaseParser {
 public:
  explicit CaseParser(std::string file) : file_(std::move(file)) {}

  // A line outside any case (a "define" block, comments).
  void shared_line(const SourceLine& line) { handle(line, {}); }

  // The lines of one case, its "==" line first: once, or once per variant
  // of its "vary" tables.
  void add_case(const std::vector<SourceLine>& lines);

  std::vector<Case> take() { return std::move(cases_); }

 private:
  [[noreturn]] void fail(int line, const std::string& why) const {
    throw ParseError(file_ + ".cases:" + std::to_string(line) + ": " + why);
  }

  void handle(const SourceLine& line, const Variables& variables);
  void close_block();
  void finish_case();
  Case& current_case();
  Step& current_step();
  // Flags behind a block directive: returns the words that are not flags.
  std::vector<std::string> block_flags(const std::string& words_text, bool allow_crlf);
  // Takes the "vary" tables and their rows out of a case's lines.
  std::vector<VaryTable> take_vary_tables(std::vector<SourceLine>& lines) const;

  std::string file_;
  std::vector<Case> cases_;
  std::map<std::string, std::string> defines_;  // blocks shared by the cases of the file
  int line_ = 0;                                // the line being handled, for errors
  std::string* block_target_ = nullptr;
  bool block_noeol_ = false;
  bool block_crlf_ = false;
};

void CaseParser::add_case(const std::vector<SourceLine>& case_lines) {
  std::vector<SourceLine> lines = case_lines;
  std::vector<VaryTable> tables = take_vary_tables(lines);
  std::vector<Variables> all;
  try {
    all = variants(tables);
  } catch (const VaryError& e) {
    fail(tables.empty() ? lines.front().number : tables.front().line, e.what());
  }
  // A variable that no line mentions makes copies that differ in nothing.
  for (const VaryTable& table : tables) {
    for (const std::string& name : table.names) {
      std::string placeholder = "{{" + name + "}}";
      bool used = false;
      for (const SourceLine& l : lines) used = used || l.text.find(placeholder) != std::string::npos;
      for (const auto& [define, text] : defines_) {
        used = used || text.find(placeholder) != std::string::npos;
      }
      if (!used) fail(table.line, "\"" + name + "\" varies, but no line of the case says " + placeholder);
    }
  }
  std::size_t first = cases_.size();
  for (const Variables& variables : all) {
    try {
      for (const SourceLine& l : lines) handle({l.number, substitute(l.text, variables)}, variables);
      close_block();
      finish_case();
    } catch (const ParseError& e) {
      if (tables.empty()) throw;
      throw ParseError(std::string(e.what()) + " (with " + describe(variables) + ")");
    }
    cases_.back().variant = tables.empty() ? "" : describe(variables);
  }
  for (std::size_t i = first; i < cases_.size(); ++i) {
    for (std::size_t j = first; j < i; ++j) {
      if (cases_[i].name == cases_[j].name) {
        fail(cases_[i].line, "the variants of a case need names of their own: \"" + cases_[i].name +
                                 "\" comes twice (put a varied {{NAME}} in the name)");
      }
    }
  }
}

std::vector<VaryTable> CaseParser::take_vary_tables(std::vector<SourceLine>& lines) const {
  std::vector<VaryTable> tables;
  std::vector<SourceLine> kept;
  bool in_table = false;  // the "|" lines belong to the last "vary"
  for (const SourceLine& l : lines) {
    try {
      if (!l.text.empty() && l.text[0] == '|' && in_table) {
        add_vary_row(tables.back(), block_content(l.text));
        continue;
      }
      if (is_directive(l.text)) {
        auto [keyword, rest] = keyword_and_rest(trim_right(l.text));
        in_table = keyword == "vary";
        if (in_table) {
          tables.push_back(vary_table(rest, l.number));
          for (const std::string& name : tables.back().names) {
            if (defines_.count(name) != 0) {
              throw VaryError("\"" + name + "\" is a \"define\" block of the file");
            }
          }
          continue;
        }
      }
    } catch (const VaryError& e) {
      fail(l.number, e.what());
    }
    kept.push_back(l);
  }
  lines = std::move(kept);
  return tables;
}

// Closes the open "|" block: drops the final line end for "noeol".
void CaseParser::close_block() {
  if (block_target_ != nullptr && block_noeol_) {
    std::size_t eol = block_crlf_ ? 2 : 1;
    if (block_target_->size() >= eol) block_target_->resize(block_target_->size() - eol);
  }
  block_target_ = nullptr;
  block_noeol_ = false;
  block_crlf_ = false;
}

Case& CaseParser::current_case() {
  if (cases_.empty()) fail(line_, "directive before the first \"== name\" line");
  return cases_.back();
}

Step& CaseParser::current_step() {
  Case& c = current_case();
  if (c.steps.empty()) fail(line_, "step directive before the first \"run\"");
  return c.steps.back();
}

std::vector<std::string> CaseParser::block_flags(const std::string& words_text, bool allow_crlf) {
  std::vector<std::string> other;
  for (const std::string& word : split_arguments(words_text)) {
    if (word == "noeol") {
      block_noeol_ = true;
    } else if (word == "crlf" && allow_crlf) {
      block_crlf_ = true;
    } else {
      other.push_back(word);
    }
  }
  return other;
}

void CaseParser::finish_case() {
  Case& c = cases_.back();
  if (c.steps.empty()) fail(c.line, "case \"" + c.name + "\" has no \"run\" step");
  for (const Step& s : c.steps) {
    if (!s.stdout_all && !(s.stdout_linux && s.stdout_wine)) {
      fail(s.line, "step has no expected standard output (\"stdout\", \"error\" or \"stdout any\")");
    }
  }
}

void CaseParser::handle(const SourceLine& source, const Variables& variables) {
  line_ = source.number;
  const std::string& raw = source.text;
  if (!raw.empty() && raw[0] == '|') {
    if (block_target_ == nullptr) fail(line_, "\"|\" line outside a block");
    std::string content = block_content(raw);
    // A line "{{NAME}}" of a defined block stands for the block's lines.
    std::vector<std::string> lines{content};
    if (content.size() > 4 && content.rfind("{{", 0) == 0 &&
        content.compare(content.size() - 2, 2, "}}") == 0) {
      auto found = defines_.find(content.substr(2, content.size() - 4));
      if (found != defines_.end()) lines = split_lines(substitute(found->second, variables));
    }
    for (const std::string& l : lines) {
      *block_target_ += l;
      *block_target_ += block_crlf_ ? "\r\n" : "\n";
    }
    return;
  }
  std::string line = trim_right(raw);
  if (line.empty() || line[0] == '#') return;

  close_block();
  auto [keyword, rest] = keyword_and_rest(line);

  if (keyword == "define") {
    if (!cases_.empty()) fail(line_, "\"define\" belongs before the first case");
    if (rest.empty() || defines_.count(rest) != 0) fail(line_, "\"define NAME\" with a new NAME");
    block_target_ = &defines_[rest];
  } else if (keyword == "==") {
    Case c;
    c.file = file_;
    c.name = rest;
    c.line = line_;
    if (c.name.empty()) fail(line_, "case without a name");
    cases_.push_back(std::move(c));
  } else if (keyword == "vary") {
    fail(line_, "\"vary\" belongs to a case");
  } else if (keyword == "only") {
    if (rest == "linux") {
      current_case().only = {Leg::Linux};
    } else if (rest == "wine") {
      current_case().only = {Leg::Wine64, Leg::Wine32};
    } else if (rest == "wine32") {
      current_case().only = {Leg::Wine32};
    } else {
      fail(line_, "\"only\" takes \"linux\", \"wine\" or \"wine32\"");
    }
  } else if (keyword == "library") {
    if (rest.empty() || rest.find(' ') != std::string::npos) {
      fail(line_, "\"library\" takes \"absent\" or the name of a test library");
    }
    current_case().library_absent = true;
    if (rest != "absent") current_case().library_fixture = rest;
  } else if (keyword == "copy") {
    auto [program, path] = keyword_and_rest(rest);
    if (program.empty() || path.empty()) fail(line_, "\"copy PROGRAM PATH\" expected");
    current_case().copies.push_back({program, path});
  } else if (keyword == "dir") {
    if (rest.empty()) fail(line_, "\"dir PATH\" expected");
    FileSpec f;
    f.path = rest;
    f.directory = true;
    current_case().files.push_back(std::move(f));
  } else if (keyword == "file") {
    // The path is the rest of the line (it may hold blanks), less the
    // flags at its end or a " from SOURCE".
    Case& c = current_case();
    if (!c.steps.empty()) fail(line_, "files are laid down before the first \"run\"");
    FileSpec f;
    std::string path = rest;
    while (take_flag(path, " crlf", block_crlf_) || take_flag(path, " noeol", block_noeol_)) {
    }
    if (std::size_t from = path.find(" from "); from != std::string::npos) {
      if (block_crlf_ || block_noeol_) fail(line_, "\"from\" copies the file as it is");
      f.from = path.substr(from + 6);
      path.resize(from);
    }
    if (path.empty()) fail(line_, "\"file PATH [crlf] [noeol]\" or \"file PATH from SOURCE\"");
    f.path = path;
    f.crlf = block_crlf_;
    c.files.push_back(std::move(f));
    if (c.files.back().from) return;
    block_target_ = &c.files.back().content;
  } else if (keyword == "run") {
    std::vector<std::string> words = split_arguments(rest);
    if (words.empty()) fail(line_, "\"run PROGRAM ARGS...\" expected");
    Step s;
    s.line = line_;
    s.program = words[0];
    s.args.assign(words.begin() + 1, words.end());
    current_case().steps.push_back(std::move(s));
  } else if (keyword == "stdin") {
    Step& s = current_step();
    if (!block_flags(rest, false).empty()) fail(line_, "\"stdin [noeol]\" expected");
    s.stdin_bytes.clear();
    block_target_ = &s.stdin_bytes;
  } else if (keyword == "stdout") {
    Step& s = current_step();
    std::vector<std::string> words = block_flags(rest, false);
    std::optional<Expectation>* slot = &s.stdout_all;
    bool any = false;
    bool pattern = false;
    for (const std::string& word : words) {
      if (word == "linux") {
        slot = &s.stdout_linux;
      } else if (word == "wine") {
        slot = &s.stdout_wine;
      } else if (word == "any") {
        any = true;
      } else if (word == "matching") {
        pattern = true;
      } else {
        fail(line_, "\"stdout [linux|wine] [matching] [noeol]\" or \"stdout any\" expected");
      }
    }
    if (slot->has_value()) fail(line_, "expected standard output given twice");
    *slot = Expectation{any, pattern, {}};
    if (!any) block_target_ = &(*slot)->bytes;
  } else if (keyword == "error") {
    Step& s = current_step();
    if (rest.empty()) fail(line_, "\"error MESSAGE\" expected");
    if (s.stdout_all) fail(line_, "expected standard output given twice");
    // The message keeps trailing blanks as written.
    s.stdout_all = Expectation{false, false, error_document(raw.substr(raw.find(' ') + 1))};
    s.status = 2;
  } else if (keyword == "status") {
    try {
      current_step().status = std::stoi(rest);
    } catch (const std::exception&) {
      fail(line_, "\"status N\" expected");
    }
  } else if (keyword == "contents") {
    // "contents PATH [matching] [noeol]": PATH may hold blanks.
    Case& c = current_case();
    ContentSpec spec;
    std::string path = rest;
    while (take_flag(path, " matching", spec.expected.pattern) ||
           take_flag(path, " noeol", block_noeol_)) {
    }
    if (path.empty()) fail(line_, "\"contents PATH [matching] [noeol]\" expected");
    spec.path = path;
    c.contents.push_back(std::move(spec));
    block_target_ = &c.contents.back().expected.bytes;
  } else if (keyword == "exists") {
    current_case().must_exist.push_back(rest);
  } else if (keyword == "absent") {
    current_case().must_be_absent.push_back(rest);
  } else {
    fail(line_, "unknown directive \"" + keyword + "\"");
  }
}

}  // namespace

std::vector<Case> parse_cases(const std::string& text, const std::string& file) {
  CaseParser parser(file);
  std::vector<SourceLine> case_lines;  // the current case's, "==" first
  int number = 0;
  for (const std::string& raw : split_lines(text)) {
    ++number;
    if (starts_case(raw) && !case_lines.empty()) {
      parser.add_case(case_lines);
      case_lines.clear();
    }
    if (starts_case(raw) || !case_lines.empty()) {
      case_lines.push_back({number, raw});
    } else {
      parser.shared_line({number, raw});
    }
  }
  if (!case_lines.empty()) parser.add_case(case_lines);
  return parser.take();
}

}  // namespace keldar::e2e
