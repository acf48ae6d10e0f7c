#include "platform/console.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace keldar::platform {

namespace {

std::mutex& output_mutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace

void console_write(std::string_view text) {
  std::lock_guard<std::mutex> lock(output_mutex());
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

void console_last_words(std::string_view text, int status) {
  // The lock is never released: whoever writes next waits for the end.
  output_mutex().lock();
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
  std::_Exit(status);
}

void console_error(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

}  // namespace keldar::platform
