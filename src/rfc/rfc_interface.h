// The C interface of the classic (non-Unicode) RFC library.
//
// This is the one declaration of that interface in the project: the sensor
// loads the library at run time and calls it through the function-pointer
// types below, and the simulated library in sim/ implements the same entry
// points from this header. Layouts follow the library's binary interface:
// handles are unsigned 32-bit integers, internal tables are opaque pointers,
// text is 8-bit characters, and lists of parameters or tables end with an
// entry whose name is null.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/rfc_abi.h"

extern "C" {

typedef std::uint32_t RFC_HANDLE;      // connection handle, 0 = none
typedef std::uint32_t RFC_TYPEHANDLE;  // elementary type code or structure handle
typedef struct ITAB_S* ITAB_H;         // internal table, null = none
typedef char RFC_CHAR;
typedef int RFC_RC;                    // result code of a call

// Result codes.
enum : int {
  RFC_OK = 0,
  RFC_FAILURE = 1,
  RFC_EXCEPTION = 2,
  RFC_SYS_EXCEPTION = 3,
};

// Elementary type codes used by this system.
enum : unsigned {
  TYPC = 0,     // characters, blank-padded, not terminated
  TYPDATE = 1,  // 8 digits YYYYMMDD
  TYPTIME = 3,  // 6 digits HHMMSS
  TYPNUM = 6,   // digit characters
  TYPINT = 8,   // signed 32-bit integer, machine byte order
};

// Connection modes of RFC_OPTIONS.
enum : int {
  RFC_MODE_R3ONLY = 0,  // application server host and system number
  RFC_MODE_CPIC = 1,    // R/2: gateway host and service
};

// Called by the library with the name of a failing operation.
typedef void(KELDAR_RFC_API* RFC_ERROR_HANDLER)(RFC_CHAR* operation);

typedef struct {
  RFC_ERROR_HANDLER errorhandler;
  void* (*allocate)(void* old_ptr, std::size_t new_size);
} RFC_ENV;

typedef struct {
  RFC_CHAR* gateway_host;
  RFC_CHAR* gateway_service;
} RFC_CONNOPT_CPIC;

typedef struct {
  RFC_CHAR* hostname;
  int sysnr;
  RFC_CHAR* gateway_host;
  RFC_CHAR* gateway_service;
} RFC_CONNOPT_R3;

typedef struct {
  RFC_CHAR* destination;
  int mode;       // RFC_MODE_R3ONLY or RFC_MODE_CPIC
  void* connopt;  // RFC_CONNOPT_R3* or RFC_CONNOPT_CPIC*
  RFC_CHAR* client;
  RFC_CHAR* user;
  RFC_CHAR* password;
  RFC_CHAR* language;
  int trace;
} RFC_OPTIONS;

// Filled by RfcLastError; 545 bytes.
typedef struct {
  RFC_CHAR key[33];
  RFC_CHAR status[128];
  RFC_CHAR message[256];
  RFC_CHAR intstat[128];
} RFC_ERROR_INFO;

// Filled by RfcOpenEx on failure.
typedef struct {
  int group;
  RFC_CHAR key[33];
  RFC_CHAR message[513];
} RFC_ERROR_INFO_EX;

// One field of a structure descriptor.
typedef struct {
  RFC_CHAR* name;
  unsigned type;
  unsigned length;
  unsigned decimals;
  unsigned offset;  // 0: the library lays the record out itself
} RFC_TYPE_ELEMENT;

typedef struct {
  void* name;           // null ends a list
  unsigned nlen;        // exact length of the name
  RFC_TYPEHANDLE type;  // type code or structure handle
  unsigned leng;        // bytes of the value
  void* addr;
} RFC_PARAMETER;

typedef struct {
  void* name;  // null ends a list
  unsigned nlen;
  RFC_TYPEHANDLE type;  // structure handle of a line
  unsigned leng;        // line length
  ITAB_H ithandle;
  int itmode;
  int newitab;
} RFC_TABLE;

// Entry points, as function-pointer types for run-time loading. The simulated
// library defines functions with exactly these signatures.
typedef void(KELDAR_RFC_API* RfcEnvironment_t)(RFC_ENV* environment);
typedef RFC_HANDLE(KELDAR_RFC_API* RfcOpen_t)(RFC_OPTIONS* options);
typedef RFC_HANDLE(KELDAR_RFC_API* RfcOpenEx_t)(const RFC_CHAR* connect_param,
                                                RFC_ERROR_INFO_EX* error_info);
typedef void(KELDAR_RFC_API* RfcClose_t)(RFC_HANDLE handle);
typedef int(KELDAR_RFC_API* RfcLastError_t)(RFC_ERROR_INFO* error_info);
typedef RFC_RC(KELDAR_RFC_API* RfcInstallStructure_t)(const RFC_CHAR* name,
                                                      const RFC_TYPE_ELEMENT* elements,
                                                      unsigned entries,
                                                      RFC_TYPEHANDLE* type_handle);
typedef RFC_RC(KELDAR_RFC_API* RfcCall_t)(RFC_HANDLE handle, const RFC_CHAR* function,
                                          RFC_PARAMETER* exporting, RFC_TABLE* tables);
typedef RFC_RC(KELDAR_RFC_API* RfcReceive_t)(RFC_HANDLE handle, RFC_PARAMETER* importing,
                                             RFC_TABLE* tables, RFC_CHAR** exception);
typedef RFC_RC(KELDAR_RFC_API* RfcCallReceive_t)(RFC_HANDLE handle, const RFC_CHAR* function,
                                                 RFC_PARAMETER* exporting,
                                                 RFC_PARAMETER* importing, RFC_TABLE* tables,
                                                 RFC_CHAR** exception);
typedef ITAB_H(KELDAR_RFC_API* ItCreate_t)(const RFC_CHAR* name, unsigned leng, unsigned occu,
                                           unsigned memo);
typedef unsigned(KELDAR_RFC_API* ItFill_t)(ITAB_H table);
typedef void*(KELDAR_RFC_API* ItGetLine_t)(ITAB_H table, unsigned line);
typedef void*(KELDAR_RFC_API* ItAppLine_t)(ITAB_H table);
typedef int(KELDAR_RFC_API* ItDelete_t)(ITAB_H table);

}  // extern "C"
