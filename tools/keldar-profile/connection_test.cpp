#include "connection_test.h"

#include <array>
#include <cstring>
#include <ostream>
#include <vector>

#include "calls/monitor_lists.h"
#include "calls/system_info.h"
#include "calls/xmi_session.h"
#include "config/sensor_definition.h"
#include "rfc/connection.h"
#include "rfc/error_report.h"
#include "rfc/function_call.h"
#include "run/failure.h"
#include "run/system_steps.h"
#include "text/ascii.h"
#include "text/fixed_field.h"

namespace keldar {

namespace {

constexpr std::string_view kMask = "********";
constexpr std::size_t kLabelWidth = 13;
constexpr std::size_t kLineWidth = 78;

// One line of the report: "Label........: value".
void report_line(std::ostream& out, std::string_view label, std::string_view value) {
  std::string head(label);
  head.resize(kLabelWidth, '.');
  out << head << ": " << value << '\n';
}

// A long text as report lines, wrapped at blanks under its value column.
void report_text(std::ostream& out, std::string_view label, std::string_view value) {
  const std::size_t width = kLineWidth - kLabelWidth - 2;
  std::string line;
  bool first = true;
  auto flush = [&] {
    if (first) {
      report_line(out, label, line);
    } else {
      out << std::string(kLabelWidth + 2, ' ') << line << '\n';
    }
    first = false;
    line.clear();
  };
  std::size_t start = 0;
  while (start < value.size()) {
    std::size_t end = value.find(' ', start);
    if (end == std::string_view::npos) end = value.size();
    std::string_view word = value.substr(start, end - start);
    if (!line.empty() && line.size() + 1 + word.size() > width) flush();
    if (!line.empty()) line += ' ';
    line += word;
    start = end + 1;
  }
  if (!line.empty() || first) flush();
}

// The hints, each once; failure_hint picks one.
constexpr std::string_view kLogonHint =
    "The SAP system refused the logon: check Client, User and Password of the profile "
    "(keldar-profile check shows client and user). Only this one logon was tried; repeated "
    "wrong passwords lock the SAP user.";
constexpr std::string_view kNetworkHint =
    "The SAP system was not reached: check Hostname and Sysnr of the profile (Gwhost and "
    "Gwservice for mode R/2, the entries of SapRfc.<destination> when that file is used), "
    "that the host name resolves on this machine, and that no firewall blocks the gateway "
    "port (33 followed by the system number).";
constexpr std::string_view kDestinationHint =
    "The destination was not accepted: check the file SapRfc.<destination> in this directory "
    "and the entries of the destination in it.";
constexpr std::string_view kOpenHint =
    "Check the connection values of the profile (keldar-profile check) against the library's "
    "message above.";
constexpr std::string_view kLibraryHint =
    "Copy SAP's classic RFC library beside keldar-profile and keldar, built for the same "
    "architecture as these programs; a 32-bit library needs the 32-bit build of Keldar.";
constexpr std::string_view kSystemInfoHint =
    "The system accepted the logon but not the call of RFC_SYSTEM_INFO: the SAP user may lack "
    "the authorisation for RFC calls (S_RFC).";
constexpr std::string_view kNoXalHint =
    "The system offers no XMI interface XAL, which the sensor needs to read CCMS monitors: ask "
    "the SAP Basis team to make it available.";
constexpr std::string_view kVersionsHint =
    "The system did not list its XMI interfaces (SXMI_VERSIONS_GET): the SAP user may lack the "
    "authorisation for XMI (S_XMI_PROD).";
constexpr std::string_view kXmiLogonHint =
    "The system refused the XMI logon to XAL: the SAP user needs the authorisation S_XMI_PROD, "
    "and the system must accept Extcompany.: of the profile.";
constexpr std::string_view kMonitorSetsHint =
    "The monitor sets could not be read: the SAP user needs the authorisations for CCMS "
    "monitoring.";
constexpr std::string_view kLogoffHint =
    "The XMI logoff failed, and the sensor reports such a run as an error: look at the library's "
    "message above and at the system log of the SAP system (SM21).";

// Words of a failed open's key or message, in upper case, and the hint they
// point to. Read in order: the keys of the classes of failure come first,
// then words of the messages.
struct OpenClue {
  std::string_view word;
  std::string_view hint;
};
constexpr std::array<OpenClue, 11> kOpenClues = {{
    {"LOGON_FAILURE", kLogonHint},
    {"COMMUNICATION", kNetworkHint},
    {"PASSWORD", kLogonHint},
    {"NOT REACHED", kNetworkHint},
    {"DESTINATION", kDestinationHint},
    {"SAPRFC", kDestinationHint},
    {"CLIENT", kLogonHint},
    {"USER", kLogonHint},
    {"CONNECT", kNetworkHint},
    {"HOST", kNetworkHint},
    {"GATEWAY", kNetworkHint},
}};

// The library's last error, without the password.
struct LastError {
  std::string key;
  std::string message;
  // "key: message", or the one of them there is.
  std::string text() const {
    return key.empty() || message.empty() ? key + message : key + ": " + message;
  }
};

LastError last_error(const RfcApi& api, std::string_view password) {
  RFC_ERROR_INFO info;
  std::memset(&info, 0, sizeof info);
  if (api.RfcLastError == nullptr || api.RfcLastError(&info) != 0) return {};
  return {without_password(text::trim_right(text::field_text(info.key, sizeof info.key)), password),
          without_password(text::trim_right(text::field_text(info.message, sizeof info.message)),
                           password)};
}

// How the open reached the system, as the report names it.
std::string connection_text(const ConnectionValues& v, std::string_view destination_file) {
  std::string text;
  if (!destination_file.empty()) {
    text = "destination " + v.destination + " from " + std::string(destination_file);
  } else if (v.mode == "R/2") {
    text = "gateway " + v.gateway_host + ", service " + v.gateway_service;
  } else {
    text = "host " + v.host_name + ", system number " + v.system_number;
  }
  return text + ", client " + v.client + ", user " + v.user;
}

class ConnectionTest {
 public:
  ConnectionTest(const SystemProfile& profile, const RfcApi& api,
                 const platform::FileSystem& files, std::ostream& out)
      : profile_(profile), api_(api), files_(files), out_(out), trace_(files, false) {}

  int run() {
    install_error_report(api_);
    register_error_handler(api_);
    int status = steps();
    if (handle_ != 0) api_.RfcClose(handle_);
    handle_ = 0;
    return status;
  }

 private:
  // The steps in order, up to the first that fails.
  int steps() {
    const ConnectionValues values = connection_values(profile_, SensorDefinition());
    std::string destination_file;
    handle_ = rfc_open(api_, files_, values, trace_, [&](std::string_view destination) {
      destination_file = std::string(kDestinationFilePrefix) + std::string(destination);
    });
    report_line(out_, "Connection", connection_text(values, destination_file));
    if (handle_ == 0) {
      return failed(TestStep::open, failure(Message::open_failed, {profile_.destination}).text,
                    true);
    }
    RfcSession session{api_, handle_, structures_, trace_};

    SystemInfo info;
    CallResult result = call_rfc_system_info(session, info);
    if (!result.ok()) return failed(TestStep::system_info, result.error_text, true);
    report_line(out_, "System ID", text::trim_right(info.system_id));
    report_line(out_, "Host", text::trim_right(info.host));
    report_line(out_, "Release", info.release);

    std::string xal_version;
    result = call_sxmi_versions_get(session, xal_version);
    if (!result.ok()) return failed(TestStep::xmi_versions, result.error_text, true);
    xal_version = text::trim_right(xal_version);
    if (xal_version.empty()) {
      return failed(TestStep::xal_version, "the system lists no version of the XMI interface XAL",
                    false);
    }
    report_line(out_, "XAL version", xal_version);

    const XmiSession xmi{std::string(kXalInterface), xal_version};
    result = call_bapi_xmi_logon(session, profile_.external_company, xmi);
    if (!result.ok()) return failed(TestStep::xmi_logon, result.error_text, true);

    std::vector<std::string> sets;
    result = call_ms_getlist(session, profile_.user, [&sets](std::string_view name) {
      sets.push_back(text::trim_right(name));
    });
    if (!result.ok()) {
      int status = failed(TestStep::monitor_sets, result.error_text, true);
      // Logged on, so logged off again; the report has its failure already.
      call_bapi_xmi_logoff(session, xmi);
      return status;
    }
    report_line(out_, "Monitor sets", std::to_string(sets.size()));
    for (const std::string& name : sets) out_ << std::string(kLabelWidth + 2, ' ') << name << '\n';

    result = call_bapi_xmi_logoff(session, xmi);
    if (!result.ok()) return failed(TestStep::xmi_logoff, result.error_text, true);
    report_line(out_, "Result", "the connection works");
    return 0;
  }

  // Reports a failed step. `from_library`: the library has a last error
  // for it.
  int failed(TestStep step, std::string_view error, bool from_library) {
    const LastError last = from_library ? last_error(api_, profile_.password) : LastError();
    report_line(out_, "Failed step", step_name(step));
    if (!error.empty()) {
      report_line(out_, "Error", without_password(std::string(error), profile_.password));
    }
    if (from_library) {
      report_line(out_, "Last error", last.text().empty() ? "none reported" : last.text());
    }
    report_text(out_, "Hint", failure_hint(step, last.key, last.message));
    report_line(out_, "Result", "the connection does not work");
    return kFailureExitStatus;
  }

  const SystemProfile& profile_;
  const RfcApi& api_;
  const platform::FileSystem& files_;
  std::ostream& out_;
  StructureHandles structures_;
  RfcTrace trace_;
  RFC_HANDLE handle_ = 0;
};

}  // namespace

std::string_view step_name(TestStep step) {
  switch (step) {
    case TestStep::load_library: return "load the RFC library";
    case TestStep::open: return "open the connection (logon)";
    case TestStep::system_info: return "read the system information (RFC_SYSTEM_INFO)";
    case TestStep::xmi_versions: return "list the XMI interfaces (SXMI_VERSIONS_GET)";
    case TestStep::xal_version: return "find the XMI interface XAL among them";
    case TestStep::xmi_logon: return "log on to XAL (BAPI_XMI_LOGON)";
    case TestStep::monitor_sets: return "list the monitor sets (BAPI_SYSTEM_MS_GETLIST)";
    case TestStep::xmi_logoff: return "log off from XAL (BAPI_XMI_LOGOFF)";
  }
  return "";
}

std::string_view failure_hint(TestStep step, std::string_view key, std::string_view message) {
  switch (step) {
    case TestStep::load_library: return kLibraryHint;
    case TestStep::open: {
      const std::string clues = text::to_upper_ascii(std::string(key) + " " + std::string(message));
      for (const OpenClue& clue : kOpenClues) {
        if (text::contains(clues, clue.word)) return clue.hint;
      }
      return kOpenHint;
    }
    case TestStep::system_info: return kSystemInfoHint;
    case TestStep::xmi_versions: return kVersionsHint;
    case TestStep::xal_version: return kNoXalHint;
    case TestStep::xmi_logon: return kXmiLogonHint;
    case TestStep::monitor_sets: return kMonitorSetsHint;
    case TestStep::xmi_logoff: return kLogoffHint;
  }
  return kOpenHint;
}

std::string without_password(std::string text, std::string_view password) {
  if (password.empty()) return text;
  for (std::size_t at = text.find(password); at != std::string::npos;
       at = text.find(password, at + kMask.size())) {
    text.replace(at, password.size(), kMask);
  }
  return text;
}

int run_connection_test(std::string_view profile_name, const SystemProfile& profile,
                        const RfcApi& api, const platform::FileSystem& files, std::ostream& out) {
  report_line(out, "Profile", profile_name);
  return ConnectionTest(profile, api, files, out).run();
}

int report_library_failure(std::string_view profile_name, const RfcLibraryLoad& load,
                           std::ostream& out) {
  report_line(out, "Profile", profile_name);
  report_line(out, "Failed step", step_name(TestStep::load_library));
  if (auto error = library_failure(load)) report_line(out, "Error", error->text);
  // The library must be built for the program's architecture.
  report_line(out, "Program", std::to_string(sizeof(void*) * 8) + "-bit, needs a " +
                                  std::to_string(sizeof(void*) * 8) + "-bit " +
                                  rfc_library_file_name());
  report_text(out, "Hint", failure_hint(TestStep::load_library, "", ""));
  report_line(out, "Result", "the connection does not work");
  return kFailureExitStatus;
}

}  // namespace keldar
