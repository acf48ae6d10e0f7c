#include "calls/xmi_session.h"

#include "calls/function_modules.h"
#include "text/ascii.h"
#include "text/fixed_field.h"

namespace keldar {

namespace {

constexpr std::size_t kVersions = 0;  // the VERSIONS table
constexpr std::size_t kXalVersionWidth = 3;

// The failure texts of logon and logoff name the interface and version as
// the session holds them, not padded as they are sent.
ErrorTexts xmi_texts(const XmiSession& xmi) { return {true, xmi.interface, xmi.version}; }

}  // namespace

CallResult call_sxmi_versions_get(const RfcSession& session, std::string& xal_version) {
  std::vector<std::string> exporting = {character_value("*", 3)};
  return drive(session, modules::SXMI_VERSIONS_GET, std::move(exporting),
               [&xal_version](const Answer& answer) {
                 for (unsigned n = 1; n <= answer.lines(kVersions); ++n) {
                   SxmiversRecord line = answer.line<SxmiversRecord>(kVersions, n);
                   std::string version = text::field_text(line.VERSION, sizeof line.VERSION);
                   std::string both = text::field_text(line.INTERFACE, sizeof line.INTERFACE) +
                                      " " + version;
                   if (text::contains(both, kXalInterface)) {
                     xal_version = text::cut(version, kXalVersionWidth);
                   }
                 }
               });
}

CallResult call_bapi_xmi_logon(const RfcSession& session, std::string_view external_company,
                               const XmiSession& xmi) {
  std::vector<std::string> exporting = {
      character_value(external_company, 16), character_value("", 16),
      character_value(xmi.interface, 3), character_value(xmi.version, 10)};
  return drive(session, modules::BAPI_XMI_LOGON, std::move(exporting), nullptr, xmi_texts(xmi));
}

CallResult call_bapi_xmi_logoff(const RfcSession& session, const XmiSession& xmi) {
  std::vector<std::string> exporting = {character_value(xmi.interface, 3)};
  return drive(session, modules::BAPI_XMI_LOGOFF, std::move(exporting), nullptr, xmi_texts(xmi));
}

}  // namespace keldar
