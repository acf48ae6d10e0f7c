// keldar-profile test: the connection check of a first set-up. It opens
// the connection of a profile exactly as the sensor does, with the sensor's
// own RFC layer, and makes the steps of a run up to the list of monitor
// sets, reporting each; a failed step is named with the library's last
// error and a hint.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "config/system_profile.h"
#include "platform/file_system.h"
#include "rfc/rfc_library.h"

namespace keldar {

// The steps of the check, in the order they are made.
enum class TestStep {
  load_library,  // the RFC library beside the tool
  open,          // RfcOpen / RfcOpenEx: the logon with client, user and password
  system_info,   // RFC_SYSTEM_INFO
  xmi_versions,  // SXMI_VERSIONS_GET: the XMI interfaces and their versions
  xal_version,   // a version of "XAL" among them
  xmi_logon,     // BAPI_XMI_LOGON to XAL with the profile's external company
  monitor_sets,  // BAPI_SYSTEM_MS_GETLIST
  xmi_logoff,    // BAPI_XMI_LOGOFF
};

// What the report calls the step, e.g. "open the connection".
std::string_view step_name(TestStep step);

// What the admin should look at when `step` failed, judged from the step
// and, for a failed open, the library's last error (its key and message,
// either may be empty): a refused logon, a host not reached, a destination
// file; for the other steps a system without XAL or missing authorisations.
std::string_view failure_hint(TestStep step, std::string_view key, std::string_view message);

// `text` with every occurrence of `password` replaced by "********"; an
// empty password changes nothing. Texts of the library pass through it
// before they are printed.
std::string without_password(std::string text, std::string_view password);

// Runs the check for `profile`, read and checked as the sensor reads it
// (`profile_name` names it in the report), against the library in `api`,
// with the destination file "SapRfc." + destination looked for through
// `files` in the working directory.
//
// The report goes to `out`, a line per finding: the connection used, then
// system ID, host, release, XAL version and the monitor sets as they are
// read; a failed step ends it with the step, the sensor's error text, the
// library's last error and a hint. The password appears nowhere in it.
// There is exactly one open, so one logon attempt: a wrong password cannot
// lock the SAP user by repetition. The connection is closed at the end.
//
// Registers the sensor's RFC error handler first: a failure of the library
// itself ends the process as it ends the sensor, with the "RFC error" block
// and status 1. Otherwise returns 0 when every step passed, 2 when one
// failed.
int run_connection_test(std::string_view profile_name, const SystemProfile& profile,
                        const RfcApi& api, const platform::FileSystem& files, std::ostream& out);

// The report of a library that did not load (the outcome must not be
// "loaded"): the profile, the step, error 1010, the architecture the library
// must have, and a hint; returns 2.
int report_library_failure(std::string_view profile_name, const RfcLibraryLoad& load,
                           std::ostream& out);

}  // namespace keldar
