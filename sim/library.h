// The state and operations of the simulated RFC library: connections to
// the systems of the landscape, installed structures, the last error, the
// registered error handler and the call in progress per connection. The C
// entry points (rfc_library.cpp) hand everything to the one instance.
//
// As the classic library is used here, one thread calls it at a time.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "function_module.h"
#include "landscape.h"
#include "rfc/rfc_interface.h"
#include "structure_catalogue.h"

namespace rfcsim {

class Library {
 public:
  void set_environment(const RFC_ENV* environment);
  RFC_HANDLE open(const RFC_OPTIONS* options);
  RFC_HANDLE open_ex(const char* connect_string, RFC_ERROR_INFO_EX* error_info);
  void close(RFC_HANDLE handle);
  int last_error(RFC_ERROR_INFO* info) const;
  RFC_RC install_structure(const char* name, const RFC_TYPE_ELEMENT* elements, unsigned entries,
                           RFC_TYPEHANDLE* handle);
  RFC_RC call(RFC_HANDLE handle, const char* function, RFC_PARAMETER* exporting, RFC_TABLE* tables);
  RFC_RC receive(RFC_HANDLE handle, RFC_PARAMETER* importing, RFC_TABLE* tables, char** exception);

 private:
  struct Connection {
    Session session;
    std::shared_ptr<const Landscape> landscape;
    const System* system = nullptr;
    // Set by call, consumed by receive.
    const FunctionSignature* pending = nullptr;
    std::map<std::string, Bytes> exporting;
  };

  struct ErrorRecord {
    std::string key, status, message, intstat;
  };

  // Records a failure: last error, trace block. Returns `code`.
  int fail(int code, const std::string& operation, const std::string& key, const std::string& message);
  // Calls the registered error handler with `operation` (a fatal fault).
  // Nothing of the library's state may be used afterwards in the same
  // operation: the handler may close connections or end the process.
  void call_error_handler(const std::string& operation);
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
  std::map<RFC_HANDLE, Connection> connections_;
  std::map<std::string, RFC_TYPEHANDLE> type_handles_;
  std::map<RFC_TYPEHANDLE, const StructureDefinition*> structures_;
  std::string exception_text_;
  std::string handler_operation_;
};

Library& library();

}  // namespace rfcsim
