// What the two run paths share: the invocation and configuration, the
// outside world (files, clock, RFC library, standard output), and the
// state of the whole process (structure handles, trace, result writer).
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "eval/measurement.h"
#include "output/result_writer.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/file_system.h"
#include "rfc/function_call.h"
#include "rfc/rfc_library.h"
#include "rfc/rfc_trace.h"
#include "rfc/run_progress.h"
#include "run/configuration.h"
#include "run/invocation.h"

namespace keldar {

struct RunContext {
  RunContext(const Invocation& invocation_in, const Configuration& config_in,
             const platform::FileSystem& files_in, const platform::Clock& clock_in,
             const RfcApi& api_in, std::function<void(std::string_view)> print_in,
             RunProgress& progress_in)
      : invocation(invocation_in),
        config(config_in),
        files(files_in),
        clock(clock_in),
        api(api_in),
        trace(files_in, config_in.parameters.has(",SYSLOG")),
        writer({invocation_in.output_mode, invocation_in.channel_selector}),
        progress(progress_in),
        print(std::move(print_in)) {}

  const Invocation& invocation;
  const Configuration& config;
  const platform::FileSystem& files;
  const platform::Clock& clock;
  const RfcApi& api;
  StructureHandles structures;
  RfcTrace trace;
  ResultWriter writer;
  Measurement measurement;
  // Outlives the run: what ends the run from outside (the time limit, the
  // last resort) reads it.
  RunProgress& progress;
  // Writes to standard output.
  std::function<void(std::string_view)> print;
  // The result's pieces are held until the run ends, so that a failure
  // after the result was opened still prints one document: the error
  // result. Trace mode, which is read by a person, prints them at once.
  bool hold_result = false;
  // In chunks of at least kHeldChunk bytes: a listing of a large tree grows
  // without the copies, and the peak of twice its size, of one string that
  // doubles.
  static constexpr std::size_t kHeldChunk = 64 * 1024;
  std::vector<std::string> held_result;

  // Opens the result: result_begin, emitted at once.
  void begin_result() {
    writer.result_begin();
    emit(writer.take());
    if (!hold_result) progress.set_result_open(true);
  }

  // Prints a piece of the result, or holds it.
  void emit(std::string_view piece) {
    if (hold_result) {
      if (held_result.empty() || held_result.back().size() + piece.size() > held_result.back().capacity()) {
        held_result.emplace_back().reserve(std::max(kHeldChunk, piece.size()));
      }
      held_result.back() += piece;
    } else {
      print(piece);
    }
  }
  // Drops what is held (a failed run prints its error result instead).
  void drop_result() { held_result.clear(); }
  // Prints what is held; the result is complete then.
  void release_result() {
    {
      platform::ConsoleHold together;
      for (const std::string& chunk : held_result) print(chunk);
    }
    held_result.clear();
    progress.set_result_open(false);
  }

  bool trace_mode() const { return invocation.trace_mode; }
  // The current local time as "hh:mm:ss".
  std::string now() const { return platform::clock_time(clock.local(clock.now())); }
};

}  // namespace keldar
