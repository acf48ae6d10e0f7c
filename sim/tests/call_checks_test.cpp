// The strict checks of RfcCall and RfcReceive: exact lists in the order of
// the interface, descriptors, character values and internal tables.
#include <functional>

#include "ccms_fixture.h"

namespace rfcsim_test {
namespace {

using CallChecks = Ccms;

RFC_PARAMETER extra_parameter() {
  static char value = ' ';
  return {const_cast<char*>("EXTRA"), 5, TYPC, 1, &value};
}

// Every way to spoil a list of `slots`, as the order of entries to send
// (-1: an entry the module does not have) and the refusal expected: each
// entry left out, each pair of neighbours swapped, one entry added.
std::vector<std::pair<std::vector<int>, std::string>> spoilings(const std::string& module,
                                                                const std::vector<Slot>& slots,
                                                                const std::string& kind) {
  std::vector<int> in_order;
  for (std::size_t k = 0; k < slots.size(); ++k) in_order.push_back(static_cast<int>(k));
  std::vector<std::pair<std::vector<int>, std::string>> result;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    std::vector<int> order = in_order;
    order.erase(order.begin() + static_cast<std::ptrdiff_t>(i));
    result.emplace_back(order, module + ": " + kind + " " + slots[i].name + " is missing");
    if (i + 1 < slots.size()) {
      order = in_order;
      std::swap(order[i], order[i + 1]);
      result.emplace_back(order, module + ": " + kind + " " + slots[i + 1].name + " is out of order: " +
                                     slots[i].name + " comes before it");
    }
  }
  in_order.push_back(-1);
  result.emplace_back(in_order, module + " has no " + kind + " EXTRA");
  return result;
}

template <typename Entry>
std::vector<Entry> reorder(const std::vector<Entry>& entries, const std::vector<int>& order, const Entry& extra) {
  std::vector<Entry> result;
  for (int k : order) result.push_back(k < 0 ? extra : entries[static_cast<std::size_t>(k)]);
  return result;
}

TEST_F(CallChecks, EveryModuleTakesItsFullListsInOrder) {
  for (const std::string& module : module_names()) {
    FullCall call(module);
    // Blank values may raise an exception or a RETURN message; the lists
    // themselves must pass.
    EXPECT_NE(call.run(handle_).rc, RFC_FAILURE) << module << ": " << trace_reason();
  }
}

TEST_F(CallChecks, AMissingLateOrExtraEntryIsRefusedNamingIt) {
  const RFC_TABLE extra_table{const_cast<char*>("EXTRA"), 5, type_handle("BAPIAID"), 0,
                              rfc().ItCreate("EXTRA", layout("BAPIAID").size, 0, 0), 0, 0};
  for (const std::string& module : module_names()) {
    const Interface& interface = interface_of(module);
    FullCall call(module);
    for (const auto& [order, reason] : spoilings(module, interface.exporting, "exporting parameter")) {
      EXPECT_EQ(send(handle_, module, reorder(call.exporting(), order, extra_parameter()), call.tables()), RFC_FAILURE)
          << reason;
      EXPECT_EQ(trace_reason(), reason);
    }
    for (const auto& [order, reason] : spoilings(module, interface.importing, "importing parameter")) {
      ASSERT_EQ(send(handle_, module, call.exporting(), call.tables()), RFC_OK) << trace_reason();
      EXPECT_EQ(receive(handle_, reorder(call.importing(), order, extra_parameter()), call.tables()).rc, RFC_FAILURE)
          << reason;
      EXPECT_EQ(trace_reason(), reason);
    }
    for (const auto& [order, reason] : spoilings(module, interface.tables, "table")) {
      TableList spoiled = reorder(call.tables(), order, extra_table);
      EXPECT_EQ(send(handle_, module, call.exporting(), spoiled), RFC_FAILURE) << "RfcCall: " << reason;
      EXPECT_EQ(trace_reason(), reason);
      ASSERT_EQ(send(handle_, module, call.exporting(), call.tables()), RFC_OK) << trace_reason();
      EXPECT_EQ(receive(handle_, call.importing(), spoiled).rc, RFC_FAILURE) << "RfcReceive: " << reason;
      EXPECT_EQ(trace_reason(), reason);
    }
  }
  rfc().ItDelete(extra_table.ithandle);
}

TEST_F(CallChecks, AWrongParameterOrTableFailsTheCallNamingIt) {
  const std::string module = "BAPI_SYSTEM_MON_GETTREE";
  FullCall good(module);
  good.text("EXTERNAL_USER_NAME") = pad_to("MONITOR", 16);
  good.record("MONITOR_NAME").set("MONI_NAME", "Entire System");
  good.record("MONITOR_NAME").set("MS_NAME", "SAP CCMS Monitor Templates");
  good.integer("VIS_ON_USR_LEVEL") = 3;
  std::string short_user = "MONITOR", nul_user = pad_to("MON", 16);
  nul_user[3] = '\0';
  Buffer nul_name = good.record("MONITOR_NAME");
  nul_name.bytes[13] = '\0';  // behind "Entire System", where a C string would end
  std::int32_t depth = 0;
  const RFC_TYPEHANDLE mnname = type_handle("BAPIMNNAME"), msname = type_handle("BAPIMSNAME");
  Tables owner;  // deletes the spoiling tables at the end
  ITAB_H wrong_lines = rfc().ItCreate("TREE_NODES", 436, 0, 0);
  ITAB_H wrong_name = rfc().ItCreate("NODES", 440, 0, 0);
  ITAB_H filled = rfc().ItCreate("TREE_NODES", 440, 0, 0);
  owner.created = {wrong_lines, wrong_name, filled};
  rfc().ItAppLine(filled);

  struct Case {
    const char* what;
    std::function<void(ParameterList&, TableList&)> spoil;
    const char* reason;
  };
  const std::vector<Case> cases = {
      {"name length", [](ParameterList& e, TableList&) { e[0].nlen = 17; },
       "BAPI_SYSTEM_MON_GETTREE: parameter EXTERNAL_USER_NAME: name length 17 given, the name has 18 characters"},
      {"short value",
       [&](ParameterList& e, TableList&) {
         e[0].leng = 7;
         e[0].addr = short_user.data();
       },
       "BAPI_SYSTEM_MON_GETTREE: parameter EXTERNAL_USER_NAME has length 7, expected 16"},
      {"integer sent as text",
       [&](ParameterList& e, TableList&) {
         e[1].type = TYPC;
         e[1].addr = &depth;
       },
       "BAPI_SYSTEM_MON_GETTREE: parameter MAX_TREE_DEPTH has TYPC, expected TYPINT"},
      {"wrong structure", [&](ParameterList& e, TableList&) { e[2].type = msname; },
       "BAPI_SYSTEM_MON_GETTREE: parameter MONITOR_NAME has structure BAPIMSNAME, expected structure BAPIMNNAME"},
      {"no value", [](ParameterList& e, TableList&) { e[3].addr = nullptr; },
       "BAPI_SYSTEM_MON_GETTREE: parameter VIS_ON_USR_LEVEL has no value address"},
      {"given twice", [](ParameterList& e, TableList&) { e.push_back(e[0]); },
       "BAPI_SYSTEM_MON_GETTREE: exporting parameter EXTERNAL_USER_NAME is given twice"},
      {"NUL in a text", [&](ParameterList& e, TableList&) { e[0].addr = nul_user.data(); },
       "BAPI_SYSTEM_MON_GETTREE: parameter EXTERNAL_USER_NAME holds a NUL byte at position 4; values are "
       "blank-padded"},
      {"NUL in a structure field", [&](ParameterList& e, TableList&) { e[2].addr = nul_name.bytes.data(); },
       "BAPI_SYSTEM_MON_GETTREE: parameter MONITOR_NAME, field MONI_NAME holds a NUL byte at position 14; fields "
       "are blank-padded"},
      {"table of the wrong structure", [&](ParameterList&, TableList& t) { t[0].type = mnname; },
       "BAPI_SYSTEM_MON_GETTREE: table TREE_NODES has lines of structure BAPIMNNAME, expected structure BAPITNDEXT"},
      {"table entry of the wrong length", [](ParameterList&, TableList& t) { t[0].leng = 120; },
       "BAPI_SYSTEM_MON_GETTREE: table TREE_NODES has line length 120, expected 440"},
      {"table with short lines", [&](ParameterList&, TableList& t) { t[0].ithandle = wrong_lines; },
       "BAPI_SYSTEM_MON_GETTREE: the internal table of TREE_NODES has lines of 436 bytes, BAPITNDEXT needs 440"},
      {"no internal table", [](ParameterList&, TableList& t) { t[0].ithandle = nullptr; },
       "BAPI_SYSTEM_MON_GETTREE: table TREE_NODES has no valid internal table"},
      {"internal table created under another name", [&](ParameterList&, TableList& t) { t[0].ithandle = wrong_name; },
       "BAPI_SYSTEM_MON_GETTREE: the internal table of TREE_NODES was created as \"NODES\", not under the table's "
       "name"},
      {"table not empty", [&](ParameterList&, TableList& t) { t[0].ithandle = filled; },
       "BAPI_SYSTEM_MON_GETTREE: table TREE_NODES holds 1 lines; a table is sent empty"},
  };
  for (const Case& c : cases) {
    ParameterList exporting = good.exporting();
    TableList tables = good.tables();
    c.spoil(exporting, tables);
    EXPECT_EQ(send(handle_, module, exporting, tables), RFC_FAILURE) << c.what;
    EXPECT_EQ(trace_reason(), c.reason) << c.what;
  }
  // After all those refusals the same connection still serves a right call.
  EXPECT_EQ(good.run(handle_).rc, RFC_OK) << trace_reason();
  EXPECT_EQ(rfc().ItFill(good.table("TREE_NODES")), 9u);

  // The filled table cannot go out again; a new call brings new tables.
  FullCall again(module);
  ParameterList importing = again.importing();
  importing[0].leng = 546;
  ASSERT_EQ(send(handle_, module, again.exporting(), again.tables()), RFC_OK) << trace_reason();
  EXPECT_EQ(receive(handle_, importing, again.tables()).rc, RFC_FAILURE);
  EXPECT_EQ(trace_reason(), "BAPI_SYSTEM_MON_GETTREE: parameter RETURN has length 546, expected 548");

  ParameterList none;
  EXPECT_EQ(send(handle_, "BAPI_SYSTEM_MTE_GETVALUE", none, {}), RFC_FAILURE);
  EXPECT_STREQ(last_error().key, "FU_NOT_FOUND");
  EXPECT_EQ(trace_reason(), "Function module \"BAPI_SYSTEM_MTE_GETVALUE\" not found");
}

TEST_F(CallChecks, ReceiveTakesTheTablesSentWithTheCall) {
  FullCall versions("SXMI_VERSIONS_GET");
  versions.text("INTERFACE") = "*  ";
  Tables owner;
  ITAB_H other = owner.created.emplace_back(rfc().ItCreate("VERSIONS", layout("SXMIVERS").size, 0, 0));
  TableList swapped = versions.tables();
  swapped[0].ithandle = other;
  ASSERT_EQ(send(handle_, "SXMI_VERSIONS_GET", versions.exporting(), versions.tables()), RFC_OK);
  EXPECT_EQ(receive(handle_, {}, swapped).rc, RFC_FAILURE);
  EXPECT_EQ(trace_reason(), "SXMI_VERSIONS_GET: table VERSIONS is not the internal table sent with RfcCall");
  EXPECT_EQ(rfc().ItFill(other), 0u);

  // A refused receive ends the round trip; the next one starts afresh.
  EXPECT_EQ(versions.run(handle_).rc, RFC_OK);
  EXPECT_EQ(rfc().ItFill(versions.table("VERSIONS")), 3u);
}

TEST_F(CallChecks, ReceiveWithoutCallAndCallReceiveInOne) {
  EXPECT_EQ(receive(handle_, {}, {}).rc, RFC_FAILURE);
  EXPECT_EQ(trace_reason(), "RfcReceive without a preceding RfcCall");

  FullCall first("RFC_SYSTEM_INFO"), second("RFC_SYSTEM_INFO");
  ASSERT_EQ(send(handle_, "RFC_SYSTEM_INFO", first.exporting(), {}), RFC_OK);
  EXPECT_EQ(send(handle_, "RFC_SYSTEM_INFO", second.exporting(), {}), RFC_FAILURE);
  EXPECT_EQ(trace_reason(), "RfcCall of RFC_SYSTEM_INFO while the answer of RFC_SYSTEM_INFO has not been received");
  EXPECT_EQ(receive(handle_, first.importing(), {}).rc, RFC_OK);

  FullCall info("RFC_SYSTEM_INFO");
  ParameterList exporting = info.exporting(), importing = info.importing();
  exporting.push_back({});
  importing.push_back({});
  TableList tables(1);
  char* exception = nullptr;
  EXPECT_EQ(rfc().RfcCallReceive(handle_, "RFC_SYSTEM_INFO", exporting.data(), importing.data(), tables.data(),
                                 &exception),
            RFC_OK);
  EXPECT_EQ(info.record("RFCSI_EXPORT").trimmed("RFCSYSID"), "PRD");
}

}  // namespace
}  // namespace rfcsim_test
