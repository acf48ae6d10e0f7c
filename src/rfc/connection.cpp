#include "rfc/connection.h"

#include <algorithm>
#include <climits>

#include "text/ascii.h"
#include "text/fixed_field.h"

namespace keldar {

namespace {

constexpr std::size_t kUserWidth = 12;
constexpr std::size_t kPasswordWidth = 10;

// A text the library reads through a pointer; null for an empty text.
RFC_CHAR* text_or_null(std::string& text) { return text.empty() ? nullptr : text.data(); }

// A destination names a file in the working directory only when it has no
// directory or drive of its own; Windows takes "/" for a separator too.
bool names_plain_file(std::string_view destination) {
  return !destination.empty() && destination.find_first_of("\\/:") == std::string_view::npos;
}

}  // namespace

int leading_number(std::string_view text) {
  int value = 0;
  for (char c : text) {
    if (!text::is_digit(c) || value > (INT_MAX - 9) / 10) break;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::string connect_string(const ConnectionValues& v) {
  return "CLIENT=" + v.client + " USER=" + v.user + " PASSWD=" + v.password +
         " LANG=D DEST=" + v.destination;
}

RFC_HANDLE rfc_open(const RfcApi& api, const platform::FileSystem& files,
                    const ConnectionValues& values, const RfcTrace& trace,
                    const std::function<void(std::string_view destination)>& announce,
                    RunProgress* progress) {
  const std::string file = std::string(kDestinationFilePrefix) + values.destination;
  if (names_plain_file(values.destination) && files.can_open(file)) {
    if (announce) announce(values.destination);
    if (!files.copy(file, kDestinationFile)) return 0;
    std::string connect = connect_string(values);
    if (progress != nullptr) progress->set_step("RfcOpenEx");
    RFC_ERROR_INFO_EX error_info{};
    RFC_HANDLE handle = api.RfcOpenEx(connect.c_str(), &error_info);
    // The connect string held the password: nothing of it stays behind.
    std::fill(connect.begin(), connect.end(), '\0');
    trace.line(handle, "RfcOpenEx called", "");
    return handle;
  }

  // Work copies that the records point into.
  ConnectionValues w = values;
  w.user = text::pad_right(w.user, kUserWidth);
  w.password = text::pad_right(w.password, kPasswordWidth);

  RFC_CONNOPT_CPIC gateway{};
  gateway.gateway_host = text_or_null(w.gateway_host);
  gateway.gateway_service = text_or_null(w.gateway_service);

  RFC_CONNOPT_R3 host{};
  host.hostname = text_or_null(w.host_name);
  host.sysnr = leading_number(w.system_number);
  host.gateway_host = text_or_null(w.gateway_host);
  host.gateway_service = text_or_null(w.gateway_service);

  RFC_OPTIONS options{};
  options.destination = text_or_null(w.destination);
  options.mode = w.mode == "R/2" ? RFC_MODE_CPIC : RFC_MODE_R3ONLY;
  options.connopt = options.mode == RFC_MODE_CPIC ? static_cast<void*>(&gateway)
                                                  : static_cast<void*>(&host);
  options.client = text_or_null(w.client);
  options.user = text_or_null(w.user);
  options.password = text_or_null(w.password);
  options.language = text_or_null(w.language);
  options.trace = 0;

  if (progress != nullptr) progress->set_step("RfcOpen");
  RFC_HANDLE handle = api.RfcOpen(&options);
  std::fill(w.password.begin(), w.password.end(), '\0');
  trace.line(handle, "RfcOpen called", "");
  return handle;
}

}  // namespace keldar
