// Test access to the built RFC library through its C interface, loaded at
// run time from beside the test program as the sensor loads it, plus the
// SAP structure layouts and function-module interfaces the tests expect
// (written down here from the SAP documentation, apart from the
// simulator's own dictionary, so that each checks the other).
#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "rfc/rfc_interface.h"
#include "rfc/rfc_library.h"

namespace rfcsim_test {

struct Field {
  const char* name;
  unsigned type;
  unsigned length;
  unsigned offset;
};

struct Layout {
  std::vector<Field> fields;
  unsigned size;
  const Field& field(const std::string& name) const;
};

// The expected layout of structure `name`.
const Layout& layout(const std::string& name);
// Names of all structures the system exchanges.
std::vector<std::string> structure_names();

// The library's entry points, bound through the sensor's own table.
using Api = keldar::RfcApi;

// The library's entry points; the library is loaded on first use.
const Api& rfc();

// Installs structure `name` with descriptor rows built from its layout
// (offsets 0, as the sensor passes them) and returns the type handle.
RFC_TYPEHANDLE type_handle(const std::string& name);
// The same install, returning its result code.
RFC_RC install_structure(const std::string& name, RFC_TYPEHANDLE& handle);

// A record of a structure, prefilled with 0xAA so that every byte the
// library leaves untouched shows.
struct Buffer {
  std::string structure;
  std::vector<unsigned char> bytes;
  explicit Buffer(const std::string& name);
  // Every field at its initial value: blanks, zero digits, integer 0.
  Buffer& initial();
  std::string text(const std::string& field) const;    // exact width
  std::string trimmed(const std::string& field) const;  // trailing blanks removed
  std::int32_t integer(const std::string& field) const;
  void set(const std::string& field, const std::string& value);  // blank-padded
  void set(const std::string& field, std::int32_t value);
};

// Builders for parameter and table lists; each list ends with a null name.
struct Parameters {
  std::vector<RFC_PARAMETER> entries;
  std::vector<std::unique_ptr<std::string>> names;
  Parameters& text(const std::string& name, std::string& value);  // TYPC, value's length
  Parameters& integer(const std::string& name, std::int32_t& value);
  Parameters& record(const std::string& name, Buffer& buffer);
  Parameters& raw(const std::string& name, unsigned nlen, unsigned type, unsigned leng, void* addr);
  RFC_PARAMETER* list();
};

struct Tables {
  std::vector<RFC_TABLE> entries;
  std::vector<std::unique_ptr<std::string>> names;
  std::vector<ITAB_H> created;
  ~Tables();
  // Creates an internal table for `structure` lines and adds it as `name`.
  ITAB_H add(const std::string& name, const std::string& structure);
  Tables& raw(const std::string& name, unsigned nlen, RFC_TYPEHANDLE type, ITAB_H table);
  RFC_TABLE* list();
};

struct Outcome {
  RFC_RC rc = RFC_OK;
  std::string exception;
};

// RfcCall then, when it succeeded, RfcReceive with the same tables.
Outcome call(RFC_HANDLE handle, const std::string& function, Parameters& exporting,
             Parameters& importing, Tables& tables);

// One parameter or table of a function module's interface.
struct Slot {
  const char* name;
  const char* structure;  // null for an elementary value
  unsigned type;          // elementary type code (TYPC or TYPINT)
  unsigned length;        // elementary length
};

// A function module's lists, each in the order it is sent.
struct Interface {
  std::vector<Slot> exporting, importing, tables;
};

const Interface& interface_of(const std::string& module);
std::vector<std::string> module_names();

// Entry lists without their terminator, for tests that spoil them; send
// and receive add the terminator.
using ParameterList = std::vector<RFC_PARAMETER>;
using TableList = std::vector<RFC_TABLE>;
RFC_RC send(RFC_HANDLE handle, const std::string& module, ParameterList exporting, TableList tables);
Outcome receive(RFC_HANDLE handle, ParameterList importing, TableList tables);

// A round trip of a module with every parameter and table of its
// interface, in order: exporting texts blank, integers 0 and records at
// their initial values until a test sets them; importing records
// prefilled with 0xAA; each table created under its own name. Parameters
// are reached by name (no module has a name in both directions).
class FullCall {
 public:
  explicit FullCall(const std::string& module);
  FullCall(const FullCall&) = delete;
  FullCall& operator=(const FullCall&) = delete;
  ~FullCall();

  std::string& text(const std::string& name);  // sized to the parameter's length
  std::int32_t& integer(const std::string& name);
  Buffer& record(const std::string& name);
  ITAB_H table(const std::string& name) const;

  ParameterList exporting();
  ParameterList importing();
  TableList tables() const;

  Outcome run(RFC_HANDLE handle);

 private:
  ParameterList entries(const std::vector<Slot>& slots);

  std::string module_;
  const Interface& interface_;
  std::map<std::string, std::string> texts_;
  std::map<std::string, std::int32_t> integers_;
  std::map<std::string, Buffer> records_;
  std::vector<std::pair<std::string, ITAB_H>> tables_;
};

// A line of an internal table as a record of `structure`.
Buffer line(ITAB_H table, unsigned number, const std::string& structure);

RFC_ERROR_INFO last_error();

// Text of a file, empty when there is none.
std::string read_file(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, const std::string& text);

// Text behind the last "======> " marker of the last error block of the
// trace file, found the way the sensor's trace scan finds it (marker at
// characters 8 to 15).
std::string trace_reason();

// Runs every test in a fresh temporary working directory with no
// landscape variable set; the landscape is written as rfcsim.json.
class SimTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  void landscape(const std::string& json) { write_file("rfcsim.json", json); }
  // Opens by host and system number; 0 on failure.
  RFC_HANDLE open(const std::string& host, int sysnr, const std::string& client,
                  const std::string& user, const std::string& password);
  // BAPI_XMI_LOGON to XAL in `version`.
  Outcome xmi_logon(RFC_HANDLE handle, const std::string& version = "1.0");
  // The lines of the call log "calls.log".
  std::vector<std::string> call_log() const;

  std::filesystem::path previous_;
  std::filesystem::path directory_;
};

// A small landscape: system PRD on prdci01/00 with client 100 and user
// MONITOR/Secret01, and the monitor "Entire System" in set "SAP CCMS
// Monitor Templates" with the tree `tree` (JSON of the root node).
std::string small_landscape(const std::string& tree, const std::string& extra_system_keys = "",
                            const std::string& extra_top_keys = "");

}  // namespace rfcsim_test

namespace rfcsim_test {
// `text` cut or blank-padded to `width`.
inline std::string pad_to(std::string text, std::size_t width) {
  text.resize(width, ' ');
  return text;
}
}  // namespace rfcsim_test
