#include "run/modes.h"

#include <array>
#include <string_view>

#include "calls/monitor_lists.h"
#include "eval/evaluation.h"
#include "output/messages.h"
#include "text/fixed_field.h"

namespace keldar {

namespace {

// Views of literals: a std::string here would be built before main, where
// a failed allocation ends the process before any handler can answer.
constexpr std::string_view kShortHeader =
    "Tree-Value(s)...                               T Date...  Time \n";
constexpr std::string_view kShortRule =
    "---------------------------------------------------------------\n";
constexpr std::string_view kLongHeader =
    "Tree-Value(s)...                               T H Lv Lv Date...  Time  Date...  Time   "
    "Mtuid...  MTC\n";
constexpr std::string_view kLongRule =
    "-------------------------------------------------------------------------------------------"
    "----------\n";
static_assert(kShortRule.size() == 63 + 1 && kLongRule.size() == 101 + 1);

constexpr std::size_t kListLabelWidth = 46;
constexpr std::size_t kGradeChannelNameWidth = 46;

struct TriggerWindow {
  std::string_view channel;
};
constexpr std::array<TriggerWindow, kWindowCount> kTriggerWindows = {{
    {"Trigger last 05 Min"},
    {"Trigger last 10 Min"},
    {"Trigger last 30 Min"},
    {"Trigger latest Hour"},
    {"Trigger last 4 Hour"},
    {"Trigger of last Day"},
}};

// One monitor's evaluation in the modes of a local run.
class Modes {
 public:
  Modes(RunContext& run, SystemState& state) : run_(run), state_(state) {
    parameters_ = run.config.parameters;
  }

  void run() {
    const ParameterText& p = parameters_;
    state_.call_ok = false;
    const bool grades = p.has(",GRADES");

    // The listings are held with the result, so that a failure prints the
    // error document alone.
    if (p.has("MONITOR-SETS")) {
      run_.emit(kShortHeader);
      run_.emit(kShortRule);
      driver_step(state_, [&] {
        return call_ms_getlist(session(), profile().user, [this](std::string_view name) {
          run_.emit(monitor_set_line(name) + "\n");
        });
      });
      run_.emit(kShortRule);
    }
    if (!grades && p.has("MONITOR-SET=")) {
      run_.emit(kLongHeader);
      run_.emit(kLongRule);
    }
    const bool set_mode = text::starts_with(p.upper, "MSET=") || p.has("MONITOR-SET=");
    const bool monitor_mode = text::starts_with(p.upper, "MONITOR=");
    if (set_mode) monitor_set_mode(grades);
    if (monitor_mode) single_monitor_mode(grades);
    if (!p.has("MONITOR-SETS") && !set_mode && !monitor_mode) {
      // The run ends with the error result; it names the cause.
      state_.error_texts += message_text(Message::no_mode_selected);
    }
    if (!grades && (p.has("MONITOR(S)") || p.has("MONITOR-SET="))) run_.emit(kLongRule);
  }

 private:
  const SystemProfile& profile() const { return run_.config.profile; }
  const SensorDefinition& definition() const { return run_.config.definition; }
  RfcSession session() const { return session_of(run_, state_); }

  // Fetches and walks one monitor; the call status follows the fetch.
  WalkResult evaluate(std::string_view monitor_name, std::int32_t visibility,
                      const std::function<void(std::string_view)>& listing) {
    TreeFetch fetch;
    fetch.user = profile().user;
    fetch.max_depth = 0;
    fetch.monitor_name = monitor_name;
    fetch.monitor_set_name = definition().monitor_set_name;
    fetch.visibility_level = visibility;
    WalkRequest request;
    request.parameters = parameters_;
    request.trace_mode = run_.trace_mode();
    request.target_node_name = definition().node_id_text;
    request.target_node_id = definition().selection_value;
    request.system_name = run_.config.profile_file_name;
    request.host_name = profile().host_name;
    request.destination = profile().destination;
    request.description = profile().description;
    EvaluationContext context{run_.writer,
                              [this](std::string_view piece) { run_.emit(piece); },
                              listing,
                              state_.error_texts,
                              run_.measurement,
                              run_.clock,
                              profile().user};
    state_.call_ok = false;
    Evaluation evaluation = evaluate_monitor_tree(session(), fetch, request, context);
    state_.call_ok = evaluation.fetched;
    state_.last_code = evaluation.walk.code;
    return evaluation.walk;
  }

  void monitor_set_mode(bool grades) {
    parameters_.upper += ",ALL";
    std::vector<std::string> monitors;
    driver_step(state_, [&] {
      return call_mon_getlist(session(), profile().user, definition().monitor_set_name, monitors);
    });
    auto print = [this](std::string_view line) { run_.emit(line); };
    if (grades) {
      run_.begin_result();
      for (const std::string& monitor : monitors) {
        WalkResult walk = evaluate(monitor, 0, print);
        run_.writer.clear();
        // A monitor whose tree gave no node has no grade to show.
        if (!walk.node_grade) continue;
        std::string name = text::trim_right(text::cut(walk.node_line, kGradeChannelNameWidth));
        run_.writer.channel_write(name, std::to_string(*walk.node_grade), "State");
        run_.emit(run_.writer.take());
      }
      run_.writer.text_begin();
      run_.writer.append_text("(" + profile().destination + ") " +
                              definition().monitor_set_name + " ");
      run_.writer.text_end();
      run_.writer.result_end();
      return;
    }
    for (const std::string& monitor : monitors) {
      run_.emit(text::fit(monitor, kListLabelWidth) + " M : :: :: xx.xx.xx xx.xx ::.::.:: ::.::\n");
      evaluate(monitor, 3, print);
    }
  }

  void single_monitor_mode(bool grades) {
    run_.begin_result();
    // A result is open: the tree listing is no part of it, and shows only
    // in trace mode.
    auto listing = [this](std::string_view line) {
      if (run_.trace_mode()) run_.print(line);
    };
    WalkResult walk = evaluate(definition().monitor_name, grades ? 1 : 3, listing);

    const Measurement& m = run_.measurement;
    if (m.message_count > 0) {
      const char* unit = parameters_.has(",TIMED") ? "Tag" : "Msgs";
      for (std::size_t i = 0; i < kWindowCount; ++i) {
        run_.writer.channel_write(kTriggerWindows[i].channel, std::to_string(m.windows[i]), unit);
        run_.emit(run_.writer.take());
      }
    }

    run_.writer.text_begin();
    std::string text = "(" + profile().destination + ") ";
    std::string alert_line = m.alert_line;
    if (text::starts_with(alert_line, "  .")) alert_line.clear();
    if (alert_line.empty()) {
      text += "SAP Keldar: " + definition().monitor_name + ", " + walk.group_name + ", " +
              text::trim_right(walk.range_name);
    } else {
      for (char& c : alert_line) {
        if (c == '<' || c == '>') c = '*';
      }
      text += alert_line;
    }
    if (state_.call_ok && !state_.error_texts.empty()) {
      // Why a value, property or alert is missing, where the admin reads
      // it; used here, so a later failed step reports only its own.
      text += " - " + state_.error_texts;
      state_.error_texts.clear();
    }
    text += ' ';
    run_.writer.append_text(text);
    run_.writer.text_end();
    run_.writer.result_end();
  }

  RunContext& run_;
  SystemState& state_;
  ParameterText parameters_;
};

}  // namespace

void run_modes(RunContext& run, SystemState& state) { Modes(run, state).run(); }

}  // namespace keldar
