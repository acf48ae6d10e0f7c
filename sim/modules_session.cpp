// RFC_SYSTEM_INFO and the XMI session modules.
#include <cstdio>

#include "function_module.h"
#include "structure_catalogue.h"

namespace rfcsim {

void rfc_system_info(ModuleCall& call) {
  const System& s = call.system();
  Record rfcsi(*find_structure("RFCSI"));
  // What a typical application server reports; the landscape may replace
  // any field.
  const std::map<std::string, std::string> defaults = {
      {"RFCPROTO", "011"},      {"RFCCHARTYP", "1100"},
      {"RFCINTTYP", "LIT"},     {"RFCFLOTYP", "IE3"},
      {"RFCDEST", s.host + "_" + s.sid + "_" + s.sysnr},
      {"RFCHOST", s.host},      {"RFCSYSID", s.sid},
      {"RFCDATABS", s.sid},     {"RFCDBHOST", s.host},
      {"RFCDBSYS", "ORACLE"},   {"RFCSAPRL", "700"},
      {"RFCMACH", "  390"},     {"RFCOPSYS", "Linux"},
      {"RFCTZONE", "  3600"},   {"RFCDAYST", ""},
      {"RFCIPADDR", "10.0.0.10"}, {"RFCKERNRL", "721"},
      {"RFCSI_RESV", ""}};
  for (const auto& [field, value] : defaults) rfcsi.set_text(field, value);
  for (const auto& [field, value] : s.rfcsi) rfcsi.set_text(field, value);
  call.set_structure("RFCSI_EXPORT", rfcsi);
  call.set_integer("CURRENT_RESOURCES", 5);
  call.set_integer("MAXIMAL_RESOURCES", 10);
  call.set_integer("RECOMMENDED_DELAY", 0);
  call.set_text("DIALOG_USER_TYPE", "A");
  call.set_text("RFC_LOGIN_COMPLETE", "X");
}

void sxmi_versions_get(ModuleCall& call) {
  std::string wanted = trim_right(call.text("INTERFACE"));
  call.log("INTERFACE", wanted);
  for (const XmiInterface& xmi : call.system().xmi) {
    if (wanted != "*" && !wanted.empty() && wanted != xmi.name) continue;
    for (const std::string& version : xmi.versions) {
      Record line = call.new_line("VERSIONS");
      line.set_text("INTERFACE", xmi.name);
      line.set_text("VERSION", version);
      call.add_line("VERSIONS", line);
    }
  }
}

void bapi_xmi_logon(ModuleCall& call) {
  std::string interface_name = trim_right(call.text("INTERFACE"));
  std::string version = trim_right(call.text("VERSION"));
  call.log("INTERFACE", interface_name);
  call.log("VERSION", version);
  const XmiInterface* found = nullptr;
  for (const XmiInterface& xmi : call.system().xmi) {
    if (xmi.name == interface_name) found = &xmi;
  }
  if (found == nullptr) return call.raise("INTERFACE_NOT_SUPPORTED");
  bool known_version = false;
  for (const std::string& v : found->versions) known_version = known_version || v == version;
  if (!known_version) return call.raise("VERSION_NOT_SUPPORTED");
  call.session().xmi_interfaces.insert(interface_name);
  char id[32];
  std::snprintf(id, sizeof id, "%.8s%04u%012u", call.system().sid.c_str(), call.session().handle % 10000,
                ++call.session().session_counter);
  call.set_text("SESSIONID", id);
}

void bapi_xmi_logoff(ModuleCall& call) {
  std::string interface_name = trim_right(call.text("INTERFACE"));
  call.log("INTERFACE", interface_name);
  if (call.session().xmi_interfaces.erase(interface_name) == 0) {
    call.return_error("030", "No XMI logon for interface " + interface_name + " to end");
    call.log("RETURN", "E");
  }
}

}  // namespace rfcsim
