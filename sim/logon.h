// Reaching a system of the landscape and logging on to it, as an open of
// the RFC library does: by application server (host and system number), by
// gateway (R/2 mode), by destination in "SapRfc.ini", or by message server
// and logon group; then client, user and password are checked.
#pragma once

#include <map>
#include <string>

#include "landscape.h"

namespace rfcsim {

// Error groups of RfcOpenEx's error record.
enum ErrorGroup : int {
  kErrorProgram = 101,
  kErrorCommunication = 102,
  kErrorLogonFailure = 103,
};

struct OpenError {
  int group = kErrorProgram;
  std::string key;
  std::string message;
};

struct OpenRequest {
  enum class Route { None, ApplicationServer, Gateway, MessageServer };
  Route route = Route::None;
  std::string host;
  int sysnr = 0;
  std::string gateway_host, gateway_service;
  std::string message_server, r3name, group;
  std::string client, user, password, language;
};

// Sets the route of `request` from keys as a destination entry or a connect
// string carries them (ASHOST and SYSNR, MSHOST with R3NAME and GROUP, or
// GWHOST and GWSERV; TYPE if present must fit). False and `error` filled
// when they name no usable route.
bool route_from_keys(const std::map<std::string, std::string>& keys, OpenRequest& request,
                     OpenError& error);

// The route of the destination `name` in "SapRfc.ini" of the working
// directory.
bool route_from_destination(const std::string& name, OpenRequest& request, OpenError& error);

// The system the request reaches, with its logon data checked; null and
// `error` filled otherwise.
const System* reach_and_log_on(const Landscape& landscape, const OpenRequest& request,
                               OpenError& error);

}  // namespace rfcsim
