#include "platform/watchdog.h"

#include <utility>

namespace keldar::platform {

Watchdog::Watchdog(std::chrono::milliseconds timeout, std::function<void()> expire) {
  thread_ = std::thread([this, timeout, expire = std::move(expire)] {
    std::unique_lock<std::mutex> lock(mutex_);
    if (stop_.wait_for(lock, timeout, [this] { return stopped_; })) return;
    lock.unlock();
    expire();
  });
}

Watchdog::~Watchdog() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopped_ = true;
  }
  stop_.notify_all();
  thread_.join();
}

}  // namespace keldar::platform
