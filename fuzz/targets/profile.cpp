// The system profile: its key lines, stored password and "# Mon" lines.
// The input's first line is the sensor name searched for, the rest is the
// profile. What reads without fault must also survive being written back as
// keldar-profile writes it: the values that can be written read back
// unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "config/config_lines.h"
#include "config/password.h"
#include "config/profile_writer.h"
#include "config/system_profile.h"
#include "text/ascii.h"
#include "text/fixed_field.h"

namespace {

using namespace keldar;

void check_round_trip(const SystemProfile& read) {
  SystemProfile written;
  for (const ProfileKey& key : kProfileKeys) {
    if (key.field == &SystemProfile::password) continue;
    if (profile_value_refusal(key, read.*key.field).empty()) written.*key.field = read.*key.field;
  }
  std::string stored;
  if (is_storable_password(read.password)) {
    stored = scramble_password(read.password, read.password.size());
    written.password = read.password;
  }
  std::string text = format_profile(written, stored, {});
  auto lines = text::memory_reader(text, kConfigLineChars);
  SystemProfile again;
  std::string definition;
  if (read_profile(lines, "", again, definition) != ProfileRead::ok) {
    std::fprintf(stderr, "a written profile does not read:\n%s\n", text.c_str());
    std::abort();
  }
  for (const ProfileKey& key : kProfileKeys) {
    if (again.*key.field != written.*key.field) {
      std::fprintf(stderr, "%.*s reads back as \"%s\", written \"%s\"\n",
                   static_cast<int>(key.label.size()), key.label.data(),
                   (again.*key.field).c_str(), (written.*key.field).c_str());
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::size_t end = input.find('\n');
  std::string name = text::to_upper_ascii(input.substr(0, end));
  if (name.size() < 10) name = text::pad_right(name, 10);
  std::string_view profile_text = end == std::string_view::npos ? "" : input.substr(end + 1);

  auto lines = text::memory_reader(profile_text, kConfigLineChars);
  SystemProfile profile;
  std::string definition;
  if (read_profile(lines, name, profile, definition) != ProfileRead::ok) return 0;
  check_profile(profile);
  check_round_trip(profile);
  return 0;
}
