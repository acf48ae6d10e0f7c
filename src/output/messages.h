// The program's messages: one table, from which every message is built.
//
// A message's form holds its fixed text with a placeholder in braces
// ("{profile}", "{sensor}", ...) for each piece that the run fills in. The
// names in braces only document the piece; pieces are filled in order.
// docs/messages.md lists every form, and a test holds the two together.
#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

namespace keldar {

enum class Message {
  profile_name_missing,     // 1001
  profile_missing,          // 1002
  invalid_parameters,       // 1003
  password_invalid,         // 1004
  password_wrong,           // 1005
  user_missing,             // 1006
  password_missing,         // 1007
  library_missing,          // 1010
  library_unloadable,       // 1010
  library_incomplete,       // 1010
  open_failed,              // 1011
  call_exception,           // 1012
  call_system_exception,    // 1013
  call_failure,             // 1014
  call_other_failure,       // 1015
  no_mode_selected,         // 1016
  run_timed_out,            // 1017
  xmi_failure,              // the XMI logon and logoff in place of 1012 to 1015
  xmi_exception,
  xmi_system_exception,
  xmi_other_failure,
  trace_reason,             // the suffixes from the RFC library's trace file
  trace_without_error,
  trace_missing,
  sensor_name_missing,      // 1019
  sensor_file_missing,      // 1020
  local_sensor_not_found,   // 1021
  global_sensor_not_found,  // 1022
  internal_error,           // 1099
};

struct MessageForm {
  Message id;
  int number;  // the "Error NNNN" of the text; 0 for texts without one
  std::string_view form;
};

extern const std::array<MessageForm, 29> kMessages;

// The table entry of `id`.
const MessageForm& message_form(Message id);

// The text of `id` with its placeholders filled by `pieces`, in order. A
// placeholder without a piece is left empty.
std::string message_text(Message id, std::initializer_list<std::string_view> pieces = {});

}  // namespace keldar
