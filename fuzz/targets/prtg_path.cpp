// "C:\PRTG_Path.Txt": the installation root its lines name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "config/file_locations.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace keldar;
  auto lines = text::memory_reader({reinterpret_cast<const char*>(data), size}, kPathFileLineChars);
  std::optional<std::string> root = installation_root(lines);
  // A root is a directory prefix: it ends in a separator.
  if (root && (root->empty() || !platform::is_directory_separator(root->back()))) std::abort();
  return 0;
}
