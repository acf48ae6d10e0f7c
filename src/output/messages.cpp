#include "output/messages.h"

namespace keldar {

const std::array<MessageForm, 29> kMessages = {{
    {Message::profile_name_missing, 1001, "Error 1001: Parameter for Profile-Name is missing !"},
    {Message::profile_missing, 1002, "Error 1002: Profile {profile} is missing..."},
    {Message::invalid_parameters, 1003, "Error 1003: Invalid Parameter(s) at {profile} found..."},
    {Message::password_invalid, 1004, "Error 1004: Invalid Password in Profile {profile} found..."},
    {Message::password_wrong, 1005, "Error 1005: Wrong Password in Profile {profile} found..."},
    {Message::user_missing, 1006, "Error 1006: Username in Profile {profile} is missing..."},
    // A TAB, not a blank, before "is missing...".
    {Message::password_missing, 1007, "Error 1007: Password in Profile {profile}\tis missing..."},
    {Message::library_missing, 1010, "Error 1010: RFC-Library {library} is missing..."},
    {Message::library_unloadable, 1010,
     "Error 1010: RFC-Library {library} cannot be loaded: {reason}..."},
    {Message::library_incomplete, 1010,
     "Error 1010: RFC-Library {library} lacks the entry point {function}..."},
    {Message::open_failed, 1011, "Error 1011: RFC-Open for {destination} failed !"},
    {Message::call_exception, 1012, "Error 1012: Exception.: {exception}"},
    {Message::call_system_exception, 1013, "Error 1013: Sys-Exception raised !"},
    {Message::call_failure, 1014, "Error 1014: RFC-Failure raised !"},
    {Message::call_other_failure, 1015, "Error 1015: Other Failure raised !"},
    {Message::no_mode_selected, 1016,
     "Error 1016: The definition selects no mode: it must begin with MSET= or MONITOR=, or "
     "hold MONITOR-SET= or MONITOR-SETS"},
    {Message::run_timed_out, 1017,
     "Error 1017: No answer within {seconds} s: {system} waits for {step}"},
    {Message::xmi_failure, 0, "RFC Failure raised..."},
    {Message::xmi_exception, 0, "Exception.: {interface}({version}) {exception}"},
    {Message::xmi_system_exception, 0, "System exception raised..."},
    {Message::xmi_other_failure, 0, "Other Failure raised..."},
    {Message::trace_reason, 0, " - {reason}"},
    {Message::trace_without_error, 0, " - Please Check Trace-File !"},
    {Message::trace_missing, 0, " - Look for Trace-File"},
    {Message::sensor_name_missing, 1019, "Error 1019: Sensorname for Monitoring is missing !"},
    {Message::sensor_file_missing, 1020, "Error 1020: File {file} is missing..."},
    {Message::local_sensor_not_found, 1021, "Error 1021: Local Sensor {sensor} not found !"},
    {Message::global_sensor_not_found, 1022, "Error 1022: Global Sensor {sensor} not found !"},
    {Message::internal_error, 1099, "Error 1099: Internal error: {reason}"},
}};

const MessageForm& message_form(Message id) {
  for (const MessageForm& entry : kMessages) {
    if (entry.id == id) return entry;
  }
  return kMessages.back();  // unreachable: every id has its entry (tested)
}

std::string message_text(Message id, std::initializer_list<std::string_view> pieces) {
  std::string_view form = message_form(id).form;
  const std::string_view* piece = pieces.begin();
  std::string text;
  std::size_t position = 0;
  for (;;) {
    std::size_t open = form.find('{', position);
    std::size_t close = open == std::string_view::npos ? open : form.find('}', open);
    if (close == std::string_view::npos) break;
    text += form.substr(position, open - position);
    if (piece != pieces.end()) text += *piece++;
    position = close + 1;
  }
  text += form.substr(position);
  return text;
}

}  // namespace keldar
