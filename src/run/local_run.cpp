#include "run/local_run.h"

#include "calls/system_info.h"
#include "calls/xmi_session.h"
#include "rfc/trace_scan.h"
#include "run/failure.h"
#include "run/modes.h"
#include "run/system_steps.h"

namespace keldar {

namespace {

// The end of a failed RFC step: the texts of the failed calls and the
// reason from the trace file become the error result. What the result had
// of the run is dropped: one document reaches the monitor.
int step_failure(RunContext& run, SystemState& state) {
  run.writer.clear();
  run.drop_result();
  run.print(error_document({0, state.error_texts, Ending::step_failure}, run.files));
  close_connection(run, state);
  return kFailureExitStatus;
}

}  // namespace

int local_run(RunContext& run) {
  const Configuration& config = run.config;
  const bool announced = run.trace_mode() && !config.parameters.has("MONITOR-SETS");
  if (announced) run.print(run.invocation.banner_line);

  run.hold_result = !run.trace_mode();
  run.progress.set_system(config.profile_file_name);
  SystemState state;
  register_environment(run, state.handle);
  run.writer.clear();

  if (announced) {
    run.print(system_line(run.now(), config.profile_file_name, config.profile) +
              " State=Processing\n");
    run.print("* " + run.now() + " " + shown_parameters(config.parameters.verbatim) +
              " State=Executing\n");
  }

  state.handle = open_connection(run, config.profile);
  if (state.handle == 0) {
    // The library's trace file tells why: a wrong password, an unknown host.
    state.error_texts = failure(Message::open_failed, {config.profile.destination}).text;
    return step_failure(run, state);
  }
  RfcSession session = session_of(run, state);

  driver_step(state, [&] { return call_rfc_system_info(session, state.info); });
  if (!state.call_ok) return step_failure(run, state);
  driver_step(state, [&] { return call_sxmi_versions_get(session, state.xal_version); });
  if (!state.call_ok) return step_failure(run, state);
  state.xmi = {std::string(kXalInterface), state.xal_version};
  driver_step(state, [&] {
    return call_bapi_xmi_logon(session, config.profile.external_company, state.xmi);
  });
  if (!state.call_ok) return step_failure(run, state);

  if (state.last_code == RFC_OK) run_modes(run, state);
  if (!state.call_ok) return step_failure(run, state);

  state.xmi.interface = kXalInterface;
  driver_step(state, [&] { return call_bapi_xmi_logoff(session, state.xmi); });
  close_connection(run, state);

  if (!state.call_ok) return step_failure(run, state);
  run.emit(run.writer.take());
  run.release_result();
  // The next failed run's reason must be its own.
  run.files.remove(kTraceFileName);
  if (run.trace_mode()) run.print(now_processed_line(run.now()));
  return 0;
}

}  // namespace keldar
