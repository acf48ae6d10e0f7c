// Steps and texts that the local and the global run share.
#pragma once

#include <string>
#include <string_view>

#include "calls/call_result.h"
#include "calls/system_info.h"
#include "calls/xmi_session.h"
#include "config/sensor_definition.h"
#include "config/system_profile.h"
#include "rfc/connection.h"
#include "run/run_context.h"

namespace keldar {

// Where the RFC work of one system stands; a fresh one for every system.
struct SystemState {
  RFC_HANDLE handle = 0;
  bool call_ok = false;    // the call status: true ("OK") after the last driver succeeded
  int last_code = RFC_OK;  // the result code of the last driver
  bool failed = false;     // the system status: true ("X") after the first failure
  SystemInfo info;
  std::string xal_version = "   ";
  XmiSession xmi;
  // The texts of the failed calls, in order. They are kept apart from the
  // result, so that no error text lands inside a printed document; a failed
  // step makes them the error result.
  std::string error_texts;
};

// Runs one driver step: the call status is "ERR" until the driver succeeds;
// a failed driver's text joins the error texts.
template <typename Driver>
void driver_step(SystemState& state, Driver&& driver) {
  state.call_ok = false;
  CallResult result = driver();
  state.last_code = result.code;
  state.call_ok = result.ok();
  state.error_texts += result.error_text;
}

// The session of the open connection.
inline RfcSession session_of(RunContext& run, const SystemState& state) {
  return {run.api, state.handle, run.structures, run.trace, &run.progress};
}

// The connection values of a profile, with the host name and system number
// of ",HOST=" and ",NO=" in place of the profile's.
ConnectionValues connection_values(const SystemProfile& profile,
                                   const SensorDefinition& definition);

// Opens the connection of `profile`; in trace mode the destination file
// copied to "SapRfc.ini" is named on standard output.
RFC_HANDLE open_connection(RunContext& run, const SystemProfile& profile);

// The trace-mode line of a system: "* hh:mm:ss NAME, HOST, DESTINATION,
// SYSNR, CLIENT".
std::string system_line(std::string_view time, std::string_view system_name,
                        const SystemProfile& profile);

// The verbatim parameter text as trace lines show it: cut at its first "#"
// and at its first "@".
std::string shown_parameters(std::string verbatim);

// Registers the RFC error handler, each step followed by its trace line.
void register_environment(RunContext& run, RFC_HANDLE handle);

// The trace line that ends a run: "\n* hh:mm:ss SAP Keldar now processed...\n".
std::string now_processed_line(std::string_view time);

// Closes the connection of `state` if one is open.
void close_connection(RunContext& run, SystemState& state);

}  // namespace keldar
