#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "calls/call_result.h"
#include "calls/function_modules.h"
#include "calls/system_info.h"
#include "calls/xmi_session.h"
#include "fake_rfc_library.h"
#include "rfc/error_report.h"
#include "rfc/function_call.h"
#include "rfc/structures.h"
#include "temp_dir.h"

namespace keldar {
namespace {

using testing::FakeRfcLibrary;

TEST(Structures, EveryDescriptorHasItsNameFieldsAndSize) {
  const struct {
    const char* name;
    std::size_t fields;
    unsigned size;
  } expected[] = {
      {"BAPIRET2", 14, 548},   {"BAPITID", 7, 84},     {"BAPIAID", 7, 84},
      {"RFCSI", 18, 200},      {"SXMIVERS", 2, 13},    {"BAPIMSNAME", 1, 60},
      {"BAPIMNNAME", 2, 120},  {"BAPITNDEXT", 40, 440}, {"BAPIPACVAL", 20, 104},
      {"BAPISMCVAL", 4, 276},  {"BAPIMLCVAL", 9, 96},  {"BAPIXMIEXT", 1, 255},
      {"BAPIXMIRAW", 11, 690}, {"BAPITXTPRP", 1, 256}, {"BAPIPAPROP", 12, 124},
      {"BAPIALERT", 12, 212},  {"BAPIALDATE", 2, 14},  {"BAPIALDATA", 2, 8},
  };
  ASSERT_EQ(std::size(expected), kStructures.size());
  for (std::size_t i = 0; i < kStructures.size(); ++i) {
    const StructureDescriptor& d = kStructures[i];
    EXPECT_EQ(static_cast<std::size_t>(d.id), i);
    EXPECT_EQ(d.name, expected[i].name);
    EXPECT_EQ(d.fields.size(), expected[i].fields) << d.name;
    EXPECT_EQ(d.size, expected[i].size) << d.name;
    EXPECT_EQ(structure_size(d.id), d.size) << d.name;
  }
}

struct Session {
  FakeRfcLibrary fake;
  testing::TempDir dir;
  platform::FileSystem files{{"/", dir.root()}};
  RfcTrace trace{files, false};
  StructureHandles structures;
  RfcSession session{fake.api(), 7, structures, trace};
};

TEST(FunctionCall, ListsInOrderStructuresOnceAndTheSameTablesTwice) {
  Session s;
  std::vector<std::string> exporting = {character_value("*", 3)};
  std::vector<std::string> importing;
  ITAB_H table = create_table(s.session, modules::SXMI_VERSIONS_GET.tables[0]);
  std::vector<ITAB_H> tables = {table};
  CallCode code = call_function(s.session, modules::SXMI_VERSIONS_GET, exporting, importing, tables);
  EXPECT_EQ(code.code, RFC_OK);
  ASSERT_EQ(s.fake.calls.size(), 1u);
  const testing::FakeCall& call = s.fake.calls[0];
  EXPECT_EQ(call.handle, 7u);
  EXPECT_EQ(call.function, "SXMI_VERSIONS_GET");
  ASSERT_EQ(call.exporting.size(), 1u);
  EXPECT_EQ(call.exporting[0].name, "INTERFACE");
  EXPECT_EQ(call.exporting[0].nlen, 9u);
  EXPECT_EQ(call.exporting[0].type, TYPC);
  EXPECT_EQ(call.exporting[0].value, "*  ");
  EXPECT_EQ(call.table_names, std::vector<std::string>{"VERSIONS"});
  EXPECT_EQ(call.tables_at_call, tables);
  EXPECT_EQ(call.tables_at_receive, tables);
  EXPECT_EQ(s.fake.tables[0]->name, "VERSIONS");
  EXPECT_EQ(s.fake.tables[0]->line_length, 13u);

  // A second call of a module with the same structures installs nothing.
  call_function(s.session, modules::SXMI_VERSIONS_GET, exporting, importing, tables);
  EXPECT_EQ(s.fake.installed, std::vector<std::string>{"SXMIVERS"});
  // Descriptor rows leave the layout to the library: every offset 0.
  for (const auto& row : s.fake.installed_rows[0]) EXPECT_EQ(row.offset, 0u);
  EXPECT_EQ(s.fake.installed_rows[0][1].name, "VERSION");
}

TEST(FunctionCall, ImportingListOfEveryModuleInOrderWithItsStructures) {
  Session s;
  for (const FunctionModule* module : modules::kAll) {
    s.fake.calls.clear();
    std::vector<std::string> exporting(module->exporting.size());
    for (std::size_t i = 0; i < exporting.size(); ++i) {
      exporting[i] = std::string(module->exporting[i].length, ' ');
    }
    std::vector<std::string> importing;
    std::vector<ITAB_H> tables;
    for (const TableSpec& t : module->tables) tables.push_back(create_table(s.session, t));
    call_function(s.session, *module, exporting, importing, tables);
    ASSERT_EQ(s.fake.calls.size(), 1u);
    const testing::FakeCall& call = s.fake.calls[0];
    ASSERT_EQ(call.importing.size(), module->importing.size()) << module->name;
    for (std::size_t i = 0; i < module->importing.size(); ++i) {
      EXPECT_EQ(call.importing[i].name, module->importing[i].name) << module->name;
      EXPECT_EQ(call.importing[i].length, module->importing[i].length) << module->name;
    }
    EXPECT_EQ(importing.size(), module->importing.size());
  }
  // Every structure the modules use was installed, each once.
  std::set<std::string> unique(s.fake.installed.begin(), s.fake.installed.end());
  EXPECT_EQ(unique.size(), s.fake.installed.size());
  EXPECT_EQ(unique.size(), kStructures.size());
}

TEST(FunctionCall, FailedSendIsNotReceivedAndExceptionsKeepTheirText) {
  Session s;
  std::vector<std::string> none, importing;
  s.fake.call_code = RFC_FAILURE;
  CallCode failed = call_function(s.session, modules::RFC_SYSTEM_INFO, none, importing, {});
  EXPECT_EQ(failed.code, RFC_FAILURE);
  EXPECT_FALSE(s.fake.calls.back().received);

  s.fake.call_code = RFC_OK;
  for (int code : {int{RFC_FAILURE}, int{RFC_EXCEPTION}, int{RFC_SYS_EXCEPTION}, 7}) {
    s.fake.receive_code = code;
    CallCode c = call_function(s.session, modules::RFC_SYSTEM_INFO, none, importing, {});
    EXPECT_EQ(c.code, code);
    EXPECT_EQ(c.exception, code == RFC_EXCEPTION || code == RFC_SYS_EXCEPTION ? "SOME_EXCEPTION" : "")
        << code;
  }
}

TEST(FunctionCall, TablesAreDeletedAfterSuccessAndFailure) {
  for (int code : {int{RFC_OK}, int{RFC_FAILURE}}) {
    Session s;
    s.fake.receive_code = code;
    bool read = false;
    drive_function(s.session, modules::SXMI_VERSIONS_GET, {character_value("*", 3)},
                   [&read](const Answer&) { read = true; });
    EXPECT_EQ(read, code == RFC_OK);
    ASSERT_EQ(s.fake.tables.size(), 1u);
    EXPECT_TRUE(s.fake.tables[0]->deleted) << code;
  }
}

TEST(FunctionCall, ErrorTextsByCode) {
  const ErrorTexts standard;
  const ErrorTexts xmi{true, "XAL", "0.1"};
  EXPECT_EQ(call_error_text(RFC_OK, "", standard), "");
  EXPECT_EQ(call_error_text(RFC_FAILURE, "", standard), "Error 1014: RFC-Failure raised !");
  EXPECT_EQ(call_error_text(RFC_EXCEPTION, "NOT_FOUND", standard),
            "Error 1012: Exception.: NOT_FOUND");
  EXPECT_EQ(call_error_text(RFC_SYS_EXCEPTION, "X", standard), "Error 1013: Sys-Exception raised !");
  EXPECT_EQ(call_error_text(9, "", standard), "Error 1015: Other Failure raised !");
  EXPECT_EQ(call_error_text(RFC_FAILURE, "", xmi), "RFC Failure raised...");
  EXPECT_EQ(call_error_text(RFC_EXCEPTION, "VERSION_NOT_SUPPORTED", xmi),
            "Exception.: XAL(0.1) VERSION_NOT_SUPPORTED");
  EXPECT_EQ(call_error_text(RFC_SYS_EXCEPTION, "", xmi), "System exception raised...");
  EXPECT_EQ(call_error_text(-1, "", xmi), "Other Failure raised...");
}

// Fills importing parameter `name` of a call with `bytes` at `offset`.
void fill(std::vector<RFC_PARAMETER*>& importing, const char* name, std::size_t offset,
          std::string_view bytes) {
  for (RFC_PARAMETER* p : importing) {
    if (std::string(static_cast<const char*>(p->name), p->nlen) == name) {
      std::memcpy(static_cast<char*>(p->addr) + offset, bytes.data(), bytes.size());
    }
  }
}

TEST(Drivers, SystemInformationTakesFieldsAtTheirWidths) {
  Session s;
  s.fake.answer = [](testing::FakeCall&, std::vector<RFC_PARAMETER*>& in,
                     std::vector<testing::FakeTable*>&) {
    fill(in, "RFCSI_EXPORT", 13, "PRD" + std::string(29, ' '));  // RFCDEST
    fill(in, "RFCSI_EXPORT", 45, "abc     ");                     // RFCHOST
    fill(in, "RFCSI_EXPORT", 53, "PR" + std::string(6, ' '));     // RFCSYSID
  };
  SystemInfo info;
  CallResult r = call_rfc_system_info(s.session, info);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(info.destination, "PRD");
  EXPECT_EQ(info.host, "abc     ");  // keeps its blanks
  EXPECT_EQ(info.system_id, "PR      ");

  s.fake.receive_code = RFC_FAILURE;
  SystemInfo kept;
  kept.host = "h";
  CallResult failed = call_rfc_system_info(s.session, kept);
  EXPECT_EQ(failed.error_text, "Error 1014: RFC-Failure raised !");
  EXPECT_EQ(kept.host, "h");
}

TEST(Drivers, XalVersionFromTheLastMatchingLine) {
  const struct {
    std::vector<std::string> lines;  // INTERFACE (3) + VERSION (10)
    std::string version;
  } cases[] = {
      {{"XAL0.1       "}, "0.1"},
      {{"XAL1.0       ", "XBP2.0       ", "XAL2.0       "}, "2.0"},
      {{"XBP2.0       ", "XMB1.0       "}, "   "},  // no XAL: unchanged
      {{"XMBXAL       "}, "XAL"},                 // "XAL" anywhere in the text
  };
  for (const auto& c : cases) {
    Session s;
    std::vector<std::string> lines = c.lines;
    s.fake.answer = [lines](testing::FakeCall&, std::vector<RFC_PARAMETER*>&,
                            std::vector<testing::FakeTable*>& tables) {
      tables[0]->lines = lines;
    };
    std::string xal = "   ";
    ASSERT_TRUE(call_sxmi_versions_get(s.session, xal).ok());
    EXPECT_EQ(xal, c.version) << c.lines.back();
    EXPECT_EQ(s.fake.calls[0].exporting[0].value, "*  ");
  }
}

TEST(Drivers, XmiLogonValuesArePaddedAndCut) {
  Session s;
  XmiSession xmi{"XAL", "1.0"};
  ASSERT_TRUE(call_bapi_xmi_logon(s.session, "A company name longer than 16", xmi).ok());
  const auto& sent = s.fake.calls[0].exporting;
  ASSERT_EQ(sent.size(), 4u);
  EXPECT_EQ(sent[0].value, "A company name l");
  EXPECT_EQ(sent[1].value, std::string(16, ' '));
  EXPECT_EQ(sent[2].value, "XAL");
  EXPECT_EQ(sent[3].value, "1.0       ");
  EXPECT_EQ(external_user_name("MONITORING_USER_XY"), "MONITORING_USER_");
  EXPECT_EQ(external_user_name("MON"), "MON" + std::string(13, ' '));

  s.fake.receive_code = RFC_EXCEPTION;
  s.fake.exception = "INTERFACE_NOT_SUPPORTED";
  XmiSession blank{"XAL", "   "};
  EXPECT_EQ(call_bapi_xmi_logoff(s.session, blank).error_text,
            "Exception.: XAL(   ) INTERFACE_NOT_SUPPORTED");
}

TEST(ErrorReport, BlockOfEightLinesWithFieldsCutAtTheirWidth) {
  RFC_ERROR_INFO info{};
  std::memcpy(info.key, "RFC_ERROR_PROGRAM", 17);
  std::memset(info.status, 'S', sizeof info.status);  // no terminator at all
  std::memcpy(info.message, "bad", 3);
  EXPECT_EQ(rfc_error_block("ItCreate VERSIONS", info),
            "RFC error\n"
            "operation/code  : ItCreate VERSIONS\n"
            "key             : RFC_ERROR_PROGRAM\n"
            "status          : " + std::string(128, 'S') + "\n"
            "message         : bad\n"
            "internal status : \n"
            "\n"
            "* Programm aborted...\n");
  EXPECT_EQ(labelled_line("key", 2, 5, "v"), "  key   : v\n");
}

TEST(ErrorReport, AFailingTableOperationEndsTheProgramWithStatusOne) {
  EXPECT_EXIT(
      {
        Session s;
        install_error_report(s.fake.api());
        s.fake.create_fails = true;
        create_table(s.session, {"MONITOR_SETS", Structure::BAPIMSNAME});
      },
      ::testing::ExitedWithCode(1), "");
  EXPECT_EXIT(
      {
        Session s;
        install_error_report(s.fake.api());
        s.fake.install_code = RFC_FAILURE;
        s.structures.handle(s.fake.api(), Structure::BAPIRET2);
      },
      ::testing::ExitedWithCode(1), "");
}

}  // namespace
}  // namespace keldar
