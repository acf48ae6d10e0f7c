#include "run/command_line.h"

#include <array>

namespace keldar {

const char* output_mode_name(OutputMode mode) {
  switch (mode) {
    case OutputMode::EXEXML: return "EXEXML";
    case OutputMode::Quibbet: return "Quibbet";
    case OutputMode::Pimtrel: return "Pimtrel";
    case OutputMode::Halvenor: return "Halvenor";
    case OutputMode::Dravosk: return "Dravosk";
  }
  return "EXEXML";
}

std::string to_upper_ascii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

OutputMode output_mode_for_program(std::string_view program_path) {
  std::size_t slash = program_path.find_last_of("\\/");
  std::string_view name =
      slash == std::string_view::npos ? program_path : program_path.substr(slash + 1);
  std::size_t dot = name.find_last_of('.');
  if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
  std::string upper = to_upper_ascii(name);
  struct Suffix {
    const char* text;
    OutputMode mode;
  };
  static constexpr std::array<Suffix, 4> kSuffixes = {{{"QUIBBET", OutputMode::Quibbet},
                                                        {"PIMTREL", OutputMode::Pimtrel},
                                                        {"HALVENOR", OutputMode::Halvenor},
                                                        {"DRAVOSK", OutputMode::Dravosk}}};
  for (const Suffix& suffix : kSuffixes) {
    std::string_view s(suffix.text);
    if (upper.size() > s.size() && upper.compare(upper.size() - s.size(), s.size(), s) == 0) {
      char before = upper[upper.size() - s.size() - 1];
      if (before == '-' || before == '_') return suffix.mode;
    }
  }
  return OutputMode::EXEXML;
}

namespace {

bool contains(std::string_view text, std::string_view key) {
  return text.find(key) != std::string_view::npos;
}

// The sensor name word: the verbatim text up to its first blank, without a
// leading "-", its comma-led options moved to the suffix in reverse order.
void take_sensor_name(RunState& state) {
  std::string word = state.verbatim_parameter_text.substr(
      0, state.verbatim_parameter_text.find(' '));
  if (!word.empty() && word.front() == '-') word.erase(0, 1);
  for (std::size_t i = word.size(); i-- > 1;) {
    if (word[i] == ',') {
      state.option_suffix += word.substr(i);
      word.resize(i);
    }
  }
  state.sensor_display_name = word;
  state.sensor_name = to_upper_ascii(word);
  if (state.sensor_name.size() < 10) state.sensor_name.resize(10, ' ');
}

}  // namespace

std::optional<std::string> parse_command_line(const std::vector<std::string>& arguments,
                                              RunState& state) {
  if (arguments.empty()) return "Error 1001: Parameter for Profile-Name is missing !";

  state.profile_argument = arguments[0];
  state.verbatim_parameter_text = arguments.size() > 1 ? arguments[1] : std::string();
  if (arguments.size() > 2) {
    state.verbatim_parameter_text += ' ';
    state.verbatim_parameter_text += arguments[2];
  }
  state.parameter_text = to_upper_ascii(state.verbatim_parameter_text);

  state.channel_selector = ".";
  std::size_t channel = state.parameter_text.find(",CH=");
  if (channel != std::string::npos) {
    state.channel_selector = state.parameter_text;
    state.parameter_text.resize(channel);
  }

  if (!contains(state.parameter_text, "=") && !contains(state.parameter_text, "MONITOR-SETS")) {
    take_sensor_name(state);
  }
  if (!state.sensor_name.empty() &&
      (state.sensor_name.front() == '#' || state.sensor_name.front() == ' ')) {
    return "Error 1019: Sensorname for Monitoring is missing !";
  }

  state.global_run = to_upper_ascii(state.profile_argument) == "GLOBAL" ||
                     contains(state.parameter_text, ",GBLGRD=") ||
                     contains(state.parameter_text, ",GBLVAL=");

  state.trace_mode = state.parameter_text.find_first_of("#@$%") != std::string::npos;
  return std::nullopt;
}

}  // namespace keldar
