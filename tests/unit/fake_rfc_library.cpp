#include "fake_rfc_library.h"

#include <cstring>
#include <stdexcept>

namespace keldar::testing {

namespace {

FakeRfcLibrary* g_current = nullptr;

std::string text_of(const RFC_CHAR* text) { return text == nullptr ? std::string() : text; }

std::vector<FakeParameter> parameters_of(const RFC_PARAMETER* list) {
  std::vector<FakeParameter> out;
  for (; list != nullptr && list->name != nullptr; ++list) {
    FakeParameter p;
    p.name.assign(static_cast<const char*>(list->name), list->nlen);
    p.nlen = list->nlen;
    p.type = list->type;
    p.length = list->leng;
    if (list->addr != nullptr) p.value.assign(static_cast<const char*>(list->addr), list->leng);
    out.push_back(std::move(p));
  }
  return out;
}

FakeTable* table_of(ITAB_H handle) { return reinterpret_cast<FakeTable*>(handle); }

void KELDAR_RFC_API fake_environment(RFC_ENV* environment) {
  FakeRfcLibrary& f = FakeRfcLibrary::current();
  ++f.environment_registrations;
  f.handler = environment->errorhandler;
}

RFC_HANDLE KELDAR_RFC_API fake_open(RFC_OPTIONS* o) {
  FakeRfcLibrary& f = FakeRfcLibrary::current();
  FakeOpen open;
  open.destination = text_of(o->destination);
  open.mode = o->mode;
  if (o->mode == RFC_MODE_CPIC) {
    auto* g = static_cast<RFC_CONNOPT_CPIC*>(o->connopt);
    open.gateway_host_is_null = g->gateway_host == nullptr;
    open.gateway_service_is_null = g->gateway_service == nullptr;
    open.gateway_host = text_of(g->gateway_host);
    open.gateway_service = text_of(g->gateway_service);
  } else {
    auto* r = static_cast<RFC_CONNOPT_R3*>(o->connopt);
    open.host_is_null = r->hostname == nullptr;
    open.host = text_of(r->hostname);
    open.sysnr = r->sysnr;
    open.gateway_host_is_null = r->gateway_host == nullptr;
    open.gateway_service_is_null = r->gateway_service == nullptr;
    open.gateway_host = text_of(r->gateway_host);
    open.gateway_service = text_of(r->gateway_service);
  }
  open.client = text_of(o->client);
  open.user = text_of(o->user);
  open.password = text_of(o->password);
  open.language = text_of(o->language);
  open.trace = o->trace;
  f.opens.push_back(open);
  return f.open_handle;
}

RFC_HANDLE KELDAR_RFC_API fake_open_ex(const RFC_CHAR* connect, RFC_ERROR_INFO_EX*) {
  FakeRfcLibrary& f = FakeRfcLibrary::current();
  FakeOpen open;
  open.connect_string = text_of(connect);
  f.opens.push_back(open);
  return f.open_handle;
}

void KELDAR_RFC_API fake_close(RFC_HANDLE handle) { FakeRfcLibrary::current().closed.push_back(handle); }

int KELDAR_RFC_API fake_last_error(RFC_ERROR_INFO* info) {
  *info = FakeRfcLibrary::current().last_error;
  return 0;
}

RFC_RC KELDAR_RFC_API fake_install(const RFC_CHAR* name, const RFC_TYPE_ELEMENT* rows,
                                   unsigned count, RFC_TYPEHANDLE* handle) {
  FakeRfcLibrary& f = FakeRfcLibrary::current();
  f.installed.push_back(name);
  std::vector<FakeRfcLibrary::Row> copied;
  for (unsigned i = 0; i < count; ++i) {
    copied.push_back({rows[i].name, rows[i].type, rows[i].length, rows[i].decimals, rows[i].offset});
  }
  f.installed_rows.push_back(std::move(copied));
  if (f.install_code != RFC_OK) return f.install_code;
  *handle = 1000 + static_cast<RFC_TYPEHANDLE>(f.installed.size());
  return RFC_OK;
}

std::vector<ITAB_H> tables_of(const RFC_TABLE* list, std::vector<std::string>* names) {
  std::vector<ITAB_H> out;
  for (; list != nullptr && list->name != nullptr; ++list) {
    if (names != nullptr) names->emplace_back(static_cast<const char*>(list->name), list->nlen);
    out.push_back(list->ithandle);
  }
  return out;
}

RFC_RC KELDAR_RFC_API fake_call(RFC_HANDLE handle, const RFC_CHAR* function,
                                RFC_PARAMETER* exporting, RFC_TABLE* tables) {
  FakeRfcLibrary& f = FakeRfcLibrary::current();
  FakeCall call;
  call.handle = handle;
  call.function = function;
  call.exporting = parameters_of(exporting);
  call.tables_at_call = tables_of(tables, &call.table_names);
  f.calls.push_back(std::move(call));
  return f.call_code;
}

RFC_RC KELDAR_RFC_API fake_receive(RFC_HANDLE, RFC_PARAMETER* importing, RFC_TABLE* tables,
                                   RFC_CHAR** exception) {
  FakeRfcLibrary& f = FakeRfcLibrary::current();
  FakeCall& call = f.calls.back();
  call.received = true;
  call.importing = parameters_of(importing);
  call.tables_at_receive = tables_of(tables, nullptr);
  if (f.receive_code == RFC_OK && f.answer) {
    std::vector<RFC_PARAMETER*> in;
    for (RFC_PARAMETER* p = importing; p != nullptr && p->name != nullptr; ++p) in.push_back(p);
    std::vector<FakeTable*> out;
    for (ITAB_H h : call.tables_at_receive) out.push_back(table_of(h));
    f.answer(call, in, out);
  }
  if (f.receive_code == RFC_EXCEPTION || f.receive_code == RFC_SYS_EXCEPTION) {
    *exception = f.exception.data();
  }
  return f.receive_code;
}

ITAB_H KELDAR_RFC_API fake_create(const RFC_CHAR* name, unsigned length, unsigned, unsigned) {
  FakeRfcLibrary& f = FakeRfcLibrary::current();
  if (f.create_fails) return nullptr;
  auto table = std::make_unique<FakeTable>();
  table->name = name;
  table->line_length = length;
  f.tables.push_back(std::move(table));
  return reinterpret_cast<ITAB_H>(f.tables.back().get());
}

unsigned KELDAR_RFC_API fake_fill(ITAB_H table) {
  return static_cast<unsigned>(table_of(table)->lines.size());
}

void* KELDAR_RFC_API fake_get_line(ITAB_H table, unsigned line) {
  FakeRfcLibrary& f = FakeRfcLibrary::current();
  FakeTable* t = table_of(table);
  if (f.get_line_fails || line == 0 || line > t->lines.size()) return nullptr;
  return t->lines[line - 1].data();
}

int KELDAR_RFC_API fake_delete(ITAB_H table) {
  FakeRfcLibrary& f = FakeRfcLibrary::current();
  if (f.delete_fails) return 1;
  table_of(table)->deleted = true;
  return 0;
}

}  // namespace

FakeRfcLibrary::FakeRfcLibrary() {
  if (g_current != nullptr) throw std::logic_error("one fake RFC library at a time");
  g_current = this;
  api_.RfcEnvironment = &fake_environment;
  api_.RfcOpen = &fake_open;
  api_.RfcOpenEx = &fake_open_ex;
  api_.RfcClose = &fake_close;
  api_.RfcLastError = &fake_last_error;
  api_.RfcInstallStructure = &fake_install;
  api_.RfcCall = &fake_call;
  api_.RfcReceive = &fake_receive;
  api_.ItCreate = &fake_create;
  api_.ItFill = &fake_fill;
  api_.ItGetLine = &fake_get_line;
  api_.ItDelete = &fake_delete;
}

FakeRfcLibrary::~FakeRfcLibrary() { g_current = nullptr; }

FakeRfcLibrary& FakeRfcLibrary::current() { return *g_current; }

}  // namespace keldar::testing
