// The SAP function modules that the sensor calls, described as data: name
// and parameters, each list in the order in which it is sent.
#pragma once

#include "rfc/function_call.h"

namespace keldar::modules {

extern const FunctionModule RFC_SYSTEM_INFO;
extern const FunctionModule SXMI_VERSIONS_GET;
extern const FunctionModule BAPI_XMI_LOGON;
extern const FunctionModule BAPI_XMI_LOGOFF;
extern const FunctionModule BAPI_SYSTEM_MS_GETLIST;
extern const FunctionModule BAPI_SYSTEM_MON_GETLIST;
extern const FunctionModule BAPI_SYSTEM_MON_GETTREE;
extern const FunctionModule BAPI_SYSTEM_MTE_GETPERFCURVAL;
extern const FunctionModule BAPI_SYSTEM_MTE_GETSMVALUE;
extern const FunctionModule BAPI_SYSTEM_MTE_GETMLCURVAL;
extern const FunctionModule BAPI_SYSTEM_MTE_GETPERFPROP;
extern const FunctionModule BAPI_SYSTEM_MTE_GETTXTPROP;
extern const FunctionModule BAPI_SYSTEM_MTE_GETALERTS;
extern const FunctionModule BAPI_SYSTEM_ALERT_GETDETAILS;

// Every module, for tests that walk them all.
extern const FunctionModule* const kAll[14];

// Width of EXTERNAL_USER_NAME, which every monitoring module sends.
inline constexpr unsigned kExternalUserWidth = 16;

}  // namespace keldar::modules
