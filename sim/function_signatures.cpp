#include "function_signatures.h"

#include <map>
#include <set>

#include "rfc/rfc_interface.h"
#include "structure_catalogue.h"

namespace rfcsim {
namespace {

ParameterSignature text(const char* name, unsigned length) { return {name, TYPC, "", length}; }
ParameterSignature integer(const char* name) { return {name, TYPINT, "", 4}; }
ParameterSignature structure(const char* name, const char* structure_name) {
  const StructureDefinition* s = find_structure(structure_name);
  return {name, 0, structure_name, s != nullptr ? s->size : 0};
}

std::map<std::string, FunctionSignature, std::less<>> build() {
  std::map<std::string, FunctionSignature, std::less<>> modules;
  auto add = [&modules](FunctionSignature f) {
    std::string key = f.name;
    modules.emplace(std::move(key), std::move(f));
  };
  const ParameterSignature user = text("EXTERNAL_USER_NAME", 16);
  const ParameterSignature tid = structure("TID", "BAPITID");
  const ParameterSignature ret = structure("RETURN", "BAPIRET2");

  add({"RFC_SYSTEM_INFO",
       {},
       {integer("CURRENT_RESOURCES"), text("DIALOG_USER_TYPE", 1), integer("MAXIMAL_RESOURCES"),
        integer("RECOMMENDED_DELAY"), structure("RFCSI_EXPORT", "RFCSI"),
        text("RFC_LOGIN_COMPLETE", 1)},
       {}});
  add({"SXMI_VERSIONS_GET", {text("INTERFACE", 3)}, {}, {structure("VERSIONS", "SXMIVERS")}});
  add({"BAPI_XMI_LOGON",
       {text("EXTCOMPANY", 16), text("EXTPRODUCT", 16), text("INTERFACE", 3), text("VERSION", 10)},
       {ret, text("SESSIONID", 24)},
       {}});
  add({"BAPI_XMI_LOGOFF", {text("INTERFACE", 3)}, {ret}, {}});
  add({"BAPI_SYSTEM_MS_GETLIST", {user}, {ret}, {structure("MONITOR_SETS", "BAPIMSNAME")}});
  add({"BAPI_SYSTEM_MON_GETLIST",
       {user, structure("MONI_SET_NAME", "BAPIMSNAME")},
       {ret},
       {structure("MONITOR_NAMES", "BAPIMNNAME")}});
  add({"BAPI_SYSTEM_MON_GETTREE",
       {user, integer("MAX_TREE_DEPTH"), structure("MONITOR_NAME", "BAPIMNNAME"),
        integer("VIS_ON_USR_LEVEL")},
       {ret},
       {structure("TREE_NODES", "BAPITNDEXT")}});
  add({"BAPI_SYSTEM_MTE_GETPERFCURVAL",
       {user, tid},
       {structure("CURRENT_VALUE", "BAPIPACVAL"), ret},
       {}});
  add({"BAPI_SYSTEM_MTE_GETSMVALUE", {user, tid}, {ret, structure("VALUE", "BAPISMCVAL")}, {}});
  add({"BAPI_SYSTEM_MTE_GETMLCURVAL",
       {user, tid},
       {structure("CURRENT_VALUE", "BAPIMLCVAL"), ret, structure("XMI_MSG_EXT", "BAPIXMIEXT"),
        structure("XMI_MSG_RAW", "BAPIXMIRAW")},
       {}});
  add({"BAPI_SYSTEM_MTE_GETTXTPROP", {user, tid}, {structure("PROPERTIES", "BAPITXTPRP"), ret}, {}});
  add({"BAPI_SYSTEM_MTE_GETPERFPROP", {user, tid}, {structure("PROPERTIES", "BAPIPAPROP"), ret}, {}});
  add({"BAPI_SYSTEM_MTE_GETALERTS", {user, tid}, {ret}, {structure("ALERTS", "BAPIAID")}});
  add({"BAPI_SYSTEM_ALERT_GETDETAILS",
       {structure("AID", "BAPIAID"), user, text("GET_ACTIVE", 1),
        text("GET_HISTORY", 1)},
       {structure("PROPERTIES", "BAPIALERT"), ret, tid, structure("TIME", "BAPIALDATE"),
        structure("VALUE", "BAPIALDATA"), structure("XMI_EXT_MSG", "BAPIXMIEXT"),
        structure("XMI_RAW_MSG", "BAPIXMIRAW")},
       {}});
  return modules;
}

const std::map<std::string, FunctionSignature, std::less<>>& modules() {
  static const auto all = build();
  return all;
}

}  // namespace

const FunctionSignature* find_function(std::string_view name) {
  auto it = modules().find(name);
  return it == modules().end() ? nullptr : &it->second;
}

std::vector<std::string> function_names() {
  std::vector<std::string> names;
  for (const auto& [name, signature] : modules()) names.push_back(name);
  return names;
}

std::vector<std::string> table_parameter_names() {
  std::set<std::string> names;
  for (const auto& [name, signature] : modules()) {
    for (const ParameterSignature& table : signature.tables) names.insert(table.name);
  }
  return {names.begin(), names.end()};
}

}  // namespace rfcsim
