// The exported C entry points of the simulated RFC library. Each one hands
// its arguments to the library instance; no C++ exception may cross this
// boundary, so anything unexpected becomes a failure result.
#include "library.h"
#include "rfc/rfc_interface.h"

using rfcsim::library;

extern "C" {

KELDAR_RFC_EXPORT void KELDAR_RFC_API RfcEnvironment(RFC_ENV* environment) {
  library().set_environment(environment);
}

KELDAR_RFC_EXPORT RFC_HANDLE KELDAR_RFC_API RfcOpen(RFC_OPTIONS* options) {
  try {
    return library().open(options);
  } catch (...) {
    return 0;
  }
}

KELDAR_RFC_EXPORT RFC_HANDLE KELDAR_RFC_API RfcOpenEx(const RFC_CHAR* connect_param,
                                                      RFC_ERROR_INFO_EX* error_info) {
  try {
    return library().open_ex(connect_param, error_info);
  } catch (...) {
    return 0;
  }
}

KELDAR_RFC_EXPORT void KELDAR_RFC_API RfcClose(RFC_HANDLE handle) {
  try {
    library().close(handle);
  } catch (...) {
  }
}

KELDAR_RFC_EXPORT int KELDAR_RFC_API RfcLastError(RFC_ERROR_INFO* error_info) {
  return library().last_error(error_info);
}

KELDAR_RFC_EXPORT RFC_RC KELDAR_RFC_API RfcInstallStructure(const RFC_CHAR* name,
                                                           const RFC_TYPE_ELEMENT* elements,
                                                           unsigned entries,
                                                           RFC_TYPEHANDLE* type_handle) {
  try {
    return library().install_structure(name, elements, entries, type_handle);
  } catch (...) {
    return RFC_FAILURE;
  }
}

KELDAR_RFC_EXPORT RFC_RC KELDAR_RFC_API RfcCall(RFC_HANDLE handle, const RFC_CHAR* function,
                                               RFC_PARAMETER* exporting, RFC_TABLE* tables) {
  try {
    return library().call(handle, function, exporting, tables);
  } catch (...) {
    return RFC_FAILURE;
  }
}

KELDAR_RFC_EXPORT RFC_RC KELDAR_RFC_API RfcReceive(RFC_HANDLE handle, RFC_PARAMETER* importing,
                                                  RFC_TABLE* tables, RFC_CHAR** exception) {
  try {
    return library().receive(handle, importing, tables, exception);
  } catch (...) {
    return RFC_FAILURE;
  }
}

KELDAR_RFC_EXPORT RFC_RC KELDAR_RFC_API RfcCallReceive(RFC_HANDLE handle, const RFC_CHAR* function,
                                                      RFC_PARAMETER* exporting,
                                                      RFC_PARAMETER* importing, RFC_TABLE* tables,
                                                      RFC_CHAR** exception) {
  RFC_RC rc = RfcCall(handle, function, exporting, tables);
  if (rc != RFC_OK) return rc;
  return RfcReceive(handle, importing, tables, exception);
}

KELDAR_RFC_EXPORT ITAB_H KELDAR_RFC_API ItCreate(const RFC_CHAR* name, unsigned leng, unsigned /*occu*/,
                                                unsigned /*memo*/) {
  try {
    return library().create_table(name, leng);
  } catch (...) {
    return nullptr;
  }
}

KELDAR_RFC_EXPORT unsigned KELDAR_RFC_API ItFill(ITAB_H table) { return library().table_fill(table); }

KELDAR_RFC_EXPORT void* KELDAR_RFC_API ItGetLine(ITAB_H table, unsigned line) {
  try {
    return library().table_line(table, line);
  } catch (...) {
    return nullptr;
  }
}

KELDAR_RFC_EXPORT void* KELDAR_RFC_API ItAppLine(ITAB_H table) {
  try {
    return library().append_line(table);
  } catch (...) {
    return nullptr;
  }
}

KELDAR_RFC_EXPORT int KELDAR_RFC_API ItDelete(ITAB_H table) {
  try {
    return library().delete_table(table);
  } catch (...) {
    return 1;
  }
}

}  // extern "C"
