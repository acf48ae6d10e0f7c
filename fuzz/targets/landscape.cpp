// The simulator's landscape parser: any text is a landscape or a
// LandscapeError, never a crash or another exception.
#include <cstddef>
#include <cstdint>
#include <string>

#include "landscape_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    rfcsim::parse_landscape(std::string(reinterpret_cast<const char*>(data), size), "fuzz.json");
  } catch (const rfcsim::LandscapeError&) {
  }
  return 0;
}
