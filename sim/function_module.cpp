#include "function_module.h"

#include <cstring>
#include <set>
#include <stdexcept>

#include "rfc/rfc_interface.h"
#include "structure_catalogue.h"

namespace rfcsim {
namespace {

Bytes initial_value(const ParameterSignature& p) {
  if (!p.structure.empty()) return Record(*find_structure(p.structure)).bytes();
  if (p.type == TYPINT) return Bytes(4, 0);
  char fill = p.type == TYPC ? ' ' : '0';
  return Bytes(p.length, static_cast<unsigned char>(fill));
}

}  // namespace

ModuleCall::ModuleCall(const FunctionSignature& signature, const System& system, Session& session,
                       std::time_t now, std::map<std::string, Bytes> exporting)
    : signature_(signature),
      system_(system),
      session_(session),
      now_(now),
      exporting_(std::move(exporting)),
      log_(sent_fields(signature, exporting_)) {
  for (const ParameterSignature& p : signature_.importing) importing_[p.name] = initial_value(p);
  for (const ParameterSignature& p : signature_.tables) tables_[p.name];
}

LogFields sent_fields(const FunctionSignature& signature, const std::map<std::string, Bytes>& exporting) {
  static const std::set<std::string> logged = {"EXTERNAL_USER_NAME", "EXTCOMPANY", "EXTPRODUCT", "GET_ACTIVE",
                                               "GET_HISTORY"};
  LogFields fields;
  for (const ParameterSignature& p : signature.exporting) {
    auto value = exporting.find(p.name);
    if (logged.count(p.name) != 0 && value != exporting.end()) {
      fields.emplace_back(p.name, std::string(value->second.begin(), value->second.end()));
    }
  }
  return fields;
}

const ParameterSignature& ModuleCall::signature_of(const std::vector<ParameterSignature>& list,
                                                   const std::string& name) const {
  for (const ParameterSignature& p : list) {
    if (p.name == name) return p;
  }
  throw std::logic_error(signature_.name + " has no parameter " + name);
}

const Bytes& ModuleCall::sent(const std::string& name) const {
  signature_of(signature_.exporting, name);
  auto it = exporting_.find(name);
  // The call checks let no call through without every exporting parameter.
  if (it == exporting_.end()) throw std::logic_error(signature_.name + ": " + name + " was not sent");
  return it->second;
}

std::string ModuleCall::text(const std::string& name) const {
  const Bytes& value = sent(name);
  return std::string(value.begin(), value.end());
}

std::int32_t ModuleCall::integer(const std::string& name) const {
  std::int32_t value = 0;
  std::memcpy(&value, sent(name).data(), sizeof value);
  return value;
}

Record ModuleCall::structure(const std::string& name) const {
  return Record(*find_structure(signature_of(signature_.exporting, name).structure), sent(name).data());
}

void ModuleCall::set_text(const std::string& name, const std::string& value) {
  const ParameterSignature& p = signature_of(signature_.importing, name);
  std::string padded = pad(value, p.length);
  importing_[name] = Bytes(padded.begin(), padded.end());
}

void ModuleCall::set_integer(const std::string& name, std::int32_t value) {
  signature_of(signature_.importing, name);
  Bytes bytes(4);
  std::memcpy(bytes.data(), &value, sizeof value);
  importing_[name] = bytes;
}

void ModuleCall::set_structure(const std::string& name, const Record& record) {
  const ParameterSignature& p = signature_of(signature_.importing, name);
  if (record.structure().name != p.structure) throw std::logic_error(name + " is not a " + record.structure().name);
  importing_[name] = record.bytes();
}

Record ModuleCall::new_line(const std::string& name) const {
  return Record(*find_structure(signature_of(signature_.tables, name).structure));
}

void ModuleCall::add_line(const std::string& name, Record line) {
  signature_of(signature_.tables, name);
  tables_[name].push_back(line.take_bytes());
}

void ModuleCall::raise(const std::string& exception) {
  code_ = RFC_EXCEPTION;
  exception_ = exception;
}

void ModuleCall::return_error(const std::string& number, const std::string& message) {
  Record ret(*find_structure("BAPIRET2"));
  ret.set_text("TYPE", "E");
  ret.set_text("ID", "XM");
  ret.set_text("NUMBER", number);
  ret.set_text("MESSAGE", message);
  ret.set_text("SYSTEM", system_.sid);
  set_structure("RETURN", ret);
}

bool check_monitoring_access(ModuleCall& call) {
  if (call.session().xmi_interfaces.count("XAL") == 0) {
    call.return_error("028", "No XMI logon for interface XAL: log on with BAPI_XMI_LOGON first");
    call.log("RETURN", "E");
    return false;
  }
  if (trim_right(call.text("EXTERNAL_USER_NAME")).empty()) {
    call.return_error("029", "Enter the name of the external user (EXTERNAL_USER_NAME)");
    call.log("RETURN", "E");
    return false;
  }
  return true;
}

void run_module(const std::string& name, ModuleCall& call) {
  static const std::map<std::string, void (*)(ModuleCall&)> modules = {
      {"RFC_SYSTEM_INFO", rfc_system_info},
      {"SXMI_VERSIONS_GET", sxmi_versions_get},
      {"BAPI_XMI_LOGON", bapi_xmi_logon},
      {"BAPI_XMI_LOGOFF", bapi_xmi_logoff},
      {"BAPI_SYSTEM_MS_GETLIST", bapi_system_ms_getlist},
      {"BAPI_SYSTEM_MON_GETLIST", bapi_system_mon_getlist},
      {"BAPI_SYSTEM_MON_GETTREE", bapi_system_mon_gettree},
      {"BAPI_SYSTEM_MTE_GETPERFCURVAL", bapi_system_mte_getperfcurval},
      {"BAPI_SYSTEM_MTE_GETSMVALUE", bapi_system_mte_getsmvalue},
      {"BAPI_SYSTEM_MTE_GETMLCURVAL", bapi_system_mte_getmlcurval},
      {"BAPI_SYSTEM_MTE_GETTXTPROP", bapi_system_mte_gettxtprop},
      {"BAPI_SYSTEM_MTE_GETPERFPROP", bapi_system_mte_getperfprop},
      {"BAPI_SYSTEM_MTE_GETALERTS", bapi_system_mte_getalerts},
      {"BAPI_SYSTEM_ALERT_GETDETAILS", bapi_system_alert_getdetails},
  };
  auto it = modules.find(name);
  if (it == modules.end()) throw std::logic_error("no implementation of " + name);
  it->second(call);
}

}  // namespace rfcsim
