#include "answer_script.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace keldar::fuzz {

namespace {

ScriptedLibrary* g_scripted = nullptr;
RecordingLibrary* g_recorder = nullptr;

// --- The scripted library ---------------------------------------------------

void KELDAR_RFC_API scripted_environment(RFC_ENV*) {}

RFC_HANDLE KELDAR_RFC_API scripted_open(RFC_OPTIONS*) { return g_scripted->byte() == 0 ? 0 : 1; }

RFC_HANDLE KELDAR_RFC_API scripted_open_ex(const RFC_CHAR*, RFC_ERROR_INFO_EX* error) {
  if (g_scripted->byte() != 0) return 1;
  if (error != nullptr) {
    std::string key = g_scripted->bytes(sizeof error->key);
    std::string message = g_scripted->bytes(sizeof error->message);
    error->group = 1;
    std::memcpy(error->key, key.data(), key.size());
    std::memcpy(error->message, message.data(), message.size());
  }
  return 0;
}

void KELDAR_RFC_API scripted_close(RFC_HANDLE) {}

// The fields come as they are: without a NUL byte, if the script says so.
int KELDAR_RFC_API scripted_last_error(RFC_ERROR_INFO* info) {
  std::string bytes = g_scripted->bytes(sizeof *info);
  std::memcpy(info, bytes.data(), bytes.size());
  return 0;
}

RFC_RC KELDAR_RFC_API scripted_install(const RFC_CHAR*, const RFC_TYPE_ELEMENT*, unsigned,
                                       RFC_TYPEHANDLE* handle) {
  static RFC_TYPEHANDLE next = 1000;
  *handle = ++next;
  return RFC_OK;
}

RFC_RC KELDAR_RFC_API scripted_call(RFC_HANDLE, const RFC_CHAR*, RFC_PARAMETER*, RFC_TABLE*) {
  return static_cast<RFC_RC>(g_scripted->byte());
}

RFC_RC KELDAR_RFC_API scripted_receive(RFC_HANDLE, RFC_PARAMETER* importing, RFC_TABLE* tables,
                                       RFC_CHAR** exception) {
  ScriptedLibrary& s = *g_scripted;
  auto code = static_cast<RFC_RC>(s.byte());
  s.exception = s.bytes(s.byte());
  if (code == RFC_EXCEPTION || code == RFC_SYS_EXCEPTION) {
    if (exception != nullptr) *exception = s.exception.data();
  }
  if (code != RFC_OK) return code;
  for (RFC_PARAMETER* p = importing; p != nullptr && p->name != nullptr; ++p) {
    std::string value = s.bytes(p->leng);
    if (p->addr != nullptr) std::memcpy(p->addr, value.data(), value.size());
  }
  for (RFC_TABLE* t = tables; t != nullptr && t->name != nullptr; ++t) {
    unsigned count = s.byte();
    count |= s.byte() << 8;
    count = std::min(count, kMaxRows);
    auto* table = reinterpret_cast<ScriptedLibrary::Table*>(t->ithandle);
    if (table == nullptr) continue;
    table->rows.clear();
    for (unsigned i = 0; i < count; ++i) table->rows.push_back(s.bytes(table->line_length));
  }
  return RFC_OK;
}

ITAB_H KELDAR_RFC_API scripted_create(const RFC_CHAR*, unsigned length, unsigned, unsigned) {
  return reinterpret_cast<ITAB_H>(g_scripted->create_table(length));
}

unsigned KELDAR_RFC_API scripted_fill(ITAB_H handle) {
  return static_cast<unsigned>(reinterpret_cast<ScriptedLibrary::Table*>(handle)->rows.size());
}

void* KELDAR_RFC_API scripted_get_line(ITAB_H handle, unsigned line) {
  auto* table = reinterpret_cast<ScriptedLibrary::Table*>(handle);
  if (line == 0 || line > table->rows.size()) return nullptr;
  return table->rows[line - 1].data();
}

// Tables live until the next start, so a row the sensor still points to
// stays valid.
int KELDAR_RFC_API scripted_delete(ITAB_H) { return 0; }

// --- The recorder -------------------------------------------------------------

void put_byte(unsigned value) {
  char c = static_cast<char>(std::min(value, 255u));
  g_recorder->append(std::string_view(&c, 1));
}

void put_code(RFC_RC code) { put_byte(code < 0 ? 255u : static_cast<unsigned>(code)); }

void KELDAR_RFC_API recording_environment(RFC_ENV* environment) {
  g_recorder->real().RfcEnvironment(environment);
}

RFC_HANDLE KELDAR_RFC_API recording_open(RFC_OPTIONS* options) {
  RFC_HANDLE handle = g_recorder->real().RfcOpen(options);
  put_byte(handle == 0 ? 0 : 1);
  return handle;
}

RFC_HANDLE KELDAR_RFC_API recording_open_ex(const RFC_CHAR* connect, RFC_ERROR_INFO_EX* error) {
  RFC_HANDLE handle = g_recorder->real().RfcOpenEx(connect, error);
  put_byte(handle == 0 ? 0 : 1);
  if (handle == 0 && error != nullptr) {
    g_recorder->append(std::string_view(error->key, sizeof error->key));
    g_recorder->append(std::string_view(error->message, sizeof error->message));
  }
  return handle;
}

void KELDAR_RFC_API recording_close(RFC_HANDLE handle) { g_recorder->real().RfcClose(handle); }

int KELDAR_RFC_API recording_last_error(RFC_ERROR_INFO* info) {
  int result = g_recorder->real().RfcLastError(info);
  g_recorder->append(std::string_view(reinterpret_cast<const char*>(info), sizeof *info));
  return result;
}

RFC_RC KELDAR_RFC_API recording_install(const RFC_CHAR* name, const RFC_TYPE_ELEMENT* elements,
                                        unsigned entries, RFC_TYPEHANDLE* handle) {
  return g_recorder->real().RfcInstallStructure(name, elements, entries, handle);
}

RFC_RC KELDAR_RFC_API recording_call(RFC_HANDLE handle, const RFC_CHAR* function,
                                     RFC_PARAMETER* exporting, RFC_TABLE* tables) {
  RFC_RC code = g_recorder->real().RfcCall(handle, function, exporting, tables);
  put_code(code);
  return code;
}

RFC_RC KELDAR_RFC_API recording_receive(RFC_HANDLE handle, RFC_PARAMETER* importing,
                                        RFC_TABLE* tables, RFC_CHAR** exception) {
  const RfcApi& real = g_recorder->real();
  RFC_CHAR* text = nullptr;
  RFC_RC code = real.RfcReceive(handle, importing, tables, &text);
  if (exception != nullptr) *exception = text;
  put_code(code);
  std::string_view raised;
  if ((code == RFC_EXCEPTION || code == RFC_SYS_EXCEPTION) && text != nullptr) raised = text;
  raised = raised.substr(0, 255);
  put_byte(static_cast<unsigned>(raised.size()));
  g_recorder->append(raised);
  if (code != RFC_OK) return code;
  for (RFC_PARAMETER* p = importing; p != nullptr && p->name != nullptr; ++p) {
    if (p->addr != nullptr) {
      g_recorder->append(std::string_view(static_cast<const char*>(p->addr), p->leng));
    } else {
      g_recorder->append(std::string(p->leng, '\0'));
    }
  }
  for (RFC_TABLE* t = tables; t != nullptr && t->name != nullptr; ++t) {
    unsigned count = std::min(real.ItFill(t->ithandle), kMaxRows);
    put_byte(count & 0xff);
    put_byte(count >> 8);
    const unsigned length = g_recorder->line_length(t->ithandle);
    for (unsigned i = 1; i <= count; ++i) {
      const void* row = real.ItGetLine(t->ithandle, i);
      if (row != nullptr) {
        g_recorder->append(std::string_view(static_cast<const char*>(row), length));
      } else {
        g_recorder->append(std::string(length, '\0'));
      }
    }
  }
  return code;
}

ITAB_H KELDAR_RFC_API recording_create(const RFC_CHAR* name, unsigned length, unsigned occurs,
                                       unsigned memory) {
  ITAB_H table = g_recorder->real().ItCreate(name, length, occurs, memory);
  g_recorder->created(table, length);
  return table;
}
unsigned KELDAR_RFC_API recording_fill(ITAB_H table) { return g_recorder->real().ItFill(table); }
void* KELDAR_RFC_API recording_get_line(ITAB_H table, unsigned line) {
  return g_recorder->real().ItGetLine(table, line);
}
int KELDAR_RFC_API recording_delete(ITAB_H table) { return g_recorder->real().ItDelete(table); }

}  // namespace

ScriptedLibrary::ScriptedLibrary() {
  if (g_scripted != nullptr) throw std::logic_error("one scripted RFC library at a time");
  g_scripted = this;
  api_.RfcEnvironment = &scripted_environment;
  api_.RfcOpen = &scripted_open;
  api_.RfcOpenEx = &scripted_open_ex;
  api_.RfcClose = &scripted_close;
  api_.RfcLastError = &scripted_last_error;
  api_.RfcInstallStructure = &scripted_install;
  api_.RfcCall = &scripted_call;
  api_.RfcReceive = &scripted_receive;
  api_.ItCreate = &scripted_create;
  api_.ItFill = &scripted_fill;
  api_.ItGetLine = &scripted_get_line;
  api_.ItDelete = &scripted_delete;
}

ScriptedLibrary::~ScriptedLibrary() { g_scripted = nullptr; }

void ScriptedLibrary::start(std::string_view script) {
  script_ = script;
  position_ = 0;
  tables_.clear();
  exception.clear();
}

unsigned ScriptedLibrary::byte() {
  if (position_ >= script_.size()) return 0;
  return static_cast<unsigned char>(script_[position_++]);
}

std::string ScriptedLibrary::bytes(std::size_t count) {
  std::string out(script_.substr(std::min(position_, script_.size()), count));
  position_ += out.size();
  out.resize(count, '\0');
  return out;
}

ScriptedLibrary::Table* ScriptedLibrary::create_table(unsigned line_length) {
  tables_.push_back(std::make_unique<Table>());
  tables_.back()->line_length = line_length;
  return tables_.back().get();
}

RecordingLibrary::RecordingLibrary(const RfcApi& real) : real_(real) {
  if (g_recorder != nullptr) throw std::logic_error("one recording RFC library at a time");
  g_recorder = this;
  api_.RfcEnvironment = &recording_environment;
  api_.RfcOpen = &recording_open;
  api_.RfcOpenEx = &recording_open_ex;
  api_.RfcClose = &recording_close;
  api_.RfcLastError = &recording_last_error;
  api_.RfcInstallStructure = &recording_install;
  api_.RfcCall = &recording_call;
  api_.RfcReceive = &recording_receive;
  api_.ItCreate = &recording_create;
  api_.ItFill = &recording_fill;
  api_.ItGetLine = &recording_get_line;
  api_.ItDelete = &recording_delete;
}

RecordingLibrary::~RecordingLibrary() { g_recorder = nullptr; }

void RecordingLibrary::created(ITAB_H table, unsigned line_length) { line_lengths_[table] = line_length; }

unsigned RecordingLibrary::line_length(ITAB_H table) const {
  auto found = line_lengths_.find(table);
  return found == line_lengths_.end() ? 0 : found->second;
}

std::string RecordingLibrary::take_script() {
  std::string out;
  out.swap(script_);
  return out;
}

}  // namespace keldar::fuzz
