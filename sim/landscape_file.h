// Reading a landscape file: JSON text checked key by key, defaults filled
// in, identifiers assigned.
#pragma once

#include <memory>
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

// The landscape of `file` as it reads now, for an open. The file is read at
// every call; when its content and the working directory (against which
// the call log's name is resolved) are those of the previous call, that
// call's landscape is shared instead of parsed again. Throws LandscapeError.
std::shared_ptr<const Landscape> load_landscape(const std::string& file);

}  // namespace rfcsim
