// Standard output of the sensor.
#pragma once

#include <string_view>

namespace keldar::platform {

// Puts standard output into binary mode, so the bytes written are the same
// on every platform (no CR added before LF on Windows).
void console_init();

// Writes text to standard output and flushes it, so the monitor sees each
// piece as soon as it is complete.
void console_write(std::string_view text);

// Writes text to standard error.
void console_error(std::string_view text);

}  // namespace keldar::platform
