// A fake RFC library for unit tests: an RfcApi whose entry points record
// what they were given and answer what the test set up. One fake at a time
// (the entry points are plain C functions, so they reach it through a
// global).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "rfc/rfc_library.h"

namespace keldar::testing {

struct FakeParameter {
  std::string name;
  unsigned nlen = 0;
  unsigned type = 0;
  unsigned length = 0;
  std::string value;  // the bytes at the value address when the call was made
};

struct FakeTable {
  std::string name;
  unsigned line_length = 0;
  std::vector<std::string> lines;
  bool deleted = false;
};

struct FakeCall {
  RFC_HANDLE handle = 0;
  std::string function;
  std::vector<FakeParameter> exporting;
  std::vector<FakeParameter> importing;
  std::vector<std::string> table_names;
  std::vector<ITAB_H> tables_at_call;
  std::vector<ITAB_H> tables_at_receive;
  bool received = false;
};

// What RfcOpen was given, copied while the pointers were valid.
struct FakeOpen {
  std::string destination;
  int mode = -1;
  bool host_is_null = false, gateway_host_is_null = false, gateway_service_is_null = false;
  std::string host, gateway_host, gateway_service;
  int sysnr = -1;
  std::string client, user, password, language;
  int trace = -1;
  std::string connect_string;  // RfcOpenEx
};

class FakeRfcLibrary {
 public:
  FakeRfcLibrary();
  ~FakeRfcLibrary();

  const RfcApi& api() const { return api_; }

  // What the next calls answer.
  RFC_HANDLE open_handle = 1;
  int call_code = RFC_OK;                  // RfcCall
  int receive_code = RFC_OK;               // RfcReceive
  std::string exception = "SOME_EXCEPTION";
  int install_code = RFC_OK;
  bool create_fails = false, get_line_fails = false, delete_fails = false;
  // Fills the importing values and table lines of a call of a module.
  std::function<void(FakeCall& call, std::vector<RFC_PARAMETER*>& importing,
                     std::vector<FakeTable*>& tables)>
      answer;

  // What happened.
  std::vector<std::string> installed;  // structure names, in order
  // Each installation's rows, copied: the caller's names need not outlive
  // the call.
  struct Row {
    std::string name;
    unsigned type, length, decimals, offset;
  };
  std::vector<std::vector<Row>> installed_rows;
  std::vector<FakeCall> calls;
  std::vector<FakeOpen> opens;
  std::vector<RFC_HANDLE> closed;
  std::vector<std::unique_ptr<FakeTable>> tables;
  int environment_registrations = 0;
  RFC_ERROR_HANDLER handler = nullptr;
  RFC_ERROR_INFO last_error{};

  static FakeRfcLibrary& current();

 private:
  RfcApi api_;
};

}  // namespace keldar::testing
