#include "case_file.h"

#include <map>
#include <sstream>
#include <string_view>

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

// The kind of "|" block that the last directive opened.
enum class Block { None, Define, File, Stdin, Stdout, Contents };

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

const std::optional<Expectation>& Step::expected_stdout(Leg leg) const {
  const std::optional<Expectation>& specific = leg == Leg::Linux ? stdout_linux : stdout_wine;
  return specific ? specific : stdout_all;
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

std::vector<Case> parse_cases(const std::string& text, const std::string& file) {
  std::vector<Case> cases;
  std::map<std::string, std::string> defines;  // blocks shared by the cases of the file
  Block block = Block::None;
  bool block_noeol = false;
  std::string* block_target = nullptr;
  bool block_crlf = false;
  int line_number = 0;

  auto fail = [&](const std::string& why) {
    throw ParseError(file + ".cases:" + std::to_string(line_number) + ": " + why);
  };
  // Closes the open "|" block: drops the final line end for "noeol".
  auto close_block = [&] {
    if (block_target != nullptr && block_noeol) {
      std::size_t eol = block_crlf ? 2 : 1;
      if (block_target->size() >= eol) block_target->resize(block_target->size() - eol);
    }
    block = Block::None;
    block_target = nullptr;
    block_noeol = false;
    block_crlf = false;
  };
  auto current_case = [&]() -> Case& {
    if (cases.empty()) fail("directive before the first \"== name\" line");
    return cases.back();
  };
  auto current_step = [&]() -> Step& {
    Case& c = current_case();
    if (c.steps.empty()) fail("step directive before the first \"run\"");
    return c.steps.back();
  };
  // Flags behind a block directive: returns the words that are not flags.
  auto block_flags = [&](const std::string& words_text, bool allow_crlf) {
    std::vector<std::string> other;
    for (const std::string& word : split_arguments(words_text)) {
      if (word == "noeol") {
        block_noeol = true;
      } else if (word == "crlf" && allow_crlf) {
        block_crlf = true;
      } else {
        other.push_back(word);
      }
    }
    return other;
  };
  auto finish_case = [&] {
    if (cases.empty()) return;
    Case& c = cases.back();
    if (c.steps.empty()) {
      throw ParseError(file + ".cases:" + std::to_string(c.line) + ": case \"" + c.name +
                       "\" has no \"run\" step");
    }
    for (const Step& s : c.steps) {
      if (!s.stdout_all && !(s.stdout_linux && s.stdout_wine)) {
        throw ParseError(file + ".cases:" + std::to_string(s.line) +
                         ": step has no expected standard output (\"stdout\", \"error\" or "
                         "\"stdout any\")");
      }
    }
  };

  for (const std::string& raw : split_lines(text)) {
    ++line_number;
    if (!raw.empty() && raw[0] == '|') {
      if (block_target == nullptr) fail("\"|\" line outside a block");
      std::string content = raw.size() >= 2 && raw[1] == ' ' ? raw.substr(2) : raw.substr(1);
      // A line "{{NAME}}" of a defined block stands for the block's lines.
      std::vector<std::string> lines{content};
      if (content.size() > 4 && content.rfind("{{", 0) == 0 &&
          content.compare(content.size() - 2, 2, "}}") == 0) {
        auto found = defines.find(content.substr(2, content.size() - 4));
        if (found != defines.end()) lines = split_lines(found->second);
      }
      for (const std::string& l : lines) {
        *block_target += l;
        *block_target += block_crlf ? "\r\n" : "\n";
      }
      continue;
    }
    std::string line = trim_right(raw);
    if (line.empty() || line[0] == '#') continue;

    close_block();
    auto [keyword, rest] = keyword_and_rest(line);

    if (keyword == "define") {
      if (!cases.empty()) fail("\"define\" belongs before the first case");
      if (rest.empty() || defines.count(rest) != 0) fail("\"define NAME\" with a new NAME");
      block = Block::Define;
      block_target = &defines[rest];
    } else if (keyword == "==") {
      finish_case();
      Case c;
      c.file = file;
      c.name = rest;
      c.line = line_number;
      if (c.name.empty()) fail("case without a name");
      cases.push_back(std::move(c));
    } else if (keyword == "only") {
      if (rest == "linux") {
        current_case().only = Leg::Linux;
      } else if (rest == "wine") {
        current_case().only = Leg::Wine;
      } else {
        fail("\"only\" takes \"linux\" or \"wine\"");
      }
    } else if (keyword == "library") {
      if (rest.empty() || rest.find(' ') != std::string::npos) {
        fail("\"library\" takes \"absent\" or the name of a test library");
      }
      current_case().library_absent = true;
      if (rest != "absent") current_case().library_fixture = rest;
    } else if (keyword == "copy") {
      auto [program, path] = keyword_and_rest(rest);
      if (program.empty() || path.empty()) fail("\"copy PROGRAM PATH\" expected");
      current_case().copies.push_back({program, path});
    } else if (keyword == "dir") {
      if (rest.empty()) fail("\"dir PATH\" expected");
      FileSpec f;
      f.path = rest;
      f.directory = true;
      current_case().files.push_back(std::move(f));
    } else if (keyword == "file") {
      // The path is the rest of the line (it may hold blanks), less the
      // flags at its end or a " from SOURCE".
      Case& c = current_case();
      if (!c.steps.empty()) fail("files are laid down before the first \"run\"");
      FileSpec f;
      std::string path = rest;
      while (take_flag(path, " crlf", block_crlf) || take_flag(path, " noeol", block_noeol)) {
      }
      if (std::size_t from = path.find(" from "); from != std::string::npos) {
        if (block_crlf || block_noeol) fail("\"from\" copies the file as it is");
        f.from = path.substr(from + 6);
        path.resize(from);
      }
      if (path.empty()) fail("\"file PATH [crlf] [noeol]\" or \"file PATH from SOURCE\"");
      f.path = path;
      f.crlf = block_crlf;
      c.files.push_back(std::move(f));
      if (c.files.back().from) continue;
      block = Block::File;
      block_target = &c.files.back().content;
    } else if (keyword == "run") {
      std::vector<std::string> words = split_arguments(rest);
      if (words.empty()) fail("\"run PROGRAM ARGS...\" expected");
      Step s;
      s.line = line_number;
      s.program = words[0];
      s.args.assign(words.begin() + 1, words.end());
      current_case().steps.push_back(std::move(s));
    } else if (keyword == "stdin") {
      Step& s = current_step();
      if (!block_flags(rest, false).empty()) fail("\"stdin [noeol]\" expected");
      s.stdin_bytes.clear();
      block = Block::Stdin;
      block_target = &s.stdin_bytes;
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
          fail("\"stdout [linux|wine] [matching] [noeol]\" or \"stdout any\" expected");
        }
      }
      if (slot->has_value()) fail("expected standard output given twice");
      *slot = Expectation{any, pattern, {}};
      if (!any) {
        block = Block::Stdout;
        block_target = &(*slot)->bytes;
      }
    } else if (keyword == "error") {
      Step& s = current_step();
      if (rest.empty()) fail("\"error MESSAGE\" expected");
      if (s.stdout_all) fail("expected standard output given twice");
      // The message keeps trailing blanks as written.
      s.stdout_all = Expectation{false, false, error_document(raw.substr(raw.find(' ') + 1))};
      s.status = 2;
    } else if (keyword == "status") {
      try {
        current_step().status = std::stoi(rest);
      } catch (const std::exception&) {
        fail("\"status N\" expected");
      }
    } else if (keyword == "contents") {
      // "contents PATH [matching] [noeol]": PATH may hold blanks.
      Case& c = current_case();
      ContentSpec spec;
      std::string path = rest;
      while (take_flag(path, " matching", spec.expected.pattern) ||
             take_flag(path, " noeol", block_noeol)) {
      }
      if (path.empty()) fail("\"contents PATH [matching] [noeol]\" expected");
      spec.path = path;
      c.contents.push_back(std::move(spec));
      block = Block::Contents;
      block_target = &c.contents.back().expected.bytes;
    } else if (keyword == "exists") {
      current_case().must_exist.push_back(rest);
    } else if (keyword == "absent") {
      current_case().must_be_absent.push_back(rest);
    } else {
      fail("unknown directive \"" + keyword + "\"");
    }
  }
  close_block();
  finish_case();
  return cases;
}

}  // namespace keldar::e2e
