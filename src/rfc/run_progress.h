// Where a run stands: the system it works on, the RFC step it waits for,
// and whether its result is open on standard output. A watchdog on another
// thread reads it to say which system and which step did not answer.
#pragma once

#include <mutex>
#include <string>
#include <string_view>

namespace keldar {

class RunProgress {
 public:
  struct Snapshot {
    std::string system;
    std::string step;
    bool result_open = false;
  };

  void set_system(std::string_view system) {
    std::lock_guard<std::mutex> lock(mutex_);
    state_.system = system;
  }
  void set_step(std::string_view step) {
    std::lock_guard<std::mutex> lock(mutex_);
    state_.step = step;
  }
  void set_result_open(bool open) {
    std::lock_guard<std::mutex> lock(mutex_);
    state_.result_open = open;
  }
  Snapshot snapshot() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return state_;
  }

 private:
  mutable std::mutex mutex_;
  Snapshot state_;
};

}  // namespace keldar
