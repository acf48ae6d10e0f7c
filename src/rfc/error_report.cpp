#include "rfc/error_report.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/console.h"
#include "text/fixed_field.h"

namespace keldar {

namespace {

// The C callback carries no context; this is the one global it forces.
const RfcApi* g_api = nullptr;

constexpr int kLabelWidth = 15;
constexpr int kAbortStatus = 1;

}  // namespace

std::string labelled_line(std::string_view label, int indent, int width, std::string_view value) {
  std::string line(static_cast<std::size_t>(indent > 0 ? indent : 0), ' ');
  line += text::pad_right(label, static_cast<std::size_t>(width > 0 ? width : 0));
  line += " : ";
  line += value;
  line += '\n';
  return line;
}

std::string rfc_error_block(std::string_view operation, const RFC_ERROR_INFO& e) {
  std::string block = "RFC error\n";
  block += labelled_line("operation/code", 0, kLabelWidth, operation);
  block += labelled_line("key", 0, kLabelWidth, text::field_text(e.key, sizeof e.key));
  block += labelled_line("status", 0, kLabelWidth, text::field_text(e.status, sizeof e.status));
  block += labelled_line("message", 0, kLabelWidth, text::field_text(e.message, sizeof e.message));
  block += labelled_line("internal status", 0, kLabelWidth,
                         text::field_text(e.intstat, sizeof e.intstat));
  block += "\n* Programm aborted...\n";
  return block;
}

void install_error_report(const RfcApi& api) { g_api = &api; }

void rfc_error_report(std::string_view operation) {
  RFC_ERROR_INFO last_error;
  std::memset(&last_error, 0, sizeof last_error);
  if (g_api != nullptr && g_api->RfcLastError != nullptr) g_api->RfcLastError(&last_error);
  platform::console_write(rfc_error_block(operation, last_error));
  // The null handle closes every connection.
  if (g_api != nullptr && g_api->RfcClose != nullptr) g_api->RfcClose(0);
  std::exit(kAbortStatus);
}

extern "C" void KELDAR_RFC_API rfc_error_handler(RFC_CHAR* operation) {
  // The library's text, read no further than any sane operation name.
  std::string name;
  if (operation != nullptr) name.assign(operation, ::strnlen(operation, 256));
  rfc_error_report(name);
}

void register_error_handler(const RfcApi& api) {
  // The library may keep the record's address; it lives as long as the process.
  static RFC_ENV environment{};
  environment.errorhandler = &rfc_error_handler;
  environment.allocate = nullptr;
  api.RfcEnvironment(&environment);
}

}  // namespace keldar
