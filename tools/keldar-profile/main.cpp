// keldar-profile: maintenance tool for the sensor's system profiles.
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "profile_tool.h"
#include "platform/console.h"
#include "platform/file_system.h"
#include "platform/program_location.h"

int main(int argc, char** argv) {
  // The same bytes as on Linux, as the sensor writes them: LF line ends.
  keldar::platform::console_init();
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
  // Each stored password gets its own offset and filler characters.
  std::random_device device;
  std::uint64_t seed = (static_cast<std::uint64_t>(device()) << 32) ^ device();
  keldar::platform::FileSystem files;
  // The library beside the tool, as the sensor loads the one beside itself.
  auto load_library = [](keldar::RfcLibrary& rfc) {
    return keldar::load_rfc_library(keldar::platform::executable_directory(), rfc);
  };
  return keldar::run_profile_tool(arguments, std::cin, std::cout, std::cerr, files, seed,
                                  load_library);
}
