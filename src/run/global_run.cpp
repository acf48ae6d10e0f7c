#include "run/global_run.h"

#include "calls/system_info.h"
#include "calls/xmi_session.h"
#include "config/config_lines.h"
#include "eval/evaluation.h"
#include "run/system_steps.h"
#include "text/fixed_field.h"

namespace keldar {

namespace {

constexpr std::string_view kSystemIdPlaceholder = "%S%";
constexpr std::string_view kHostPlaceholder = "%H%";
constexpr std::size_t kSystemIdWidth = 3;

// The profile of a list entry, read into fresh fields: nothing of the
// previous system is used. False when the file cannot be opened or read,
// its password does not decode or it is incomplete; no message is made.
bool read_system_profile(const RunContext& run, const std::string& name, SystemProfile& profile) {
  std::unique_ptr<platform::InputFile> file = run.files.open(run.config.program_directory + name);
  if (file == nullptr) return false;
  text::LineReader lines = config_lines(*file);
  std::string unused_definition;
  if (read_profile(lines, "", profile, unused_definition) != ProfileRead::ok) return false;
  return check_profile(profile) == ProfileCheck::complete;
}

// The RFC work of one system. Steps run only while nothing has failed; a
// system that failed before the open is not connected to at all, since a
// logon with data known to be bad counts against the SAP user.
void measure_system(RunContext& run, const std::string& system_name,
                    const SystemProfile& profile, SystemState& state, bool& node_found) {
  const SensorDefinition& definition = run.config.definition;
  if (!state.failed) {
    state.handle = open_connection(run, profile);
    if (state.handle == 0) state.failed = true;
  }
  RfcSession session = session_of(run, state);
  auto step = [&](auto driver) {
    if (state.failed) return;
    driver_step(state, driver);
    if (!state.call_ok) state.failed = true;
  };
  step([&] { return call_rfc_system_info(session, state.info); });
  const std::string node_name = replace_placeholders(definition.global_grade_value,
                                                     state.info.system_id, state.info.host);
  const std::string sub_node_name =
      replace_placeholders(definition.node_id_text, state.info.system_id, state.info.host);
  step([&] { return call_sxmi_versions_get(session, state.xal_version); });
  state.xmi = {std::string(kXalInterface), state.xal_version};
  step([&] { return call_bapi_xmi_logon(session, profile.external_company, state.xmi); });
  if (!state.failed) {
    // The evaluation writes and prints the system's channel itself; its
    // outcome shows in the found flag, not in the call status.
    TreeFetch fetch;
    fetch.user = profile.user;
    fetch.monitor_name = definition.monitor_name;
    fetch.monitor_set_name = definition.monitor_set_name;
    fetch.max_depth = 0;
    fetch.visibility_level = 3;
    WalkRequest request;
    request.parameters = run.config.parameters;
    request.global_run = true;
    request.trace_mode = run.trace_mode();
    request.target_node_name = definition.node_id_text;
    request.target_node_id = definition.selection_value;
    request.global_node_name = node_name;
    request.global_sub_node_name = sub_node_name;
    request.system_name = system_name;
    request.host_name = profile.host_name;
    request.destination = profile.destination;
    request.description = profile.description;
    EvaluationContext context{run.writer,         run.print,  run.print, state.error_texts,
                              run.measurement,    run.clock,  profile.user};
    state.call_ok = false;
    Evaluation evaluation = evaluate_monitor_tree(session, fetch, request, context);
    state.call_ok = evaluation.fetched;
    state.last_code = evaluation.walk.code;
    node_found = evaluation.walk.global_node_found;
  }
  step([&] { return call_bapi_xmi_logoff(session, state.xmi); });
  close_connection(run, state);
}

}  // namespace

std::string_view state_text(SystemOutcome outcome) {
  switch (outcome) {
    case SystemOutcome::processed: return "Processed";
    case SystemOutcome::not_found: return "Not Found";
    case SystemOutcome::rfc_failure: return "Rfc Failure";
  }
  return "Rfc Failure";
}

SystemOutcome classify(bool failed, bool call_ok, bool node_found) {
  if (failed || !call_ok) return SystemOutcome::rfc_failure;
  return node_found ? SystemOutcome::processed : SystemOutcome::not_found;
}

std::string replace_placeholders(std::string name, std::string_view system_id,
                                 std::string_view system_host) {
  const std::string id = text::fit(system_id, kSystemIdWidth);
  for (std::size_t at = name.find(kSystemIdPlaceholder); at != std::string::npos;
       at = name.find(kSystemIdPlaceholder, at + kSystemIdWidth)) {
    name.replace(at, kSystemIdPlaceholder.size(), id);
  }
  // The host field is blank-padded to 8 characters; a node name never ends
  // in blanks, so a padded host could never be found.
  std::size_t host = name.find(kHostPlaceholder);
  if (host != std::string::npos) {
    name.replace(host, kHostPlaceholder.size(), text::trim_right(system_host));
  }
  return name;
}

std::string summary_text(std::string_view node_template, std::string_view sub_node_template,
                         unsigned systems, unsigned processed, unsigned failed) {
  std::string text = "(***) ";
  text += node_template;
  if (sub_node_template != "None") {
    text += ", ";
    text += sub_node_template;
  }
  text += ": NoSystems=" + std::to_string(systems) + ", Processed=" + std::to_string(processed) +
          ", Failed=" + std::to_string(failed) + " ";
  return text;
}

int global_run(RunContext& run) {
  const Configuration& config = run.config;
  if (run.trace_mode()) {
    run.print(run.invocation.banner_line + "\n");
    run.print("* " + run.invocation.start_time + " " + shown_parameters(config.parameters.verbatim) +
              " State=Executing\n");
  }
  run.begin_result();

  unsigned systems = 0, processed = 0, failed = 0;
  std::string list = config.definition.system_list;
  while (!list.empty()) {
    ++systems;
    std::size_t end = list.find('#');
    std::string name = list.substr(0, end);
    list.erase(0, end == std::string::npos ? list.size() : end + 1);

    run.progress.set_system(name);
    SystemProfile profile;
    SystemState state;
    state.failed = !read_system_profile(run, name, profile);
    const std::string line = run.trace_mode() ? system_line(run.now(), name, profile) : "";
    register_environment(run, state.handle);
    run.writer.clear();

    bool node_found = false;
    measure_system(run, name, profile, state, node_found);

    SystemOutcome outcome = classify(state.failed, state.call_ok, node_found);
    ++(outcome == SystemOutcome::processed ? processed : failed);
    if (run.trace_mode()) {
      run.print("\n" + line + " State=" + std::string(state_text(outcome)) + "\n");
    }
  }

  // Texts that a failing last system left behind are no part of the summary.
  run.writer.clear();
  run.writer.text_begin();
  run.writer.append_text(summary_text(config.definition.global_grade_value,
                                      config.definition.node_id_text, systems, processed, failed));
  run.writer.text_end();
  run.writer.result_end();
  run.emit(run.writer.take());
  run.progress.set_result_open(false);
  if (run.trace_mode()) run.print(now_processed_line(run.now()));
  return 0;
}

}  // namespace keldar
