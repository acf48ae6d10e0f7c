#include "config/file_locations.h"

#include <array>
#include <optional>

#include "config/config_lines.h"
#include "text/ascii.h"

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

// A line of "C:\PRTG_Path.Txt" that names a directory: "\dir", "C:\dir" or
// "C:" (and "/dir" where "/" separates directories).
bool names_directory(std::string_view line) {
  using platform::is_directory_separator;
  return (line.size() >= 1 && is_directory_separator(line[0])) ||
         (line.size() >= 3 && is_directory_separator(line[2])) ||
         (line.size() >= 2 && line[1] == ':');
}

// The directory of the sensor directory search; empty when
// "C:\PRTG_Path.Txt" cannot be read, which means the working directory.
std::optional<std::string> installation_directory(const platform::FileSystem& files) {
  std::unique_ptr<platform::InputFile> file = files.open(kPrtgPathFile);
  if (file == nullptr) return std::nullopt;
  text::LineReader lines = config_lines(*file, kPathFileLineChars);
  return installation_root(lines);
}

// Opens `path` when it can be read; null otherwise.
std::unique_ptr<platform::InputFile> open_readable(const platform::FileSystem& files,
                                                   const std::string& path) {
  if (!files.can_open(path)) return nullptr;
  return files.open(path);
}

}  // namespace

std::optional<std::string> installation_root(text::LineReader& lines) {
  std::string directory;
  std::string line;
  while (lines.next(line)) {
    if (names_directory(line)) directory = line;
  }
  if (lines.failed()) return std::nullopt;
  if (directory.empty() || !platform::is_directory_separator(directory.back())) directory += '\\';
  return directory;
}

std::string with_default_extension(std::string_view profile_argument) {
  std::string name(profile_argument);
  if (name.size() < 4 || name[name.size() - 4] != '.') name += kDefaultExtension;
  return name;
}

ProfileLocation locate_profile(const platform::FileSystem& files,
                               std::string_view profile_argument, bool search) {
  ProfileLocation location;
  std::string name = with_default_extension(profile_argument);
  if (text::to_upper_ascii(profile_argument) == "GLOBAL") {
    name = kGlobalSensorFile;
    location.global = true;
  }

  std::size_t separator = std::string::npos;
  for (std::size_t i = name.size(); i-- > 0;) {
    if (platform::is_directory_separator(name[i])) {
      separator = i;
      break;
    }
  }
  // A separator in the first position is the root, not a directory split.
  std::string argument_directory;
  if (separator != std::string::npos && separator >= 1) {
    argument_directory = name.substr(0, separator + 1);
    name.erase(0, separator + 1);
  }
  if (text::to_upper_ascii(name) == "GLOBAL.P00") {
    location.global = true;
    name = kGlobalSensorFile;
  }
  location.file_name = name;

  if (!search) {
    location.program_directory = argument_directory;
    location.shown_name = argument_directory + name;
    location.file = open_readable(files, location.shown_name);
    return location;
  }

  // The sensor directory search ignores a directory given with the argument.
  location.shown_name = name;
  if (std::optional<std::string> root = installation_directory(files)) {
    std::string directory = std::move(*root);
    if (files.can_open(directory + std::string(kInstallationSensorDirectory) + name)) {
      directory += kInstallationSensorDirectory;
    }
    if (files.can_open(directory + std::string(kSensorDirectory) + name)) {
      directory += kSensorDirectory;
    }
    location.file = open_readable(files, directory + name);
    if (location.file != nullptr) location.program_directory = std::move(directory);
    return location;
  }

  location.file = open_readable(files, name);
  for (std::size_t i = 0; location.file == nullptr && i < kFixedCandidates.size(); ++i) {
    location.file = open_readable(files, std::string(kFixedCandidates[i]) + name);
    if (location.file != nullptr) location.program_directory = kFixedCandidates[i];
  }
  return location;
}

}  // namespace keldar
