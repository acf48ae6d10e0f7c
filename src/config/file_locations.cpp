#include "config/file_locations.h"

#include <array>

#include "platform/text_lines.h"
#include "run/command_line.h"

namespace keldar {

namespace {

constexpr std::string_view kDefaultExtension = ".P00";
constexpr std::string_view kInstallationSensorDirectory =
    "PRTG Network Monitor\\Custom Sensors\\ExeXml\\";
constexpr std::string_view kSensorDirectory = "Custom Sensors\\ExeXml\\";
constexpr std::array<std::string_view, 3> kFixedCandidates = {
    "\\Programme\\PRTG Network Monitor\\Custom Sensors\\ExeXml\\",
    "\\Program Files\\PRTG Network Monitor\\Custom Sensors\\ExeXml\\",
    "\\Program Files (x86)\\PRTG Network Monitor\\Custom Sensors\\ExeXml\\",
};
// "C:\PRTG_Path.Txt" is read as with a 100-byte line buffer.
constexpr std::size_t kPathFileReadChars = 99;

std::string missing_profile(std::string_view name) {
  return "Error 1002: Profile " + std::string(name) + " is missing...";
}

// A line of "C:\PRTG_Path.Txt" that names a directory: "\dir", "C:\dir" or
// "C:" (and "/dir" where "/" separates directories).
bool names_directory(std::string_view line) {
  using platform::is_directory_separator;
  return (line.size() >= 1 && is_directory_separator(line[0])) ||
         (line.size() >= 3 && is_directory_separator(line[2])) ||
         (line.size() >= 2 && line[1] == ':');
}

// The directory of the sensor directory search; empty when there is no
// "C:\PRTG_Path.Txt", which means the working directory.
std::optional<std::string> installation_directory(const platform::FileSystem& files) {
  std::optional<std::string> content = files.read(kPrtgPathFile);
  if (!content) return std::nullopt;
  std::string directory;
  for (const std::string& line : platform::read_lines(*content, kPathFileReadChars)) {
    if (names_directory(line)) directory = line;
  }
  if (directory.empty() || !platform::is_directory_separator(directory.back())) directory += '\\';
  return directory;
}

}  // namespace

std::string with_default_extension(std::string_view profile_argument) {
  std::string name(profile_argument);
  if (name.size() < 4 || name[name.size() - 4] != '.') name += kDefaultExtension;
  return name;
}

std::optional<std::string> locate_profile(const platform::FileSystem& files, RunState& state,
                                          std::string& profile_content) {
  std::string name = with_default_extension(state.profile_argument);
  if (to_upper_ascii(state.profile_argument) == "GLOBAL") {
    name = kGlobalSensorFile;
    state.global_run = true;
  }

  state.program_directory.clear();
  std::size_t separator = std::string::npos;
  for (std::size_t i = name.size(); i-- > 0;) {
    if (platform::is_directory_separator(name[i])) {
      separator = i;
      break;
    }
  }
  // A separator in the first position is the root, not a directory split.
  if (separator != std::string::npos && separator >= 1) {
    state.program_directory = name.substr(0, separator + 1);
    name.erase(0, separator + 1);
  }
  if (to_upper_ascii(name) == "GLOBAL.P00") {
    state.global_run = true;
    name = kGlobalSensorFile;
  }
  state.profile_file_name = name;

  const bool search = state.output_mode == OutputMode::EXEXML &&
                      state.parameter_text.find('@') == std::string::npos;
  if (!search) {
    std::string full_path = state.program_directory + name;
    std::optional<std::string> content = files.read(full_path);
    if (!content) return missing_profile(full_path);
    profile_content = std::move(*content);
    return std::nullopt;
  }

  // The sensor directory search ignores a directory given with the argument.
  state.program_directory.clear();
  if (std::optional<std::string> root = installation_directory(files)) {
    std::string directory = std::move(*root);
    if (files.can_open(directory + std::string(kInstallationSensorDirectory) + name)) {
      directory += kInstallationSensorDirectory;
    }
    if (files.can_open(directory + std::string(kSensorDirectory) + name)) {
      directory += kSensorDirectory;
    }
    std::optional<std::string> content = files.read(directory + name);
    if (!content) return missing_profile(name);
    state.program_directory = std::move(directory);
    profile_content = std::move(*content);
    return std::nullopt;
  }

  if (std::optional<std::string> content = files.read(name)) {
    profile_content = std::move(*content);
    return std::nullopt;
  }
  for (std::string_view candidate : kFixedCandidates) {
    if (std::optional<std::string> content = files.read(std::string(candidate) + name)) {
      state.program_directory = candidate;
      profile_content = std::move(*content);
      return std::nullopt;
    }
  }
  return missing_profile(name);
}

}  // namespace keldar
