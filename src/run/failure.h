// Failures as values: what went wrong, in the words of the message table,
// and how it ends the run.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "output/messages.h"
#include "output/result_writer.h"
#include "platform/file_system.h"
#include "rfc/rfc_library.h"

namespace keldar {

// How a failure ends a run. Every ending prints the error document and
// exits with status 2; they differ in what the document's text holds.
enum class Ending {
  // The text alone: the command line, the start phase, the library.
  error_result,
  // The text with the reason from the RFC library's trace file after it,
  // which is kept for the next run: a connection that did not open, a
  // failed RFC step.
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

// Error 1010 in the form that fits how loading the RFC library went; none
// when it loaded.
std::optional<Failure> library_failure(const RfcLibraryLoad& load);

// " - " and the reason from the RFC library's trace file, or what says why
// there is none.
std::string trace_suffix(const platform::FileSystem& files);

// The error document that ends a run with `failure`: error_result of its
// text, with trace_suffix after it for a step failure.
std::string error_document(const Failure& failure, const platform::FileSystem& files);

// The last text of a run that `message` ends early: the error document; or,
// when the run's result is already open on standard output, the message
// text and the end of that result, which close it, so that standard output
// holds one document and keeps what was printed before.
std::string ending_text(std::string_view message, bool result_open, const WriterOptions& options);

// Exit status of a run that ends with a failure.
inline constexpr int kFailureExitStatus = 2;

}  // namespace keldar
