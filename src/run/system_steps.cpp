#include "run/system_steps.h"

#include "rfc/error_report.h"

namespace keldar {

ConnectionValues connection_values(const SystemProfile& p, const SensorDefinition& definition) {
  ConnectionValues v{p.destination,  p.client,        p.user,          p.password,
                     p.language,     p.mode,          p.host_name,     p.system_number,
                     p.gateway_host, p.gateway_service};
  if (definition.host_override) v.host_name = *definition.host_override;
  if (definition.system_number_override) v.system_number = *definition.system_number_override;
  return v;
}

RFC_HANDLE open_connection(RunContext& run, const SystemProfile& profile) {
  auto announce = [&run](std::string_view destination) {
    // Without trace mode standard output carries the result alone.
    if (run.trace_mode()) run.print("* SapRfc.Ini.......: " + std::string(destination) + "<\n");
  };
  return rfc_open(run.api, run.files, connection_values(profile, run.config.definition),
                  run.trace, announce, &run.progress);
}

std::string system_line(std::string_view time, std::string_view system_name,
                        const SystemProfile& profile) {
  std::string line = "* ";
  line += time;
  line += ' ';
  line += system_name;
  for (const std::string* field : {&profile.host_name, &profile.destination,
                                   &profile.system_number, &profile.client}) {
    line += ", ";
    line += *field;
  }
  return line;
}

std::string shown_parameters(std::string verbatim) {
  verbatim.resize(verbatim.find('#') == std::string::npos ? verbatim.size() : verbatim.find('#'));
  verbatim.resize(verbatim.find('@') == std::string::npos ? verbatim.size() : verbatim.find('@'));
  return verbatim;
}

void register_environment(RunContext& run, RFC_HANDLE handle) {
  run.trace.line(handle, "program started", run.invocation.program_path);
  install_error_report(run.api);
  register_error_handler(run.api);
  run.trace.line(handle, "RfcEnvironment called", "");
}

std::string now_processed_line(std::string_view time) {
  return "\n* " + std::string(time) + " SAP " + std::string(kProgramName) + " now processed...\n";
}

void close_connection(RunContext& run, SystemState& state) {
  if (state.handle == 0) return;
  run.api.RfcClose(state.handle);
  state.handle = 0;
}

}  // namespace keldar
