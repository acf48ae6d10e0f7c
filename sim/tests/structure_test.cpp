// RfcInstallStructure against the system's dictionary.
#include <functional>
#include <set>

#include "rfc_client.h"

namespace rfcsim_test {
namespace {

std::vector<RFC_TYPE_ELEMENT> rows_of(const std::string& name, bool with_offsets) {
  std::vector<RFC_TYPE_ELEMENT> rows;
  for (const Field& f : layout(name).fields) {
    rows.push_back({const_cast<char*>(f.name), f.type, f.length, 0, with_offsets ? f.offset : 0});
  }
  return rows;
}

class Structures : public SimTest {};

TEST_F(Structures, EveryStructureInstallsWithTheDictionaryOffsetsAndKeepsItsHandle) {
  std::set<RFC_TYPEHANDLE> handles;
  for (const std::string& name : structure_names()) {
    // Explicit offsets are accepted only where the library's own layout
    // puts the fields, so this also checks the layout rule field by field.
    auto rows = rows_of(name, true);
    RFC_TYPEHANDLE handle = 0;
    ASSERT_EQ(rfc().RfcInstallStructure(name.c_str(), rows.data(), static_cast<unsigned>(rows.size()), &handle), RFC_OK)
        << name << ": " << trace_reason();
    EXPECT_GT(handle, static_cast<RFC_TYPEHANDLE>(TYPINT)) << name << " handle collides with a type code";
    handles.insert(handle);
    RFC_TYPEHANDLE again = 0;
    auto plain = rows_of(name, false);
    ASSERT_EQ(rfc().RfcInstallStructure(name.c_str(), plain.data(), static_cast<unsigned>(plain.size()), &again), RFC_OK);
    EXPECT_EQ(again, handle) << name;
  }
  EXPECT_EQ(handles.size(), structure_names().size());
}

TEST_F(Structures, AWrongDescriptorIsRefusedAndNamedInTheTrace) {
  struct Case {
    const char* what;
    const char* structure;
    std::function<void(std::vector<RFC_TYPE_ELEMENT>&)> spoil;
    const char* reason_part;
  };
  const std::vector<Case> cases = {
      {"row missing", "BAPIRET2", [](auto& r) { r.pop_back(); }, "13 fields given, the structure has 14"},
      {"wrong type", "BAPIRET2", [](auto& r) { r[11].type = TYPC; }, "field 12 (ROW): TYPC given, expected TYPINT"},
      {"wrong length", "BAPITID", [](auto& r) { r[3].length = 12; }, "field 4 (MTUID): length 12 given, expected 10"},
      {"wrong name", "SXMIVERS", [](auto& r) { r[1].name = const_cast<char*>("VERSN"); }, "name VERSN given"},
      {"wrong offset", "BAPIRET2", [](auto& r) { r[11].offset = 502; }, "offset 502 given, the field is at 504"},
      {"decimals", "BAPIALDATA", [](auto& r) { r[0].decimals = 2; }, "2 decimals given"},
      {"numeric text as characters", "BAPIRET2", [](auto& r) { r[2].type = TYPC; }, "(NUMBER): TYPC given, expected TYPNUM"},
  };
  for (const Case& c : cases) {
    auto rows = rows_of(c.structure, false);
    c.spoil(rows);
    RFC_TYPEHANDLE handle = 0;
    EXPECT_NE(rfc().RfcInstallStructure(c.structure, rows.data(), static_cast<unsigned>(rows.size()), &handle), RFC_OK)
        << c.what;
    EXPECT_NE(trace_reason().find(c.reason_part), std::string::npos) << c.what << ": " << trace_reason();
    EXPECT_NE(std::string(last_error().message).find(c.reason_part), std::string::npos) << c.what;
  }
  RFC_TYPE_ELEMENT row{const_cast<char*>("X"), TYPC, 1, 0, 0};
  RFC_TYPEHANDLE handle = 0;
  EXPECT_NE(rfc().RfcInstallStructure("ZUNKNOWN", &row, 1, &handle), RFC_OK);
  EXPECT_EQ(trace_reason(), "Structure ZUNKNOWN is not known to this system");
}

}  // namespace
}  // namespace rfcsim_test
