// Reading a text file line by line the way a fixed-buffer reader does.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace keldar::platform {

// Splits file content into the pieces that successive reads of at most
// max_chars characters return: a read stops after a line feed or when
// max_chars characters (line feed included) have been taken, so a longer
// line comes back in several pieces. CR LF counts as one line feed on every
// platform, and the line end is removed from each piece.
std::vector<std::string> read_lines(std::string_view content, std::size_t max_chars);

}  // namespace keldar::platform
