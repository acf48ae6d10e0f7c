// The state and operations of the simulated RFC library: connections to
// the systems of the landscape, installed structures, internal tables, the
// last error, the registered error handler and the call in progress per
// connection. The C entry points (rfc_library.cpp) hand everything to the
// one instance.
//
// As the classic library is used here, one thread calls it at a time.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fault_effect.h"
#include "function_module.h"
#include "internal_table.h"
#include "landscape.h"
#include "rfc/rfc_interface.h"
#include "structure_catalogue.h"

namespace rfcsim {

class Library {
 public:
  Library() = default;
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  // The library's static teardown at process end: every internal table
  // still alive gets a LiveTable line in the call log, so leaks show.
  ~Library();

  void set_environment(const RFC_ENV* environment);
  RFC_HANDLE open(const RFC_OPTIONS* options);
  RFC_HANDLE open_ex(const char* connect_string, RFC_ERROR_INFO_EX* error_info);
  void close(RFC_HANDLE handle);
  int last_error(RFC_ERROR_INFO* info) const;
  RFC_RC install_structure(const char* name, const RFC_TYPE_ELEMENT* elements, unsigned entries,
                           RFC_TYPEHANDLE* handle);
  RFC_RC call(RFC_HANDLE handle, const char* function, RFC_PARAMETER* exporting, RFC_TABLE* tables);
  RFC_RC receive(RFC_HANDLE handle, RFC_PARAMETER* importing, RFC_TABLE* tables, char** exception);

  // Internal tables; create, get_line and remove apply the table faults.
  ITAB_H create_table(const char* name, unsigned line_length);
  void* table_line(ITAB_H table, unsigned line);
  int delete_table(ITAB_H table);
  unsigned table_fill(ITAB_H table) const { return tables_.fill(table); }
  void* append_line(ITAB_H table) { return tables_.append_line(table); }

 private:
  struct Connection {
    Session session;
    std::shared_ptr<const Landscape> landscape;
    const System* system = nullptr;
    unsigned long opened = 0;  // order of opening, for the faults of handle-less operations
    // Set by call, consumed by receive.
    const FunctionSignature* pending = nullptr;
    std::map<std::string, Bytes> exporting;
    std::vector<ITAB_H> sent_tables;
  };

  // Writes a call-log line with the result code and exception text.
  using LogLine = std::function<void(int code, const std::string& exception)>;

  struct ErrorRecord {
    std::string key, status, message, intstat;
  };

  // Records a failure: last error, trace block. Returns `code`.
  int fail(int code, const std::string& operation, const std::string& key, const std::string& message);
  // Calls the registered error handler with `operation` (a fatal fault).
  // Nothing of the library's state may be used afterwards in the same
  // operation: the handler may close connections or end the process.
  void call_error_handler(const std::string& operation);
  // Carries a fault's failure out: the call-log line, the last error and
  // trace block, then for a fatal fault the error handler. Returns the code.
  int inflict(const FaultEffect& effect, const std::string& operation, const LogLine& log);
  // The fault `<operation> <subject>` of the system of the most recently
  // opened connection still open, or null; `handle` and `log_file` get
  // that connection's handle and call log.
  const Fault* handleless_fault(const std::string& operation, const std::string& subject, RFC_HANDLE& handle,
                                std::string& log_file) const;
  // Applies a table fault of `operation` on table `name`; true when the
  // operation is to fail.
  bool table_fault_strikes(const std::string& operation, const std::string& name);
  // One LiveTable line per internal table alive, with `handle`.
  void log_live_tables(const std::string& log_file, RFC_HANDLE handle) const;
  // A failed open: fills `error_info` (when given) and the last error,
  // writes the trace block, and returns the null handle.
  RFC_HANDLE refuse_open(const std::string& operation, const struct OpenError& error,
                         RFC_ERROR_INFO_EX* error_info);
  RFC_HANDLE open_request(const std::string& operation, struct OpenRequest& request,
                          const std::shared_ptr<const Landscape>& landscape,
                          RFC_ERROR_INFO_EX* error_info, const std::string& target);
  const StructureDefinition* structure_of(RFC_TYPEHANDLE handle) const;

  RFC_ERROR_HANDLER handler_ = nullptr;
  ErrorRecord last_error_;
  InternalTables tables_;
  // The call log of the landscape read most recently by an open; the
  // library-wide lines (structures, live tables at the end) go there.
  std::string call_log_;
  unsigned long opens_ = 0;
  std::map<RFC_HANDLE, Connection> connections_;
  std::map<std::string, RFC_TYPEHANDLE> type_handles_;
  std::map<RFC_TYPEHANDLE, const StructureDefinition*> structures_;
  std::string exception_text_;
  std::string handler_operation_;
};

Library& library();

}  // namespace rfcsim
