// Standard output of the sensor.
#pragma once

#include <string_view>

namespace keldar::platform {

// Puts standard output into binary mode, so the bytes written are the same
// on every platform (no CR added before LF on Windows).
void console_init();

// Writes text to standard output and flushes it, so the monitor sees each
// piece as soon as it is complete. Writes from several threads do not mix.
void console_write(std::string_view text);

// Writes the last text of the process and ends it at once with `status`,
// from any thread, without running destructors: nothing else is written
// to standard output afterwards.
[[noreturn]] void console_last_words(std::string_view text, int status);

// While it lives, writes from other threads (the time limit's last words)
// wait: the writes of this thread stay together.
class ConsoleHold {
 public:
  ConsoleHold();
  ~ConsoleHold();
  ConsoleHold(const ConsoleHold&) = delete;
  ConsoleHold& operator=(const ConsoleHold&) = delete;
};

// Writes text to standard error.
void console_error(std::string_view text);

// Ends the process at once with `status`: no destructors, and no unload code
// of the loaded libraries, which could wait for a call that another thread
// is blocked in.
[[noreturn]] void end_process(int status);

}  // namespace keldar::platform
