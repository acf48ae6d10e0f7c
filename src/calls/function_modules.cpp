#include "calls/function_modules.h"

namespace keldar::modules {

namespace {

using S = Structure;

constexpr ParameterSpec kUser = character("EXTERNAL_USER_NAME", kExternalUserWidth);
constexpr ParameterSpec kReturn = record("RETURN", S::BAPIRET2);
constexpr ParameterSpec kTid = record("TID", S::BAPITID);

constexpr ParameterSpec kSystemInfoIn[] = {
    integer("CURRENT_RESOURCES"), character("DIALOG_USER_TYPE", 1), integer("MAXIMAL_RESOURCES"),
    integer("RECOMMENDED_DELAY"), record("RFCSI_EXPORT", S::RFCSI),
    character("RFC_LOGIN_COMPLETE", 1),
};

constexpr ParameterSpec kVersionsOut[] = {character("INTERFACE", 3)};
constexpr TableSpec kVersionsTables[] = {{"VERSIONS", S::SXMIVERS}};

constexpr ParameterSpec kLogonOut[] = {
    character("EXTCOMPANY", 16), character("EXTPRODUCT", 16), character("INTERFACE", 3),
    character("VERSION", 10),
};
constexpr ParameterSpec kLogonIn[] = {kReturn, character("SESSIONID", 24)};

constexpr ParameterSpec kLogoffOut[] = {character("INTERFACE", 3)};
constexpr ParameterSpec kReturnOnly[] = {kReturn};

constexpr ParameterSpec kUserOnly[] = {kUser};
constexpr TableSpec kMonitorSetsTables[] = {{"MONITOR_SETS", S::BAPIMSNAME}};

constexpr ParameterSpec kMonitorListOut[] = {kUser, record("MONI_SET_NAME", S::BAPIMSNAME)};
constexpr TableSpec kMonitorNamesTables[] = {{"MONITOR_NAMES", S::BAPIMNNAME}};

constexpr ParameterSpec kTreeOut[] = {kUser, integer("MAX_TREE_DEPTH"),
                                      record("MONITOR_NAME", S::BAPIMNNAME),
                                      integer("VIS_ON_USR_LEVEL")};
constexpr TableSpec kTreeTables[] = {{"TREE_NODES", S::BAPITNDEXT}};

constexpr ParameterSpec kMteOut[] = {kUser, kTid};
constexpr ParameterSpec kPerfValueIn[] = {record("CURRENT_VALUE", S::BAPIPACVAL), kReturn};
constexpr ParameterSpec kStatusValueIn[] = {kReturn, record("VALUE", S::BAPISMCVAL)};
constexpr ParameterSpec kMessageValueIn[] = {
    record("CURRENT_VALUE", S::BAPIMLCVAL), kReturn, record("XMI_MSG_EXT", S::BAPIXMIEXT),
    record("XMI_MSG_RAW", S::BAPIXMIRAW)};
constexpr ParameterSpec kPerfPropIn[] = {record("PROPERTIES", S::BAPIPAPROP), kReturn};
constexpr ParameterSpec kTextPropIn[] = {record("PROPERTIES", S::BAPITXTPRP), kReturn};
constexpr TableSpec kAlertTables[] = {{"ALERTS", S::BAPIAID}};

constexpr ParameterSpec kDetailsOut[] = {record("AID", S::BAPIAID), kUser,
                                         character("GET_ACTIVE", 1), character("GET_HISTORY", 1)};
constexpr ParameterSpec kDetailsIn[] = {
    record("PROPERTIES", S::BAPIALERT), kReturn, kTid, record("TIME", S::BAPIALDATE),
    record("VALUE", S::BAPIALDATA), record("XMI_EXT_MSG", S::BAPIXMIEXT),
    record("XMI_RAW_MSG", S::BAPIXMIRAW)};

}  // namespace

const FunctionModule RFC_SYSTEM_INFO{"RFC_SYSTEM_INFO", {}, kSystemInfoIn, {}};
const FunctionModule SXMI_VERSIONS_GET{"SXMI_VERSIONS_GET", kVersionsOut, {}, kVersionsTables};
const FunctionModule BAPI_XMI_LOGON{"BAPI_XMI_LOGON", kLogonOut, kLogonIn, {}};
const FunctionModule BAPI_XMI_LOGOFF{"BAPI_XMI_LOGOFF", kLogoffOut, kReturnOnly, {}};
const FunctionModule BAPI_SYSTEM_MS_GETLIST{"BAPI_SYSTEM_MS_GETLIST", kUserOnly, kReturnOnly,
                                            kMonitorSetsTables};
const FunctionModule BAPI_SYSTEM_MON_GETLIST{"BAPI_SYSTEM_MON_GETLIST", kMonitorListOut,
                                             kReturnOnly, kMonitorNamesTables};
const FunctionModule BAPI_SYSTEM_MON_GETTREE{"BAPI_SYSTEM_MON_GETTREE", kTreeOut, kReturnOnly,
                                             kTreeTables};
const FunctionModule BAPI_SYSTEM_MTE_GETPERFCURVAL{"BAPI_SYSTEM_MTE_GETPERFCURVAL", kMteOut,
                                                   kPerfValueIn, {}};
const FunctionModule BAPI_SYSTEM_MTE_GETSMVALUE{"BAPI_SYSTEM_MTE_GETSMVALUE", kMteOut,
                                                kStatusValueIn, {}};
const FunctionModule BAPI_SYSTEM_MTE_GETMLCURVAL{"BAPI_SYSTEM_MTE_GETMLCURVAL", kMteOut,
                                                 kMessageValueIn, {}};
const FunctionModule BAPI_SYSTEM_MTE_GETPERFPROP{"BAPI_SYSTEM_MTE_GETPERFPROP", kMteOut,
                                                 kPerfPropIn, {}};
const FunctionModule BAPI_SYSTEM_MTE_GETTXTPROP{"BAPI_SYSTEM_MTE_GETTXTPROP", kMteOut,
                                                kTextPropIn, {}};
const FunctionModule BAPI_SYSTEM_MTE_GETALERTS{"BAPI_SYSTEM_MTE_GETALERTS", kMteOut, kReturnOnly,
                                               kAlertTables};
const FunctionModule BAPI_SYSTEM_ALERT_GETDETAILS{"BAPI_SYSTEM_ALERT_GETDETAILS", kDetailsOut,
                                                  kDetailsIn, {}};

const FunctionModule* const kAll[14] = {
    &RFC_SYSTEM_INFO,
    &SXMI_VERSIONS_GET,
    &BAPI_XMI_LOGON,
    &BAPI_XMI_LOGOFF,
    &BAPI_SYSTEM_MS_GETLIST,
    &BAPI_SYSTEM_MON_GETLIST,
    &BAPI_SYSTEM_MON_GETTREE,
    &BAPI_SYSTEM_MTE_GETPERFCURVAL,
    &BAPI_SYSTEM_MTE_GETSMVALUE,
    &BAPI_SYSTEM_MTE_GETMLCURVAL,
    &BAPI_SYSTEM_MTE_GETPERFPROP,
    &BAPI_SYSTEM_MTE_GETTXTPROP,
    &BAPI_SYSTEM_MTE_GETALERTS,
    &BAPI_SYSTEM_ALERT_GETDETAILS,
};

}  // namespace keldar::modules
