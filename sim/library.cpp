#include "library.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "call_check.h"
#include "call_log.h"
#include "connect_string.h"
#include "landscape_file.h"
#include "logon.h"
#include "trace_file.h"

namespace rfcsim {
namespace {

constexpr RFC_TYPEHANDLE kFirstTypeHandle = 1001;  // far from the elementary type codes

std::string text_or_empty(const char* text) {
  if (text == nullptr) return "";
  std::size_t n = 0;
  while (n < 1024 && text[n] != '\0') ++n;
  return std::string(text, n);
}

void copy_field(char* target, std::size_t size, const std::string& text) {
  std::size_t n = std::min(size - 1, text.size());
  std::memcpy(target, text.data(), n);
  target[n] = '\0';
}

void wait(int delay_ms) {
  if (delay_ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(delay_ms));
}

std::string two_digits(int n) {
  std::string s = std::to_string(n);
  return s.size() < 2 ? "0" + s : s;
}

// A module's call-log line: a module with tables reports the rows it
// delivered to the client last, as ROWS.
void log_module(const std::string& file, RFC_HANDLE handle, const FunctionSignature& signature, LogFields fields,
                std::size_t rows, int code, const std::string& exception = "") {
  if (!signature.tables.empty()) fields.emplace_back("ROWS", std::to_string(rows));
  log_call(file, handle, signature.name, fields, code, exception);
}

}  // namespace

Library& library() {
  static Library instance;
  return instance;
}

Library::~Library() { log_live_tables(call_log_, 0); }

void Library::log_live_tables(const std::string& log_file, RFC_HANDLE handle) const {
  for (ITAB_H table : tables_.live()) log_call(log_file, handle, "LiveTable", {{"TABLE", table->name}}, RFC_OK);
}

int Library::inflict(const FaultEffect& effect, const std::string& operation, const LogLine& log) {
  log(effect.code, effect.log_exception());
  fail(effect.code, operation, effect.key, effect.message);
  if (!effect.fatal.empty()) call_error_handler(effect.fatal);
  return effect.code;
}

const Fault* Library::handleless_fault(const std::string& operation, const std::string& subject,
                                       RFC_HANDLE& handle, std::string& log_file) const {
  const Connection* newest = nullptr;
  for (const auto& [h, c] : connections_) {
    if (newest == nullptr || c.opened > newest->opened) {
      newest = &c;
      handle = h;
    }
  }
  // ItGetLine comes once per line read: a system without faults answers
  // without a name being put together.
  if (newest == nullptr || newest->system->faults.empty()) return nullptr;
  log_file = newest->landscape->call_log;
  return newest->system->fault(operation + " " + subject);
}

bool Library::table_fault_strikes(const std::string& operation, const std::string& name) {
  RFC_HANDLE handle = 0;
  std::string log_file;
  const Fault* fault = handleless_fault(operation, name, handle, log_file);
  if (fault == nullptr) return false;
  wait(fault->delay_ms);
  inflict(library_fault_effect(*fault, operation, name, false), operation,
          [&](int code, const std::string& exception) {
            log_call(log_file, handle, operation, {{"TABLE", name}}, code, exception);
          });
  return true;
}

ITAB_H Library::create_table(const char* name, unsigned line_length) {
  const std::string table_name = text_or_empty(name);
  if (table_fault_strikes("ItCreate", table_name)) return nullptr;
  return tables_.create(table_name, line_length);
}

void* Library::table_line(ITAB_H table, unsigned line) {
  if (tables_.is_live(table) && table_fault_strikes("ItGetLine", table->name)) return nullptr;
  return tables_.line(table, line);
}

int Library::delete_table(ITAB_H table) {
  // A failed delete leaves the table alive, so it shows as a leak.
  if (tables_.is_live(table) && table_fault_strikes("ItDelete", table->name)) return 1;
  return tables_.remove(table) ? 0 : 1;
}

int Library::fail(int code, const std::string& operation, const std::string& key,
                  const std::string& message) {
  last_error_ = {key, operation, message, "RFCSIM rc=" + std::to_string(code)};
  write_error_block(operation, key, message);
  return code;
}

void Library::call_error_handler(const std::string& operation) {
  if (handler_ == nullptr) return;
  handler_operation_ = operation;
  handler_(handler_operation_.data());
}

void Library::set_environment(const RFC_ENV* environment) {
  handler_ = environment != nullptr ? environment->errorhandler : nullptr;
}

const StructureDefinition* Library::structure_of(RFC_TYPEHANDLE handle) const {
  auto it = structures_.find(handle);
  return it == structures_.end() ? nullptr : it->second;
}

RFC_HANDLE Library::refuse_open(const std::string& operation, const OpenError& error,
                                RFC_ERROR_INFO_EX* error_info) {
  if (error_info != nullptr) {
    error_info->group = error.group;
    copy_field(error_info->key, sizeof error_info->key, error.key);
    copy_field(error_info->message, sizeof error_info->message, error.message);
  }
  fail(RFC_FAILURE, operation, error.key, error.message);
  return 0;
}

RFC_HANDLE Library::open_request(const std::string& operation, OpenRequest& request,
                                 const std::shared_ptr<const Landscape>& landscape,
                                 RFC_ERROR_INFO_EX* error_info, const std::string& target) {
  auto refuse = [&](const OpenError& error) -> RFC_HANDLE {
    refuse_open(operation, error, error_info);
    log_call(landscape->call_log, 0, operation, {{"TARGET", target}}, RFC_FAILURE);
    return 0;
  };

  OpenError error;
  const System* system = reach_and_log_on(*landscape, request, error);
  if (system == nullptr) return refuse(error);
  wait(system->call_delay_ms);

  if (const Fault* fault = system->fault("open")) {
    wait(fault->delay_ms);
    if (!fault->fatal.empty()) {
      refuse({kErrorCommunication, fault->key.empty() ? "RFC_ERROR_COMMUNICATION" : fault->key,
              fault->message.empty() ? "Fatal error in " + fault->fatal : fault->message});
      call_error_handler(fault->fatal);
      return 0;
    }
    if (fault->code != 0 || !fault->key.empty() || !fault->message.empty()) {
      return refuse({kErrorCommunication, fault->key.empty() ? "RFC_ERROR_COMMUNICATION" : fault->key,
                     fault->message.empty() ? "partner '" + system->host + ":sapgw" + system->sysnr + "' not reached"
                                            : fault->message});
    }
  }

  RFC_HANDLE handle = 1;
  while (connections_.count(handle) != 0) ++handle;
  Connection& c = connections_[handle];
  c.landscape = landscape;
  c.system = system;
  c.opened = ++opens_;
  c.session.handle = handle;
  c.session.client = trim_right(request.client);
  c.session.user = trim_right(request.user);
  c.session.language = request.language;
  log_call(landscape->call_log, handle, operation,
           {{"TARGET", target}, {"SID", system->sid}, {"CLIENT", c.session.client}, {"USER", c.session.user}},
           RFC_OK);
  return handle;
}

RFC_HANDLE Library::open(const RFC_OPTIONS* options) {
  const std::string operation = "RfcOpen";
  std::shared_ptr<const Landscape> landscape;
  try {
    landscape = load_landscape(landscape_file_name());
  } catch (const std::exception& e) {
    fail(RFC_FAILURE, operation, "RFC_ERROR_PROGRAM", e.what());
    return 0;
  }
  call_log_ = landscape->call_log;
  if (options == nullptr) {
    fail(RFC_FAILURE, operation, "RFC_ERROR_PROGRAM", "RfcOpen without options");
    return 0;
  }
  OpenRequest request;
  request.client = text_or_empty(options->client);
  request.user = text_or_empty(options->user);
  request.password = text_or_empty(options->password);
  request.language = text_or_empty(options->language);
  std::string destination = text_or_empty(options->destination);
  std::string target;
  OpenError error;
  bool routed = false;
  if (options->mode == RFC_MODE_R3ONLY && options->connopt != nullptr &&
      !text_or_empty(static_cast<const RFC_CONNOPT_R3*>(options->connopt)->hostname).empty()) {
    const auto* r3 = static_cast<const RFC_CONNOPT_R3*>(options->connopt);
    request.route = OpenRequest::Route::ApplicationServer;
    request.host = text_or_empty(r3->hostname);
    request.sysnr = r3->sysnr;
    target = request.host + "/" + two_digits(r3->sysnr);
    routed = true;
  } else if (options->mode == RFC_MODE_CPIC && options->connopt != nullptr &&
             !text_or_empty(static_cast<const RFC_CONNOPT_CPIC*>(options->connopt)->gateway_host).empty()) {
    const auto* cpic = static_cast<const RFC_CONNOPT_CPIC*>(options->connopt);
    request.route = OpenRequest::Route::Gateway;
    request.gateway_host = text_or_empty(cpic->gateway_host);
    request.gateway_service = text_or_empty(cpic->gateway_service);
    target = request.gateway_host + "/" + request.gateway_service;
    routed = true;
  } else if (options->mode != RFC_MODE_R3ONLY && options->mode != RFC_MODE_CPIC) {
    error = {kErrorProgram, "RFC_ERROR_PROGRAM", "Unknown connection mode " + std::to_string(options->mode)};
  } else if (!destination.empty()) {
    target = "DEST=" + destination;
    routed = route_from_destination(destination, request, error);
  } else {
    error = {kErrorProgram, "RFC_ERROR_PROGRAM", "No partner given: no host name, gateway or destination"};
  }
  if (!routed) {
    fail(RFC_FAILURE, operation, error.key, error.message);
    log_call(landscape->call_log, 0, operation, {{"TARGET", target}}, RFC_FAILURE);
    return 0;
  }
  return open_request(operation, request, landscape, nullptr, target);
}

RFC_HANDLE Library::open_ex(const char* connect_string, RFC_ERROR_INFO_EX* error_info) {
  const std::string operation = "RfcOpenEx";
  if (error_info != nullptr) std::memset(error_info, 0, sizeof *error_info);
  auto refuse = [&](const OpenError& error) -> RFC_HANDLE {
    return refuse_open(operation, error, error_info);
  };
  std::shared_ptr<const Landscape> landscape;
  try {
    landscape = load_landscape(landscape_file_name());
  } catch (const std::exception& e) {
    return refuse({kErrorProgram, "RFC_ERROR_PROGRAM", e.what()});
  }
  call_log_ = landscape->call_log;
  std::map<std::string, std::string> keys;
  try {
    keys = parse_connect_string(text_or_empty(connect_string));
  } catch (const ConnectStringError& e) {
    return refuse({kErrorProgram, "RFC_ERROR_PROGRAM", e.what()});
  }
  OpenRequest request;
  auto key = [&keys](const char* name) {
    auto it = keys.find(name);
    return it == keys.end() ? std::string() : it->second;
  };
  request.client = key("CLIENT");
  request.user = key("USER");
  request.password = key("PASSWD");
  request.language = key("LANG");
  OpenError error;
  std::string target;
  bool routed;
  if (!key("DEST").empty()) {
    target = "DEST=" + key("DEST");
    routed = route_from_destination(key("DEST"), request, error);
  } else {
    routed = route_from_keys(keys, request, error);
    target = request.route == OpenRequest::Route::MessageServer ? request.message_server + "/" + request.r3name
                                                                : request.host + "/" + two_digits(request.sysnr);
  }
  if (!routed) {
    refuse(error);
    log_call(landscape->call_log, 0, operation, {{"TARGET", target}}, RFC_FAILURE);
    return 0;
  }
  return open_request(operation, request, landscape, error_info, target);
}

void Library::close(RFC_HANDLE handle) {
  if (handle == 0) {
    // Tables belong to no connection: each call log hears of them once,
    // under the handle 0 of the close, before its first RfcClose line.
    std::vector<std::string> told;
    for (const auto& [h, c] : connections_) {
      const std::string& file = c.landscape->call_log;
      if (std::find(told.begin(), told.end(), file) == told.end()) {
        log_live_tables(file, 0);
        told.push_back(file);
      }
      log_call(file, h, "RfcClose", {}, RFC_OK);
    }
    connections_.clear();
    return;
  }
  auto it = connections_.find(handle);
  if (it == connections_.end()) return;  // closing twice is harmless, as with the real library
  const std::string& file = it->second.landscape->call_log;
  log_live_tables(file, handle);
  log_call(file, handle, "RfcClose", {}, RFC_OK);
  connections_.erase(it);
}

int Library::last_error(RFC_ERROR_INFO* info) const {
  if (info == nullptr) return 1;
  std::memset(info, 0, sizeof *info);
  copy_field(info->key, sizeof info->key, last_error_.key);
  copy_field(info->status, sizeof info->status, last_error_.status);
  copy_field(info->message, sizeof info->message, last_error_.message);
  copy_field(info->intstat, sizeof info->intstat, last_error_.intstat);
  return 0;
}

RFC_RC Library::install_structure(const char* name, const RFC_TYPE_ELEMENT* elements, unsigned entries,
                                  RFC_TYPEHANDLE* handle) {
  const std::string operation = "RfcInstallStructure";
  const std::string structure_name = text_or_empty(name);
  auto log = [&](int code, const std::string& exception) {
    log_call(call_log_, 0, operation, {{"NAME", structure_name}}, code, exception);
  };
  auto refuse = [&](const std::string& message) {
    log(RFC_FAILURE, "");
    return fail(RFC_FAILURE, operation, "RFC_ERROR_PROGRAM", message);
  };
  if (name == nullptr || handle == nullptr) return refuse("RfcInstallStructure without name or type handle");
  const StructureDefinition* s = find_structure(structure_name);
  if (s == nullptr) return refuse("Structure " + structure_name + " is not known to this system");
  if (entries != s->fields.size()) {
    return refuse("Structure " + structure_name + ": " + std::to_string(entries) +
                  " fields given, the structure has " + std::to_string(s->fields.size()));
  }
  if (elements == nullptr) return refuse("Structure " + structure_name + ": no field descriptions");
  for (unsigned i = 0; i < entries; ++i) {
    const RFC_TYPE_ELEMENT& e = elements[i];
    const FieldDefinition& f = s->fields[i];
    std::string where = "Structure " + structure_name + ", field " + std::to_string(i + 1) + " (" + f.name + ")";
    std::string given = text_or_empty(e.name);
    if (given != f.name) return refuse(where + ": name " + given + " given");
    if (e.type != f.type) return refuse(where + ": " + elementary_type_name(e.type) + " given, expected " + elementary_type_name(f.type));
    if (e.length != f.length) {
      return refuse(where + ": length " + std::to_string(e.length) + " given, expected " + std::to_string(f.length));
    }
    if (e.decimals != 0) return refuse(where + ": " + std::to_string(e.decimals) + " decimals given, expected 0");
    if (e.offset != 0 && e.offset != f.offset) {
      return refuse(where + ": offset " + std::to_string(e.offset) + " given, the field is at " +
                    std::to_string(f.offset));
    }
  }
  RFC_HANDLE connection = 0;
  std::string unused;
  if (const Fault* fault = handleless_fault(operation, structure_name, connection, unused)) {
    wait(fault->delay_ms);
    return inflict(library_fault_effect(*fault, operation, structure_name, true), operation, log);
  }
  auto it = type_handles_.find(structure_name);
  if (it == type_handles_.end()) {
    RFC_TYPEHANDLE next = kFirstTypeHandle + static_cast<RFC_TYPEHANDLE>(type_handles_.size());
    it = type_handles_.emplace(structure_name, next).first;
    structures_[next] = s;
  }
  *handle = it->second;
  log(RFC_OK, "");
  return RFC_OK;
}

RFC_RC Library::call(RFC_HANDLE handle, const char* function, RFC_PARAMETER* exporting, RFC_TABLE* tables) {
  const std::string operation = "RfcCall";
  auto it = connections_.find(handle);
  if (it == connections_.end()) {
    return fail(RFC_FAILURE, operation, "RFC_INVALID_HANDLE", "Invalid RFC handle " + std::to_string(handle));
  }
  Connection& c = it->second;
  const std::string log_file = c.landscape->call_log;
  std::string name = text_or_empty(function);
  const FunctionSignature* signature = find_function(name);
  if (signature == nullptr) {
    log_call(log_file, handle, name.empty() ? "(none)" : name, {}, RFC_FAILURE, "FU_NOT_FOUND");
    return fail(RFC_FAILURE, operation, "FU_NOT_FOUND", "Function module \"" + name + "\" not found");
  }
  auto refuse = [&](const std::string& message) {
    log_module(log_file, handle, *signature, {}, 0, RFC_FAILURE, "RFC_ERROR_PROGRAM");
    return fail(RFC_FAILURE, operation, "RFC_ERROR_PROGRAM", message);
  };
  if (c.pending != nullptr) {
    return refuse("RfcCall of " + name + " while the answer of " + c.pending->name + " has not been received");
  }
  TypeLookup lookup = [this](RFC_TYPEHANDLE h) { return structure_of(h); };
  std::vector<const RFC_PARAMETER*> found;
  std::string error = check_parameters(*signature, signature->exporting, exporting, "exporting", lookup, found);
  if (error.empty()) error = check_character_values(*signature, found, lookup);
  std::vector<ITAB_H> sent_tables;
  if (error.empty()) error = check_tables(*signature, tables, lookup, tables_, sent_tables);
  if (error.empty()) error = check_tables_to_send(*signature, sent_tables);
  if (!error.empty()) return refuse(error);
  std::map<std::string, Bytes> values;
  for (std::size_t i = 0; i < found.size(); ++i) {
    const auto* bytes = static_cast<const unsigned char*>(found[i]->addr);
    values[signature->exporting[i].name] = Bytes(bytes, bytes + found[i]->leng);
  }
  if (const Fault* fault = c.system->fault("RfcCall " + name)) {
    wait(fault->delay_ms);
    FaultEffect effect = module_fault_effect(*fault, name);
    if (effect.code != RFC_OK) {
      return inflict(effect, operation, [&](int code, const std::string& exception) {
        log_module(log_file, handle, *signature, sent_fields(*signature, values), 0, code, exception);
      });
    }
  }
  c.exporting = std::move(values);
  c.sent_tables = std::move(sent_tables);
  c.pending = signature;
  return RFC_OK;
}

RFC_RC Library::receive(RFC_HANDLE handle, RFC_PARAMETER* importing, RFC_TABLE* tables, char** exception) {
  const std::string operation = "RfcReceive";
  exception_text_.clear();
  if (exception != nullptr) *exception = exception_text_.data();
  auto it = connections_.find(handle);
  if (it == connections_.end()) {
    return fail(RFC_FAILURE, operation, "RFC_INVALID_HANDLE", "Invalid RFC handle " + std::to_string(handle));
  }
  Connection& c = it->second;
  if (c.pending == nullptr) {
    return fail(RFC_FAILURE, operation, "RFC_ERROR_PROGRAM", "RfcReceive without a preceding RfcCall");
  }
  const FunctionSignature& signature = *c.pending;
  c.pending = nullptr;
  const std::string log_file = c.landscape->call_log;

  const std::vector<ITAB_H> sent_tables = std::move(c.sent_tables);
  c.sent_tables.clear();

  TypeLookup lookup = [this](RFC_TYPEHANDLE h) { return structure_of(h); };
  std::vector<const RFC_PARAMETER*> found;
  std::string error = check_parameters(signature, signature.importing, importing, "importing", lookup, found);
  std::vector<ITAB_H> received_tables;
  if (error.empty()) error = check_tables(signature, tables, lookup, tables_, received_tables);
  if (error.empty()) error = check_tables_received(signature, sent_tables, received_tables);
  if (!error.empty()) {
    log_module(log_file, handle, signature, {}, 0, RFC_FAILURE, "RFC_ERROR_PROGRAM");
    return fail(RFC_FAILURE, operation, "RFC_ERROR_PROGRAM", error);
  }

  wait(c.system->call_delay_ms);
  ModuleCall module(signature, *c.system, c.session, std::time(nullptr), std::move(c.exporting));
  c.exporting.clear();
  auto raise = [&](const std::string& text) {
    exception_text_ = text;
    if (exception != nullptr) *exception = exception_text_.data();
  };
  try {
    run_module(signature.name, module);
  } catch (const std::exception& e) {
    raise("SYSTEM_FAILURE");
    log_module(log_file, handle, signature, module.log_fields(), 0, RFC_SYS_EXCEPTION, exception_text_);
    return fail(RFC_SYS_EXCEPTION, operation, "RFC_ERROR_SYSTEM_FAILURE", e.what());
  }

  if (const Fault* fault = c.system->fault(signature.name)) {
    wait(fault->delay_ms);
    FaultEffect effect = module_fault_effect(*fault, signature.name);
    if (effect.code != RFC_OK) {
      if (!effect.exception.empty()) raise(effect.exception);
      return inflict(effect, operation, [&](int code, const std::string& text) {
        log_module(log_file, handle, signature, module.log_fields(), 0, code, text);
      });
    }
  }

  if (module.code() != RFC_OK) {
    raise(module.exception());
    log_module(log_file, handle, signature, module.log_fields(), 0, module.code(), exception_text_);
    return fail(module.code(), operation, "RFC_ERROR_APPLICATION_EXCEPTION",
                signature.name + ": exception " + exception_text_);
  }

  for (std::size_t i = 0; i < found.size(); ++i) {
    const Bytes& value = module.importing().at(signature.importing[i].name);
    std::memcpy(found[i]->addr, value.data(), std::min<std::size_t>(value.size(), found[i]->leng));
  }
  std::size_t rows = 0;
  for (std::size_t i = 0; i < received_tables.size(); ++i) {
    ITAB_H itab = received_tables[i];
    tables_.clear(itab);
    std::vector<Bytes> lines = module.take_table(signature.tables[i].name);
    itab->lines.reserve(lines.size());
    for (Bytes& line : lines) tables_.append(itab, std::move(line));
    rows += lines.size();
  }
  log_module(log_file, handle, signature, module.log_fields(), rows, RFC_OK);
  return RFC_OK;
}

}  // namespace rfcsim
