// One generic function-module call: the shape in which every function
// module is reached. A module is described once, as data; the code here
// installs its structures, builds its parameter and table lists, sends and
// receives, and manages its internal tables. What a module sends and what
// it reads of the answer is the module's own code (calls/).
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "rfc/rfc_library.h"
#include "rfc/rfc_trace.h"
#include "rfc/run_progress.h"
#include "rfc/structures.h"

namespace keldar {

// A parameter: an elementary value (characters or a 32-bit integer) or a
// structured record.
struct ParameterSpec {
  std::string_view name;
  unsigned type = TYPC;                  // elementary type when `structure` is empty
  std::optional<Structure> structure;
  unsigned length = 0;                   // bytes of the value
};

constexpr ParameterSpec character(std::string_view name, unsigned length) {
  return {name, TYPC, std::nullopt, length};
}
constexpr ParameterSpec integer(std::string_view name) { return {name, TYPINT, std::nullopt, 4}; }
constexpr ParameterSpec record(std::string_view name, Structure structure) {
  return {name, 0, structure, structure_size(structure)};
}

// A table parameter and the structure of its lines.
struct TableSpec {
  std::string_view name;
  Structure line;
};

// A function module: its name and its exporting, importing and table
// parameters, each list in the order in which it is sent.
struct FunctionModule {
  std::string_view name;
  std::span<const ParameterSpec> exporting;
  std::span<const ParameterSpec> importing;
  std::span<const TableSpec> tables;
};

// The type handles of the installed structures. Each structure is installed
// with RfcInstallStructure the first time a call needs it, at most once per
// process; a failed installation ends the program through the RFC error
// report ("RfcInstallStructure").
class StructureHandles {
 public:
  RFC_TYPEHANDLE handle(const RfcApi& api, Structure structure);

 private:
  std::array<RFC_TYPEHANDLE, kStructureCount> handles_{};
};

// What a call needs of the run: the library, the open connection, the
// structure handles of the process, the trace, and where the run notes the
// step it waits for (none: not noted).
struct RfcSession {
  const RfcApi& api;
  RFC_HANDLE handle;
  StructureHandles& structures;
  const RfcTrace& trace;
  RunProgress* progress = nullptr;
};

// The library's result code of a call (RFC_OK, RFC_FAILURE, RFC_EXCEPTION,
// RFC_SYS_EXCEPTION or any other value) and, for exceptions, their text.
struct CallCode {
  int code = RFC_OK;
  std::string exception;
};

// Internal tables. Each failure ends the program through the RFC error
// report: "ItCreate NAME", "ItGetLine NAME", "ItDelete NAME".
ITAB_H create_table(const RfcSession& session, const TableSpec& table);
unsigned table_lines(const RfcSession& session, ITAB_H table);
const void* table_line(const RfcSession& session, const TableSpec& spec, ITAB_H table,
                       unsigned line);
void delete_table(const RfcSession& session, const TableSpec& spec, ITAB_H table);

// The wrapper: one synchronous call of `module`. `exporting` holds one value
// per exporting parameter, each exactly its length; `importing` receives
// one buffer per importing parameter (sized here); `tables` holds one
// internal table per table parameter, passed alike to RfcCall and
// RfcReceive. Installs the structures the parameters use, calls RfcCall and
// RfcReceive (each followed by its trace line), and keeps the exception
// text for codes 2 and 3. A code other than 0 from RfcCall is returned
// without receiving.
CallCode call_function(const RfcSession& session, const FunctionModule& module,
                       std::vector<std::string>& exporting, std::vector<std::string>& importing,
                       std::span<const ITAB_H> tables);

// A successful answer, as the module's reader sees it.
class Answer {
 public:
  Answer(const RfcSession& session, const FunctionModule& module,
         const std::vector<std::string>& importing, std::span<const ITAB_H> tables)
      : session_(session), module_(module), importing_(importing), tables_(tables) {}

  // The bytes of importing parameter `index` (in the module's order).
  const std::string& importing(std::size_t index) const { return importing_[index]; }

  // A record read from importing parameter `index`.
  template <typename Record>
  Record record(std::size_t index) const {
    Record r;
    copy_into(&r, sizeof r, importing_[index]);
    return r;
  }

  // Lines of table `index`, and line `line` (from 1) as a record.
  unsigned lines(std::size_t index) const;
  template <typename Record>
  Record line(std::size_t index, unsigned line) const {
    Record r;
    copy_into(&r, sizeof r, line_bytes(index, line));
    return r;
  }

 private:
  static void copy_into(void* target, std::size_t size, std::string_view bytes);
  std::string_view line_bytes(std::size_t index, unsigned line) const;

  const RfcSession& session_;
  const FunctionModule& module_;
  const std::vector<std::string>& importing_;
  std::span<const ITAB_H> tables_;
};

// The driver's frame: creates the module's tables, calls it, hands a
// successful answer to `read`, and deletes the tables on success and
// failure alike.
CallCode drive_function(const RfcSession& session, const FunctionModule& module,
                        std::vector<std::string> exporting,
                        const std::function<void(const Answer&)>& read);

// Exporting values: `text` cut or blank-padded to `length`; a 32-bit
// integer in machine byte order; a record's bytes.
std::string character_value(std::string_view text, std::size_t length);
std::string integer_value(std::int32_t value);
template <typename Record>
std::string record_value(const Record& r) {
  return std::string(reinterpret_cast<const char*>(&r), sizeof r);
}

}  // namespace keldar
