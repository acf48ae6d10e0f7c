#include "rfc/function_call.h"

#include <algorithm>
#include <cstring>

#include "rfc/error_report.h"
#include "text/fixed_field.h"

namespace keldar {

namespace {

std::string operation(std::string_view what, std::string_view table) {
  std::string text(what);
  text += ' ';
  text += table;
  return text;
}

// The library takes names and values through non-const pointers; it does
// not write to exporting values or names.
void* writable(const void* p) { return const_cast<void*>(p); }

RFC_TYPEHANDLE parameter_type(const RfcSession& session, const ParameterSpec& p) {
  return p.structure ? session.structures.handle(session.api, *p.structure) : p.type;
}

// A list of RFC_PARAMETER entries ending with a null name.
std::vector<RFC_PARAMETER> parameter_list(const RfcSession& session,
                                          std::span<const ParameterSpec> specs,
                                          std::vector<std::string>& values) {
  std::vector<RFC_PARAMETER> list;
  list.reserve(specs.size() + 1);
  for (std::size_t i = 0; i < specs.size(); ++i) {
    const ParameterSpec& p = specs[i];
    values[i].resize(p.length);
    RFC_PARAMETER entry{};
    entry.name = writable(p.name.data());
    entry.nlen = static_cast<unsigned>(p.name.size());
    entry.type = parameter_type(session, p);
    entry.leng = p.length;
    entry.addr = values[i].data();
    list.push_back(entry);
  }
  list.push_back(RFC_PARAMETER{});
  return list;
}

}  // namespace

RFC_TYPEHANDLE StructureHandles::handle(const RfcApi& api, Structure structure) {
  RFC_TYPEHANDLE& handle = handles_[static_cast<std::size_t>(structure)];
  if (handle != 0) return handle;
  const StructureDescriptor& d = structure_descriptor(structure);
  // The library lays the record out itself: every offset is sent as 0.
  std::vector<RFC_TYPE_ELEMENT> rows;
  rows.reserve(d.fields.size());
  std::vector<std::string> names;
  names.reserve(d.fields.size());
  for (const FieldDescriptor& f : d.fields) {
    names.emplace_back(f.name);
    rows.push_back({names.back().data(), f.type, f.length, 0, 0});
  }
  std::string name(d.name);
  RFC_TYPEHANDLE installed = 0;
  if (api.RfcInstallStructure(name.c_str(), rows.data(), static_cast<unsigned>(rows.size()),
                              &installed) != RFC_OK ||
      installed == 0) {
    rfc_error_report("RfcInstallStructure");
  }
  handle = installed;
  return handle;
}

ITAB_H create_table(const RfcSession& session, const TableSpec& table) {
  std::string name(table.name);
  ITAB_H handle = session.api.ItCreate(name.c_str(), structure_size(table.line), 0, 0);
  if (handle == nullptr) rfc_error_report(operation("ItCreate", table.name));
  return handle;
}

unsigned table_lines(const RfcSession& session, ITAB_H table) { return session.api.ItFill(table); }

const void* table_line(const RfcSession& session, const TableSpec& spec, ITAB_H table,
                       unsigned line) {
  const void* bytes = session.api.ItGetLine(table, line);
  if (bytes == nullptr) rfc_error_report(operation("ItGetLine", spec.name));
  return bytes;
}

void delete_table(const RfcSession& session, const TableSpec& spec, ITAB_H table) {
  if (session.api.ItDelete(table) != 0) rfc_error_report(operation("ItDelete", spec.name));
}

CallCode call_function(const RfcSession& session, const FunctionModule& module,
                       std::vector<std::string>& exporting, std::vector<std::string>& importing,
                       std::span<const ITAB_H> tables) {
  exporting.resize(module.exporting.size());
  importing.assign(module.importing.size(), std::string());
  std::vector<RFC_PARAMETER> sent = parameter_list(session, module.exporting, exporting);
  std::vector<RFC_PARAMETER> received = parameter_list(session, module.importing, importing);

  std::vector<RFC_TABLE> table_list;
  table_list.reserve(module.tables.size() + 1);
  for (std::size_t i = 0; i < module.tables.size(); ++i) {
    const TableSpec& t = module.tables[i];
    RFC_TABLE entry{};
    entry.name = writable(t.name.data());
    entry.nlen = static_cast<unsigned>(t.name.size());
    entry.type = session.structures.handle(session.api, t.line);
    // The line length is the internal table's own; the entry leaves it 0.
    entry.ithandle = tables[i];
    table_list.push_back(entry);
  }
  table_list.push_back(RFC_TABLE{});

  std::string name(module.name);
  if (session.progress != nullptr) session.progress->set_step(name);
  CallCode result;
  result.code = session.api.RfcCall(session.handle, name.c_str(), sent.data(), table_list.data());
  session.trace.line(session.handle, "RfcCall called", "");
  if (result.code != RFC_OK) return result;

  RFC_CHAR* exception = nullptr;
  result.code = session.api.RfcReceive(session.handle, received.data(), table_list.data(),
                                       &exception);
  session.trace.line(session.handle, "RfcReceive called", "");
  if ((result.code == RFC_EXCEPTION || result.code == RFC_SYS_EXCEPTION) && exception != nullptr) {
    // The library's own text: read no further than an exception name can be.
    result.exception.assign(exception, ::strnlen(exception, 256));
  }
  return result;
}

unsigned Answer::lines(std::size_t index) const { return table_lines(session_, tables_[index]); }

std::string_view Answer::line_bytes(std::size_t index, unsigned line) const {
  const TableSpec& spec = module_.tables[index];
  const void* bytes = table_line(session_, spec, tables_[index], line);
  return std::string_view(static_cast<const char*>(bytes), structure_size(spec.line));
}

void Answer::copy_into(void* target, std::size_t size, std::string_view bytes) {
  std::memset(target, 0, size);
  std::memcpy(target, bytes.data(), std::min(size, bytes.size()));
}

CallCode drive_function(const RfcSession& session, const FunctionModule& module,
                        std::vector<std::string> exporting,
                        const std::function<void(const Answer&)>& read) {
  std::vector<ITAB_H> tables;
  tables.reserve(module.tables.size());
  for (const TableSpec& t : module.tables) tables.push_back(create_table(session, t));
  std::vector<std::string> importing;
  CallCode result = call_function(session, module, exporting, importing, tables);
  if (result.code == RFC_OK && read) read(Answer(session, module, importing, tables));
  for (std::size_t i = 0; i < tables.size(); ++i) delete_table(session, module.tables[i], tables[i]);
  return result;
}

std::string character_value(std::string_view text, std::size_t length) {
  return text::fit(text, length);
}

std::string integer_value(std::int32_t value) {
  std::string bytes(sizeof value, '\0');
  std::memcpy(bytes.data(), &value, sizeof value);
  return bytes;
}

}  // namespace keldar
