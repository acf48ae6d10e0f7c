#include "eval/reports.h"

#include "eval/time_windows.h"
#include "text/fixed_field.h"

namespace keldar {

namespace {

std::string stamp_text(std::string_view date, std::string_view time) {
  return std::string(date) + " " + std::string(time);
}

}  // namespace

std::string_view grade_word(std::int32_t grade) {
  switch (grade) {
    case 0: return "Zero at ";
    case 1: return "Green at ";
    case 2: return "Yellow at ";
    case 3: return "Red at ";
    default: return "";
  }
}

void state_change(Measurement& measurement, const TreeRow& row, const platform::Clock& clock) {
  std::string line = "State had changed to ";
  line += grade_word(row.grade());
  line += text::short_date(row.alert_date());
  line += ' ';
  line += text::short_time(row.alert_time());
  line += " for ";
  count_in_windows(measurement, std::string(row.alert_date()) + std::string(row.alert_time()),
                   clock);
  line += row.short_name();
  line += "...";
  measurement.alert_line = line;
}

std::string report_trace(const TreeRow& row, bool grades, int alert_feeds) {
  std::string text;
  if (grades) {
    text += "\n\n* Keldar   Actual / Highal / Class: " + std::to_string(row.grade()) + " / " +
            std::to_string(row.highest_grade()) + " / " + std::string(row.mtclass()) + "\n";
  }
  text += std::string(static_cast<std::size_t>(alert_feeds), '\n');
  text += "* Keldar   Alerting-TimeStamp: " + stamp_text(row.alert_date(), row.alert_time()) + "\n";
  text += "* Keldar   LastValue-TStamp: " +
          stamp_text(row.last_value_date(), row.last_value_time()) + "\n";
  text += "* Keldar   V-Alert-TimeStamp: " +
          stamp_text(row.value_alert_date(), row.value_alert_time()) + "\n";
  return text;
}

std::string note_trace(std::string_view alert_text) {
  return "* Keldar   Note => " + std::string(alert_text) + " <\n";
}

}  // namespace keldar
