#include "logon.h"

#include <cctype>
#include <fstream>
#include <sstream>

#include "destination_file.h"
#include "record.h"

namespace rfcsim {
namespace {

bool same_host(const std::string& a, const std::string& b) { return upper(a) == upper(b); }

std::string key_of(const std::map<std::string, std::string>& keys, const char* key) {
  auto it = keys.find(key);
  return it == keys.end() ? std::string() : it->second;
}

bool fail(OpenError& error, int group, const std::string& key, const std::string& message) {
  error = {group, key, message};
  return false;
}

bool parse_sysnr(const std::string& text, int& sysnr) {
  if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  sysnr = std::stoi(text);
  return true;
}

std::string two_digits(int n) {
  std::string s = std::to_string(n);
  return s.size() < 2 ? "0" + s : s;
}

}  // namespace

bool route_from_keys(const std::map<std::string, std::string>& keys, OpenRequest& request,
                     OpenError& error) {
  std::string type = upper(key_of(keys, "TYPE"));
  std::string ashost = key_of(keys, "ASHOST");
  std::string mshost = key_of(keys, "MSHOST");
  if (type == "A" || (type.empty() && !ashost.empty())) {
    if (ashost.empty()) return fail(error, kErrorProgram, "RFC_ERROR_PROGRAM", "ASHOST is missing for TYPE=A");
    if (!parse_sysnr(key_of(keys, "SYSNR"), request.sysnr)) {
      return fail(error, kErrorProgram, "RFC_ERROR_PROGRAM", "SYSNR must be a system number of two digits");
    }
    request.route = OpenRequest::Route::ApplicationServer;
    request.host = ashost;
    request.gateway_host = key_of(keys, "GWHOST");
    request.gateway_service = key_of(keys, "GWSERV");
    return true;
  }
  if (type == "B" || (type.empty() && !mshost.empty())) {
    if (mshost.empty()) return fail(error, kErrorProgram, "RFC_ERROR_PROGRAM", "MSHOST is missing for TYPE=B");
    request.route = OpenRequest::Route::MessageServer;
    request.message_server = mshost;
    request.r3name = key_of(keys, "R3NAME");
    request.group = key_of(keys, "GROUP");
    if (request.r3name.empty()) return fail(error, kErrorProgram, "RFC_ERROR_PROGRAM", "R3NAME is missing for TYPE=B");
    if (request.group.empty()) request.group = "PUBLIC";
    return true;
  }
  if (type.empty() && !key_of(keys, "GWHOST").empty()) {
    request.route = OpenRequest::Route::Gateway;
    request.gateway_host = key_of(keys, "GWHOST");
    request.gateway_service = key_of(keys, "GWSERV");
    return true;
  }
  if (!type.empty()) {
    return fail(error, kErrorProgram, "RFC_ERROR_PROGRAM", "Connection type TYPE=" + type + " is not supported");
  }
  return fail(error, kErrorProgram, "RFC_ERROR_PROGRAM",
              "No partner given: ASHOST and SYSNR, MSHOST, R3NAME and GROUP, or DEST are missing");
}

bool route_from_destination(const std::string& name, OpenRequest& request, OpenError& error) {
  std::ifstream in(kDestinationFileName, std::ios::binary);
  if (!in) {
    return fail(error, kErrorProgram, "RFC_ERROR_PROGRAM",
                std::string("Destination ") + name + ": " + kDestinationFileName +
                    " not found in the working directory");
  }
  std::ostringstream text;
  text << in.rdbuf();
  std::optional<Destination> entry = find_destination(text.str(), name);
  if (!entry) {
    return fail(error, kErrorProgram, "RFC_ERROR_PROGRAM",
                "Destination " + name + " does not exist in " + kDestinationFileName);
  }
  return route_from_keys(entry->keys, request, error);
}

const System* reach_and_log_on(const Landscape& landscape, const OpenRequest& request,
                               OpenError& error) {
  const System* system = nullptr;
  std::string partner;
  for (const System& s : landscape.systems) {
    switch (request.route) {
      case OpenRequest::Route::ApplicationServer:
        partner = request.host + ":sapgw" + two_digits(request.sysnr);
        if (same_host(s.host, request.host) && std::stoi(s.sysnr) == request.sysnr) system = &s;
        break;
      case OpenRequest::Route::Gateway:
        partner = request.gateway_host + ":" + request.gateway_service;
        if (same_host(s.gateway_host, request.gateway_host) && s.gateway_service == request.gateway_service) {
          system = &s;
        }
        break;
      case OpenRequest::Route::MessageServer:
        partner = "message server " + request.message_server + " of " + request.r3name;
        if (!s.message_server.empty() && same_host(s.message_server, request.message_server) &&
            s.sid == request.r3name) {
          bool group_known = false;
          for (const std::string& g : s.logon_groups) group_known = group_known || g == request.group;
          if (!group_known) {
            fail(error, kErrorCommunication, "RFC_ERROR_COMMUNICATION",
                 "Logon group " + request.group + " of " + s.sid + " not found");
            return nullptr;
          }
          system = &s;
        }
        break;
      case OpenRequest::Route::None:
        fail(error, kErrorProgram, "RFC_ERROR_PROGRAM", "No partner given");
        return nullptr;
    }
    if (system != nullptr) break;
  }
  if (system == nullptr) {
    fail(error, kErrorCommunication, "RFC_ERROR_COMMUNICATION", "partner '" + partner + "' not reached");
    return nullptr;
  }

  std::string client = trim_right(request.client);
  auto users = system->clients.find(client);
  if (users == system->clients.end()) {
    fail(error, kErrorLogonFailure, "RFC_ERROR_LOGON_FAILURE",
         "Client " + client + " is not available in this system");
    return nullptr;
  }
  auto user = users->second.find(upper(trim_right(request.user)));
  if (user == users->second.end() || user->second != trim_right(request.password)) {
    fail(error, kErrorLogonFailure, "RFC_ERROR_LOGON_FAILURE", "Name or password is incorrect (repeat logon)");
    return nullptr;
  }
  return system;
}

}  // namespace rfcsim
