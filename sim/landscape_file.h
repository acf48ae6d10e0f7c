// Reading a landscape file: JSON text checked key by key, defaults filled
// in, identifiers assigned.
#pragma once

#include <stdexcept>
#include <string>

#include "landscape.h"

namespace rfcsim {

// A landscape file that cannot be used. The message names the file and
// where in it the problem lies (line and column of a JSON syntax error, or
// the path of the offending key).
class LandscapeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The landscape file to read: the environment variable RFCSIM_LANDSCAPE if
// set and not empty, otherwise "rfcsim.json" in the working directory.
std::string landscape_file_name();

// Reads and checks `file`. Throws LandscapeError.
Landscape read_landscape(const std::string& file);

// Parses landscape JSON text; `file` is only used in messages.
Landscape parse_landscape(const std::string& text, const std::string& file);

}  // namespace rfcsim
