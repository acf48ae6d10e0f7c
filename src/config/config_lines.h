// The lines of a configuration file, read as the configuration readers
// read them: in pieces of a fixed number of characters (text/line_reader.h).
#pragma once

#include <cstddef>

#include "platform/file_system.h"
#include "text/line_reader.h"

namespace keldar {

// Characters per read of the profile and the sensor files.
inline constexpr std::size_t kConfigLineChars = 199;

// A reader of `file`'s lines in pieces of at most `max_chars` characters;
// `file` must outlive it.
inline text::LineReader config_lines(platform::InputFile& file,
                                     std::size_t max_chars = kConfigLineChars) {
  return text::LineReader(
      [&file](char* buffer, std::size_t size) { return file.read(buffer, size); }, max_chars);
}

}  // namespace keldar
