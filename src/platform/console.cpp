#include "platform/console.h"

#include <cstdio>
#include <mutex>

namespace keldar::platform {

namespace {

// Recursive: a thread that holds the console writes on.
std::recursive_mutex& output_mutex() {
  static std::recursive_mutex mutex;
  return mutex;
}

}  // namespace

void console_write(std::string_view text) {
  std::lock_guard<std::recursive_mutex> lock(output_mutex());
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

void console_last_words(std::string_view text, int status) {
  // The lock is never released: whoever writes next waits for the end.
  output_mutex().lock();
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
  end_process(status);
}

ConsoleHold::ConsoleHold() { output_mutex().lock(); }

ConsoleHold::~ConsoleHold() { output_mutex().unlock(); }

void console_error(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

}  // namespace keldar::platform
