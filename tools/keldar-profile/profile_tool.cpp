#include "profile_tool.h"

#include <array>
#include <istream>
#include <optional>
#include <ostream>
#include <string_view>
#include <variant>

#include "config/config_lines.h"
#include "config/file_locations.h"
#include "config/password.h"
#include "config/profile_writer.h"
#include "config/sensor_line.h"
#include "config/system_profile.h"
#include "connection_test.h"
#include "run/failure.h"
#include "run/invocation.h"
#include "run/start_phase.h"
#include "run/version.h"
#include "text/ascii.h"

namespace keldar {

namespace {

constexpr std::string_view kUsage =
    "Usage:\n"
    "  keldar-profile scramble\n"
    "      Reads a password (one line) from standard input and prints its\n"
    "      stored form for the \"Password...:\" line.\n"
    "  keldar-profile check PROFILE\n"
    "      Reads PROFILE as the sensor does and shows its values, or the\n"
    "      sensor's error text.\n"
    "  keldar-profile create PROFILE [--force] --extcompany TEXT\n"
    "      --destination TEXT --client TEXT --user TEXT --language TEXT\n"
    "      --mode TEXT --hostname TEXT --sysnr TEXT --gwhost TEXT\n"
    "      --gwservice TEXT [--description TEXT] [--datclient TEXT]\n"
    "      [--mon NAME=DEFINITION]...\n"
    "      Writes PROFILE; the password is read (one line) from standard input.\n"
    "      An existing file is replaced only with --force.\n"
    "  keldar-profile test PROFILE\n"
    "      Connects to the system of PROFILE as the sensor does, with the RFC\n"
    "      library beside this program, and reports the system, the version of\n"
    "      XAL and the monitor sets, or the step that failed. One logon attempt.\n"
    "  keldar-profile --version\n"
    "  keldar-profile --help\n"
    "\n"
    "PROFILE gets the extension \".P00\" unless its fourth character from the\n"
    "end is a dot. Passwords have 2 to 20 characters from \"!\" to \"~\".\n";

constexpr std::string_view kMaskedPassword = "********";

// The options of "create" for the key lines, by label.
struct FieldOption {
  std::string_view option;
  std::string_view label;
};

constexpr std::array<FieldOption, 12> kFieldOptions = {{
    {"--extcompany", "Extcompany.:"},
    {"--destination", "Destination:"},
    {"--client", "Client.....:"},
    {"--user", "User.......:"},
    {"--language", "Language...:"},
    {"--mode", "Mode.......:"},
    {"--hostname", "Hostname...:"},
    {"--sysnr", "Sysnr......:"},
    {"--gwhost", "Gwhost.....:"},
    {"--gwservice", "Gwservice..:"},
    {"--description", "Description:"},
    {"--datclient", "DatClient..:"},
}};

const ProfileKey* key_for_label(std::string_view label) {
  for (const ProfileKey& key : kProfileKeys) {
    if (key.label == label) return &key;
  }
  return nullptr;
}

int refuse(std::ostream& err, std::string_view reason) {
  err << "keldar-profile: " << reason << '\n';
  return 2;
}

// One line of standard input without its line end.
std::string read_password_line(std::istream& in) {
  std::string line;
  std::getline(in, line);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::string file_name_of(std::string_view path) {
  for (std::size_t i = path.size(); i-- > 0;) {
    if (platform::is_directory_separator(path[i])) return std::string(path.substr(i + 1));
  }
  return std::string(path);
}

int scramble(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out,
             std::ostream& err, std::uint64_t seed) {
  if (arguments.size() != 1) return refuse(err, "scramble takes no arguments");
  std::string password = read_password_line(in);
  std::string refusal = password_refusal(password);
  if (!refusal.empty()) return refuse(err, refusal);
  out << scramble_password(password, seed) << '\n';
  return 0;
}

// The profile at `path`, read and checked with the sensor's own reader, or
// the sensor's error text.
std::variant<SystemProfile, Failure> read_checked_profile(const std::string& path,
                                                          const platform::FileSystem& files) {
  const std::string name = file_name_of(path);
  SystemProfile profile;
  std::unique_ptr<platform::InputFile> file = files.open(path);
  if (file == nullptr) return failure(Message::profile_missing, {path});
  std::string unused_definition;
  text::LineReader lines = config_lines(*file);
  ProfileRead read = read_profile(lines, std::string_view(), profile, unused_definition);
  if (read == ProfileRead::unreadable) return failure(Message::profile_missing, {path});
  if (auto error = profile_failure(read, name)) return *error;
  if (auto error = profile_failure(check_profile(profile), name)) return *error;
  return profile;
}

int report(std::ostream& err, const Failure& failure) {
  err << failure.text << '\n';
  return 2;
}

int check(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
          const platform::FileSystem& files) {
  if (arguments.size() != 2) return refuse(err, "check takes one PROFILE");
  const std::string path = with_default_extension(arguments[1]);
  auto read = read_checked_profile(path, files);
  if (const Failure* error = std::get_if<Failure>(&read)) return report(err, *error);
  const SystemProfile& profile = std::get<SystemProfile>(read);

  for (const ProfileKey& key : kProfileKeys) {
    std::string_view value =
        key.field == &SystemProfile::password ? kMaskedPassword : profile.*key.field;
    out << key.label;
    if (!value.empty()) out << ' ' << value;
    out << '\n';
  }
  // The local sensors as they stand in the file.
  std::unique_ptr<platform::InputFile> file = files.open(path);
  if (file == nullptr) return report(err, failure(Message::profile_missing, {path}));
  text::LineReader again = config_lines(*file);
  std::string line;
  while (again.next(line)) {
    if (text::starts_with(line, kLocalSensorKind)) out << line << '\n';
  }
  out << "Profile " << path << " is complete.\n";
  return 0;
}

int create(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out,
           std::ostream& err, const platform::FileSystem& files, std::uint64_t seed) {
  if (arguments.size() < 2 || arguments[1].rfind("--", 0) == 0) {
    return refuse(err, "create needs a PROFILE before its options");
  }
  const std::string path = with_default_extension(arguments[1]);
  SystemProfile profile;
  std::vector<LocalSensor> sensors;
  std::array<bool, kFieldOptions.size()> given{};
  bool force = false;

  for (std::size_t i = 2; i < arguments.size(); ++i) {
    std::string option = arguments[i];
    std::optional<std::string> value;
    // "--name=value" and "--name value" both work.
    if (std::size_t equals = option.find('='); option.rfind("--", 0) == 0 &&
                                               equals != std::string::npos) {
      value = option.substr(equals + 1);
      option.resize(equals);
    }
    if (option == "--force") {
      if (value) return refuse(err, "--force takes no value");
      force = true;
      continue;
    }
    if (!value) {
      if (i + 1 >= arguments.size()) return refuse(err, option + " needs a value");
      value = arguments[++i];
    }
    if (option == "--mon") {
      std::size_t equals = value->find('=');
      if (equals == std::string::npos) return refuse(err, "--mon needs NAME=DEFINITION");
      LocalSensor sensor{value->substr(0, equals), value->substr(equals + 1)};
      std::string refusal = local_sensor_refusal(sensor);
      if (!refusal.empty()) return refuse(err, refusal);
      sensors.push_back(std::move(sensor));
      continue;
    }
    std::size_t field = 0;
    while (field < kFieldOptions.size() && kFieldOptions[field].option != option) ++field;
    if (field == kFieldOptions.size()) return refuse(err, "unknown option " + option);
    const ProfileKey& key = *key_for_label(kFieldOptions[field].label);
    std::string refusal = profile_value_refusal(key, *value);
    if (!refusal.empty()) return refuse(err, std::string(option) + ": " + refusal);
    profile.*key.field = *value;
    given[field] = true;
  }
  for (std::size_t field = 0; field < kFieldOptions.size(); ++field) {
    if (!given[field] && key_for_label(kFieldOptions[field].label)->minimum > 0) {
      return refuse(err, std::string(kFieldOptions[field].option) + " is required");
    }
  }
  if (!force && files.can_open(path)) {
    return refuse(err, path + " exists; --force replaces it");
  }

  std::string password = read_password_line(in);
  std::string refusal = password_refusal(password);
  if (!refusal.empty()) return refuse(err, refusal);

  if (!files.write(path, format_profile(profile, scramble_password(password, seed), sensors))) {
    return refuse(err, "cannot write " + path);
  }
  out << "Profile " << path << " written.\n";
  return 0;
}

// The connection check; the report goes to `out`, failures included.
int test(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
         const platform::FileSystem& files, const RfcLibraryLoader& load_library) {
  if (arguments.size() != 2) return refuse(err, "test takes one PROFILE");
  const std::string path = with_default_extension(arguments[1]);
  auto read = read_checked_profile(path, files);
  if (const Failure* error = std::get_if<Failure>(&read)) return report(err, *error);
  RfcLibrary rfc;
  RfcLibraryLoad load = load_library(rfc);
  if (load.outcome != RfcLibraryLoad::Outcome::loaded) {
    return report_library_failure(file_name_of(path), load, out);
  }
  return run_connection_test(file_name_of(path), std::get<SystemProfile>(read), rfc.api, files,
                             out);
}

}  // namespace

int run_profile_tool(const std::vector<std::string>& arguments, std::istream& in,
                     std::ostream& out, std::ostream& err, const platform::FileSystem& files,
                     std::uint64_t seed, const RfcLibraryLoader& load_library) {
  if (arguments.empty()) {
    err << kUsage;
    return 2;
  }
  const std::string& command = arguments[0];
  if (command == "--help" || command == "-h" || command == "help") {
    out << kUsage;
    return 0;
  }
  if (command == "--version") {
    out << "keldar-profile, SAP " << kProgramName << ' ' << version_text() << '\n';
    return 0;
  }
  if (command == "scramble") return scramble(arguments, in, out, err, seed);
  if (command == "check") return check(arguments, out, err, files);
  if (command == "create") return create(arguments, in, out, err, files, seed);
  if (command == "test") return test(arguments, out, err, files, load_library);
  err << "keldar-profile: unknown command " << command << "\n\n" << kUsage;
  return 2;
}

}  // namespace keldar
