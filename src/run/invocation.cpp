#include "run/invocation.h"

#include <array>

#include "run/version.h"
#include "text/ascii.h"
#include "text/fixed_field.h"

namespace keldar {

namespace {

// Sensor names are compared on this many characters, blank-padded.
constexpr std::size_t kSensorNameWidth = 10;

// The sensor name word: the verbatim text up to its first blank, without a
// leading "-", its comma-led options moved to the suffix in reverse order.
void take_sensor_name(Invocation& invocation) {
  const std::string& verbatim = invocation.parameters.verbatim;
  std::string word = verbatim.substr(0, verbatim.find(' '));
  if (!word.empty() && word.front() == '-') word.erase(0, 1);
  for (std::size_t i = word.size(); i-- > 1;) {
    if (word[i] == ',') {
      invocation.option_suffix += word.substr(i);
      word.resize(i);
    }
  }
  invocation.sensor_display_name = word;
  invocation.sensor_name = text::pad_right(text::to_upper_ascii(word), kSensorNameWidth);
}

}  // namespace

std::string banner_line(std::string_view start_time) {
  return "* " + std::string(start_time) + " SAP " + std::string(kProgramName) + " " +
         version_text() + "\n";
}

OutputMode output_mode_for_program(std::string_view program_path) {
  std::size_t slash = program_path.find_last_of("\\/");
  std::string_view name =
      slash == std::string_view::npos ? program_path : program_path.substr(slash + 1);
  std::size_t dot = name.find_last_of('.');
  if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
  std::string upper = text::to_upper_ascii(name);
  struct Suffix {
    std::string_view text;
    OutputMode mode;
  };
  static constexpr std::array<Suffix, 4> kSuffixes = {{{"QUIBBET", OutputMode::Quibbet},
                                                        {"PIMTREL", OutputMode::Pimtrel},
                                                        {"HALVENOR", OutputMode::Halvenor},
                                                        {"DRAVOSK", OutputMode::Dravosk}}};
  for (const Suffix& suffix : kSuffixes) {
    std::string_view s = suffix.text;
    if (upper.size() > s.size() && upper.compare(upper.size() - s.size(), s.size(), s) == 0) {
      char before = upper[upper.size() - s.size() - 1];
      if (before == '-' || before == '_') return suffix.mode;
    }
  }
  return OutputMode::EXEXML;
}

std::variant<Invocation, Failure> parse_command_line(const ProgramStart& start,
                                                     const std::vector<std::string>& arguments) {
  if (arguments.empty()) return failure(Message::profile_name_missing);

  Invocation invocation;
  invocation.program_path = start.program_path;
  invocation.output_mode = start.output_mode;
  invocation.start_time = start.start_time;
  invocation.banner_line = banner_line(start.start_time);

  invocation.profile_argument = arguments[0];
  std::string& verbatim = invocation.parameters.verbatim;
  std::string& upper = invocation.parameters.upper;
  verbatim = arguments.size() > 1 ? arguments[1] : std::string();
  if (arguments.size() > 2) {
    verbatim += ' ';
    verbatim += arguments[2];
  }
  upper = text::to_upper_ascii(verbatim);

  std::size_t channel = upper.find(",CH=");
  if (channel != std::string::npos) {
    invocation.channel_selector = upper;
    upper.resize(channel);
  }

  if (!invocation.parameters.has("=") && !invocation.parameters.has("MONITOR-SETS")) {
    take_sensor_name(invocation);
  }
  const std::string& name = invocation.sensor_name;
  if (!name.empty() && (name.front() == '#' || name.front() == ' ')) {
    return failure(Message::sensor_name_missing);
  }

  invocation.global_run = text::to_upper_ascii(invocation.profile_argument) == "GLOBAL" ||
                          invocation.parameters.has(",GBLGRD=") ||
                          invocation.parameters.has(",GBLVAL=");
  invocation.trace_mode = upper.find_first_of("#@$%") != std::string::npos;
  return invocation;
}

}  // namespace keldar
