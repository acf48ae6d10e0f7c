// Failures as values: what went wrong, in the words of the message table,
// and how it ends the run.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "output/messages.h"

namespace keldar {

// How a failure ends a local run. Every ending prints the error document
// and exits with status 2; they differ in what the document's text holds.
enum class Ending {
  // The message alone: the start phase, a connection that did not open.
  error_result,
  // The message with the reason from the RFC library's trace file, which is
  // kept for the next run: a failed RFC step.
  step_failure,
};

struct Failure {
  int number = 0;  // the message's number, 0 for texts without one
  std::string text;
  Ending ending = Ending::error_result;
};

// The failure of message `id` with its pieces filled in.
Failure failure(Message id, std::initializer_list<std::string_view> pieces = {},
                Ending ending = Ending::error_result);

// Exit status of a run that ends with a failure.
inline constexpr int kFailureExitStatus = 2;

}  // namespace keldar
