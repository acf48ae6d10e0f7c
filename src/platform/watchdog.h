// A watchdog: calls a function on a thread of its own when a time has run
// out, unless it was stopped first.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace keldar::platform {

class Watchdog {
 public:
  // Starts the clock: `expire` runs on the watchdog's thread after
  // `timeout`, unless the watchdog is destroyed first.
  Watchdog(std::chrono::milliseconds timeout, std::function<void()> expire);
  // Stops the clock and waits for the thread (which may be inside `expire`).
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

 private:
  std::mutex mutex_;
  std::condition_variable stop_;
  bool stopped_ = false;
  std::thread thread_;
};

}  // namespace keldar::platform
