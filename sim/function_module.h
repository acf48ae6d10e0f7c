// One function-module call on the simulated SAP system: the values the
// caller sent, the values and table lines the module returns, and the
// outcome. The modules themselves live in modules_*.cpp.
#pragma once

#include <cstdint>
#include <ctime>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "call_log.h"
#include "function_signatures.h"
#include "landscape.h"
#include "record.h"

namespace rfcsim {

// What a connection remembers between calls.
struct Session {
  unsigned handle = 0;
  std::string client, user, language;
  std::set<std::string> xmi_interfaces;  // logged on
  unsigned session_counter = 0;
};

using Bytes = std::vector<unsigned char>;

class ModuleCall {
 public:
  // `exporting`: parameter name -> bytes as sent, every exporting
  // parameter of the signature. Every importing parameter starts at its
  // initial value. The call-log fields start with sent_fields.
  ModuleCall(const FunctionSignature& signature, const System& system, Session& session,
             std::time_t now, std::map<std::string, Bytes> exporting);

  const System& system() const { return system_; }
  Session& session() { return session_; }
  std::time_t now() const { return now_; }

  // Exporting values as sent.
  std::string text(const std::string& name) const;
  std::int32_t integer(const std::string& name) const;
  Record structure(const std::string& name) const;

  // Importing values.
  void set_text(const std::string& name, const std::string& value);
  void set_integer(const std::string& name, std::int32_t value);
  void set_structure(const std::string& name, const Record& record);

  // A new line for table `name`, initial; add it with add_line.
  Record new_line(const std::string& name) const;
  void add_line(const std::string& name, Record line);

  // Ends the module with code 2 and this exception.
  void raise(const std::string& exception);
  // Fills RETURN with an error message (TYPE "E"); the call itself succeeds.
  void return_error(const std::string& number, const std::string& message);

  // Call-log fields for this call.
  void log(const std::string& name, const std::string& value) { log_.emplace_back(name, value); }

  int code() const { return code_; }
  const std::string& exception() const { return exception_; }
  const LogFields& log_fields() const { return log_; }
  const std::map<std::string, Bytes>& importing() const { return importing_; }
  const std::map<std::string, std::vector<Bytes>>& tables() const { return tables_; }
  // The lines of table `name`, handed over.
  std::vector<Bytes> take_table(const std::string& name) { return std::move(tables_.at(name)); }

 private:
  const ParameterSignature& signature_of(const std::vector<ParameterSignature>& list,
                                         const std::string& name) const;
  const Bytes& sent(const std::string& name) const;

  const FunctionSignature& signature_;
  const System& system_;
  Session& session_;
  std::time_t now_;
  std::map<std::string, Bytes> exporting_;
  std::map<std::string, Bytes> importing_;
  std::map<std::string, std::vector<Bytes>> tables_;
  int code_ = 0;
  std::string exception_;
  LogFields log_;
};

// The call-log fields of the exporting values that say who calls and what
// is asked for (EXTERNAL_USER_NAME, EXTCOMPANY, EXTPRODUCT, GET_ACTIVE,
// GET_HISTORY), as sent, in the order of the module's exporting parameters.
LogFields sent_fields(const FunctionSignature& signature, const std::map<std::string, Bytes>& exporting);

// Runs the module of `call`'s signature.
void run_module(const std::string& name, ModuleCall& call);

// The modules, by group.
void rfc_system_info(ModuleCall& call);
void sxmi_versions_get(ModuleCall& call);
void bapi_xmi_logon(ModuleCall& call);
void bapi_xmi_logoff(ModuleCall& call);
void bapi_system_ms_getlist(ModuleCall& call);
void bapi_system_mon_getlist(ModuleCall& call);
void bapi_system_mon_gettree(ModuleCall& call);
void bapi_system_mte_getperfcurval(ModuleCall& call);
void bapi_system_mte_getsmvalue(ModuleCall& call);
void bapi_system_mte_getmlcurval(ModuleCall& call);
void bapi_system_mte_gettxtprop(ModuleCall& call);
void bapi_system_mte_getperfprop(ModuleCall& call);
void bapi_system_mte_getalerts(ModuleCall& call);
void bapi_system_alert_getdetails(ModuleCall& call);

// Shared by the monitoring modules: false (and RETURN filled) when the
// session has no XMI logon to "XAL" or the external user name is blank.
bool check_monitoring_access(ModuleCall& call);

}  // namespace rfcsim
