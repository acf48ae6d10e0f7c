#include "eval/evaluation.h"

#include <cstdio>
#include <cstring>

#include "calls/alerts.h"
#include "calls/mte_properties.h"
#include "calls/mte_values.h"
#include "eval/reports.h"
#include "eval/time_windows.h"
#include "text/ascii.h"
#include "text/fixed_field.h"

namespace keldar {

namespace {

constexpr std::size_t kTextValueWidth = 20;
constexpr std::string_view kNewestUnset = "00000000000000";

bool is_number(std::string_view text) {
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  if (text.empty()) return false;
  for (char c : text) {
    if (!text::is_digit(c)) return false;
  }
  return true;
}

// The rows of the fetched table, read line by line as the walk asks.
class TableRows : public TreeRows {
 public:
  TableRows(const RfcSession& session, ITAB_H table)
      : session_(session), table_(table), count_(table_lines(session, table)) {}
  unsigned count() const override { return count_; }
  TreeRow row(unsigned number) const override {
    BapitndextRecord record;
    std::memcpy(&record, table_line(session_, kTreeNodes, table_, number), sizeof record);
    return TreeRow(record);
  }

 private:
  const RfcSession& session_;
  ITAB_H table_;
  unsigned count_;
};

// The walk's world: channels through the writer, values, properties,
// alerts and reports through the function modules.
class RfcWorld : public WalkWorld {
 public:
  RfcWorld(const RfcSession& session, const WalkRequest& request, EvaluationContext& context)
      : session_(session), request_(request), c_(context), m_(context.measurement) {}

  void channel(std::string_view name, std::string_view value, std::string_view unit,
               std::string_view key) override {
    c_.writer.channel_write(name, value, unit, key);
    c_.emit(c_.writer.take());
  }

  void print(std::string_view text) override { c_.print(text); }

  Reading performance_value(const TreeRow& row) override {
    MteQuery query{c_.user, row.mte_identifier()};
    std::string raw_unit;
    // Without its property the value has no unit; never another element's.
    if (!note(call_perf_prop(session_, query, raw_unit)).ok()) raw_unit.clear();
    m_.raw_unit = raw_unit;
    m_.unit = text::trim_right(raw_unit);
    PerformanceValue value;
    CallResult result = note(call_perf_value(session_, query, value));
    if (!result.ok()) return {result.code, false, "", ""};
    return {result.code, true, std::to_string(value.last), m_.unit};
  }

  Reading text_property(const TreeRow& row) override {
    std::string property;
    CallResult result = text_property_step(row, property);
    if (!result.ok()) return {result.code, false, "", ""};
    Reading reading = text_reading(property);
    reading.code = result.code;
    return reading;
  }

  std::optional<int> report(Report kind, const TreeRow& row) override {
    const std::string_view mtclass = row.mtclass();
    switch (kind) {
      case Report::timed:
        if (mtclass != "050" && mtclass != "070" && mtclass != "199") return std::nullopt;
        ++m_.message_count;
        grade_channel(row);
        trace(report_trace(row, true, 2));
        state_change(m_, row, c_.clock);
        return std::nullopt;
      case Report::last_state:
        grade_channel(row);
        trace(report_trace(row, true, 1));
        timed_sentence(row);
        if (has(",NOTE")) return note_step(row);
        return std::nullopt;
      case Report::value:
        trace(report_trace(row, false, 1));
        timed_sentence(row);
        return std::nullopt;
    }
    return std::nullopt;
  }

 private:
  bool has(std::string_view keyword) const { return request_.parameters.has(keyword); }
  void trace(std::string_view text) {
    if (request_.trace_mode) c_.print(text);
  }
  // A failed call of the walk is no reason to end the run; its text is
  // kept, once however often the call fails, for the result's message.
  CallResult note(CallResult result) {
    const std::string& text = result.error_text;
    const bool known = ("; " + c_.error_texts + "; ").find("; " + text + "; ") != std::string::npos;
    if (!text.empty() && !known) {
      if (!c_.error_texts.empty()) c_.error_texts += "; ";
      c_.error_texts += text;
    }
    return result;
  }

  void grade_channel(const TreeRow& row) {
    std::string name(row.short_name());
    channel(name, std::to_string(row.grade()), "State", name);
  }

  // With ",TIMED" the last-state and value reports make the sentence too.
  void timed_sentence(const TreeRow& row) {
    if (!has(",TIMED")) return;
    ++m_.message_count;
    state_change(m_, row, c_.clock);
  }

  // The note of the last-state report, by the node's class.
  std::optional<int> note_step(const TreeRow& row) {
    const std::string_view mtclass = row.mtclass();
    MteQuery query{c_.user, row.mte_identifier()};
    if (mtclass == "102") {
      int code = status_value_step(query);
      trace(note_trace(m_.alert_text));
      return code;
    }
    if (mtclass == "101") {
      m_.alert_count = 0;
      int code = alerts_step(query);
      if (m_.alert_count == 0) {
        code = message_value_step(query);
        trace(note_trace(m_.alert_text));
      }
      return code;
    }
    if (mtclass == "110" || mtclass == "111") {
      std::string property;
      return text_property_step(row, property).code;
    }
    return std::nullopt;
  }

  CallResult text_property_step(const TreeRow& row, std::string& property) {
    CallResult result = note(call_txt_prop(session_, {c_.user, row.mte_identifier()}, property));
    if (!result.ok()) return result;
    trace("* Keldar   Property => " + property + " <\n");
    m_.alert_line = "SAP Keldar: " + std::string(row.short_name()) + " - " + property;
    m_.alert_text += property;
    return result;
  }

  int status_value_step(const MteQuery& query) {
    StatusMessage message;
    CallResult result = note(call_sm_value(session_, query, message));
    if (!result.ok()) return result.code;
    m_.alert_text += message.date + " " + message.time + " " + message.message + " ";
    m_.alert_line = text::short_date(message.date) + " " + text::short_time(message.time) + " " +
                    message.message;
    ++m_.message_count;
    count_in_windows(m_, message.date + message.time, c_.clock);
    return result.code;
  }

  int message_value_step(const MteQuery& query) {
    std::string message;
    CallResult result = note(call_ml_value(session_, query, message));
    if (!result.ok()) return result.code;
    m_.alert_line += message;
    m_.alert_text += message;
    return result.code;
  }

  // The open alerts of the element: all counted into the windows, the
  // newest (by date and time; of equal ones the last) read in detail.
  int alerts_step(const MteQuery& query) {
    std::vector<BapiaidRecord> alerts;
    CallResult result = note(call_alerts(session_, query, alerts));
    if (!result.ok()) return result.code;
    m_.alert_count = static_cast<int>(alerts.size());
    if (request_.trace_mode) {
      char count[32];
      std::snprintf(count, sizeof count, "%4d", m_.alert_count);
      c_.print("* Keldar   No.of Alerts found => " + std::string(count) + " <\n\n");
    }
    if (alerts.empty()) return result.code;
    std::string newest(kNewestUnset);
    const BapiaidRecord* newest_alert = nullptr;
    for (const BapiaidRecord& alert : alerts) {
      std::string date = text::field_text(alert.ALERTDATE, sizeof alert.ALERTDATE);
      std::string time = text::field_text(alert.ALERTTIME, sizeof alert.ALERTTIME);
      std::string stamp = date + time;
      if (stamp >= newest) {
        newest = stamp;
        newest_alert = &alert;
        m_.alert_line = text::short_date(date) + " " + text::short_time(time) + " ";
      }
      ++m_.message_count;
      count_in_windows(m_, stamp, c_.clock);
    }
    if (newest_alert == nullptr) return result.code;
    const BapiaidRecord& alert = *newest_alert;
    m_.alert_text += text::field_text(alert.ALERTDATE, sizeof alert.ALERTDATE) + " " +
                     text::field_text(alert.ALERTTIME, sizeof alert.ALERTTIME) + " ";
    AlertQuery details{c_.user, alert, has(",ACTIVE"), has(",HISTORY")};
    std::string message;
    CallResult detail = note(call_alert_details(session_, details, message));
    if (detail.ok()) {
      m_.alert_line += message;
      m_.alert_text += message;
    }
    trace("* Keldar   Alert => " + m_.alert_text + " <\n");
    return detail.code;
  }

  const RfcSession& session_;
  const WalkRequest& request_;
  EvaluationContext& c_;
  Measurement& m_;
};

}  // namespace

Reading text_reading(std::string_view property_text) {
  std::string first = text::trim_right(property_text.substr(0, kTextValueWidth));
  Reading reading;
  std::size_t blank = first.find(' ');
  if (blank == std::string::npos) {
    reading.value = first;
    reading.unit = "#";
  } else {
    reading.value = first.substr(0, blank);
    reading.unit = first.substr(blank + 1);
  }
  reading.ok = is_number(reading.value);
  return reading;
}

Evaluation evaluate_monitor_tree(const RfcSession& session, const TreeFetch& fetch,
                                 const WalkRequest& request, EvaluationContext& context) {
  Evaluation evaluation;
  ITAB_H table = create_table(session, kTreeNodes);
  CallResult result = fetch_monitor_tree(session, fetch, table);
  evaluation.walk.code = result.code;
  context.error_texts += result.error_text;
  if (result.ok()) {
    evaluation.fetched = true;
    TableRows rows(session, table);
    RfcWorld world(session, request, context);
    evaluation.walk = walk_tree(rows, request, world);
  }
  delete_table(session, kTreeNodes, table);
  return evaluation;
}

}  // namespace keldar
