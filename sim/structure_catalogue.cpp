#include "structure_catalogue.h"

#include <map>

#include "rfc/rfc_interface.h"

namespace rfcsim {
namespace {

struct Spec {
  const char* name;
  unsigned type;
  unsigned length;
};

// Lays the record out as the RFC library does: fields in order, a 32-bit
// integer at the next multiple of 4, everything else at the next byte, and
// the size rounded up to the largest alignment used.
StructureDefinition layout(const char* name, std::initializer_list<Spec> specs) {
  StructureDefinition structure;
  structure.name = name;
  unsigned offset = 0;
  unsigned alignment = 1;
  for (const Spec& spec : specs) {
    if (spec.type == TYPINT) {
      offset = (offset + 3) / 4 * 4;
      alignment = 4;
    }
    structure.fields.push_back({spec.name, spec.type, spec.length, offset});
    offset += spec.length;
  }
  structure.size = (offset + alignment - 1) / alignment * alignment;
  return structure;
}

std::map<std::string, StructureDefinition, std::less<>> build_catalogue() {
  std::map<std::string, StructureDefinition, std::less<>> catalogue;
  auto add = [&catalogue](StructureDefinition s) {
    std::string key = s.name;
    catalogue.emplace(std::move(key), std::move(s));
  };
  add(layout("BAPIRET2", {{"TYPE", TYPC, 1},
                          {"ID", TYPC, 20},
                          {"NUMBER", TYPNUM, 3},
                          {"MESSAGE", TYPC, 220},
                          {"LOG_NO", TYPC, 20},
                          {"LOG_MSG_NO", TYPNUM, 6},
                          {"MESSAGE_V1", TYPC, 50},
                          {"MESSAGE_V2", TYPC, 50},
                          {"MESSAGE_V3", TYPC, 50},
                          {"MESSAGE_V4", TYPC, 50},
                          {"PARAMETER", TYPC, 32},
                          {"ROW", TYPINT, 4},
                          {"FIELD", TYPC, 30},
                          {"SYSTEM", TYPC, 10}}));
  add(layout("BAPITID", {{"MTSYSID", TYPC, 8},
                         {"MTMCNAME", TYPC, 40},
                         {"MTNUMRANGE", TYPC, 3},
                         {"MTUID", TYPC, 10},
                         {"MTCLASS", TYPC, 3},
                         {"MTINDEX", TYPC, 10},
                         {"EXTINDEX", TYPC, 10}}));
  add(layout("BAPIAID", {{"ALSYSID", TYPC, 8},
                         {"MSEGNAME", TYPC, 40},
                         {"ALUNIQNUM", TYPC, 10},
                         {"ALINDEX", TYPC, 10},
                         {"ALERTDATE", TYPDATE, 8},
                         {"ALERTTIME", TYPTIME, 6},
                         {"DUMMYALIGN", TYPC, 2}}));
  add(layout("RFCSI", {{"RFCPROTO", TYPC, 3},    {"RFCCHARTYP", TYPC, 4}, {"RFCINTTYP", TYPC, 3},
                       {"RFCFLOTYP", TYPC, 3},   {"RFCDEST", TYPC, 32},   {"RFCHOST", TYPC, 8},
                       {"RFCSYSID", TYPC, 8},    {"RFCDATABS", TYPC, 8},  {"RFCDBHOST", TYPC, 32},
                       {"RFCDBSYS", TYPC, 10},   {"RFCSAPRL", TYPC, 4},   {"RFCMACH", TYPC, 5},
                       {"RFCOPSYS", TYPC, 10},   {"RFCTZONE", TYPC, 6},   {"RFCDAYST", TYPC, 1},
                       {"RFCIPADDR", TYPC, 15},  {"RFCKERNRL", TYPC, 4},  {"RFCSI_RESV", TYPC, 44}}));
  add(layout("SXMIVERS", {{"INTERFACE", TYPC, 3}, {"VERSION", TYPC, 10}}));
  add(layout("BAPIMSNAME", {{"NAME", TYPC, 60}}));
  add(layout("BAPIMNNAME", {{"MONI_NAME", TYPC, 60}, {"MS_NAME", TYPC, 60}}));
  add(layout("BAPITNDEXT", {{"MTSYSID", TYPC, 8},     {"MTMCNAME", TYPC, 40},
                            {"MTNUMRANGE", TYPC, 3},  {"MTUID", TYPC, 10},
                            {"MTCLASS", TYPC, 3},     {"MTINDEX", TYPC, 10},
                            {"EXTINDEX", TYPC, 10},   {"ALTREENUM", TYPINT, 4},
                            {"ALIDXINTRE", TYPINT, 4}, {"ALLEVINTRE", TYPINT, 4},
                            {"ALPARINTRE", TYPINT, 4}, {"OBJECTNAME", TYPC, 40},
                            {"MTNAMESHRT", TYPC, 40}, {"CUSGRPNAME", TYPC, 40},
                            {"DELIVERSTA", TYPINT, 4}, {"HIGHALVAL", TYPINT, 4},
                            {"HIGHALSEV", TYPINT, 4}, {"ALSYSID", TYPC, 8},
                            {"MSEGNAME", TYPC, 40},   {"ALUNIQNUM", TYPC, 10},
                            {"ALINDEX", TYPC, 10},    {"ALERTDATE", TYPDATE, 8},
                            {"ALERTTIME", TYPTIME, 6}, {"DUMMYALIGN", TYPC, 2},
                            {"LASTVALDAT", TYPDATE, 8}, {"LASTVALTIM", TYPTIME, 6},
                            {"LASTVALDUM", TYPC, 2},  {"ACTUALVAL", TYPINT, 4},
                            {"ACTUALSEV", TYPINT, 4}, {"VALSYSID", TYPC, 8},
                            {"VMSEGNAME", TYPC, 40},  {"VALUNIQNUM", TYPC, 10},
                            {"VALINDEX", TYPC, 10},   {"VALERTDATE", TYPDATE, 8},
                            {"VALERTTIME", TYPTIME, 6}, {"VALERTDUM", TYPC, 2},
                            {"COUNTOFACT", TYPINT, 4}, {"COUNTSUM", TYPINT, 4},
                            {"VISUSERLEV", TYPINT, 4}, {"TDSTATUS", TYPINT, 4}}));
  add(layout("BAPIPACVAL", {{"ALRELEVVAL", TYPINT, 4}, {"ALRELVALDT", TYPDATE, 8},
                            {"ALRELVALTI", TYPTIME, 6}, {"LASTALSTAT", TYPINT, 4},
                            {"LASTPERVAL", TYPINT, 4}, {"AVG01PVAL", TYPINT, 4},
                            {"AVG05PVAL", TYPINT, 4},  {"AVG15PVAL", TYPINT, 4},
                            {"AVG01SVAL", TYPINT, 4},  {"AVG05SVAL", TYPINT, 4},
                            {"AVG15SVAL", TYPINT, 4},  {"AVG01CVAL", TYPINT, 4},
                            {"AVG05CVAL", TYPINT, 4},  {"AVG15CVAL", TYPINT, 4},
                            {"MAXPFVALUE", TYPINT, 4}, {"MAXPFDATE", TYPDATE, 8},
                            {"MAXPFTIME", TYPTIME, 6}, {"MINPFVALUE", TYPINT, 4},
                            {"MINPFDATE", TYPDATE, 8}, {"MINPFTIME", TYPTIME, 6}}));
  add(layout("BAPISMCVAL", {{"SMSGVALUE", TYPINT, 4},
                            {"SMSGDATE", TYPDATE, 8},
                            {"SMSGTIME", TYPTIME, 6},
                            {"MSG", TYPC, 255}}));
  add(layout("BAPIMLCVAL", {{"MSCGLLID", TYPC, 50},
                            {"MSCDATE", TYPDATE, 8},
                            {"MSCTIME", TYPTIME, 6},
                            {"VALUEORIG", TYPINT, 4},
                            {"SEVERORIG", TYPINT, 4},
                            {"VALUEFLTRD", TYPINT, 4},
                            {"SEVERFLTRD", TYPINT, 4},
                            {"MANDT", TYPC, 3},
                            {"USERID", TYPC, 12}}));
  add(layout("BAPIXMIEXT", {{"MSG", TYPC, 255}}));
  add(layout("BAPIXMIRAW", {{"MSGCLASS", TYPC, 16},
                            {"MSGID", TYPC, 30},
                            {"MSGARG1", TYPC, 128},
                            {"ARGTYPE1", TYPC, 1},
                            {"MSGARG2", TYPC, 128},
                            {"ARGTYPE2", TYPC, 1},
                            {"MSGARG3", TYPC, 128},
                            {"ARGTYPE3", TYPC, 1},
                            {"MSGARG4", TYPC, 128},
                            {"ARGTYPE4", TYPC, 1},
                            {"MSGTEXT", TYPC, 128}}));
  add(layout("BAPITXTPRP", {{"TEXT", TYPC, 256}}));
  add(layout("BAPIPAPROP", {{"RELVALTYPE", TYPINT, 4},
                            {"THRESHDIR", TYPINT, 4},
                            {"THRESHSTAT", TYPINT, 4},
                            {"TRESHG2Y", TYPINT, 4},
                            {"TRESHY2R", TYPINT, 4},
                            {"TRESHY2G", TYPINT, 4},
                            {"TRESHR2Y", TYPINT, 4},
                            {"MSGCLASS", TYPC, 16},
                            {"MSGID", TYPC, 30},
                            {"ATTRGROUP", TYPC, 40},
                            {"VALUNIT", TYPC, 4},
                            {"DECIMALS", TYPINT, 4}}));
  add(layout("BAPIALERT", {{"SHORTNAME", TYPC, 40},
                           {"OBJECTNAME", TYPC, 40},
                           {"MANDT", TYPC, 3},
                           {"USERID", TYPC, 12},
                           {"ALSTATUS", TYPINT, 4},
                           {"STATCHGDAT", TYPDATE, 8},
                           {"STATCHGTIM", TYPTIME, 6},
                           {"STATCHGUSR", TYPC, 16},
                           {"TIMEOUTDAT", TYPDATE, 8},
                           {"TIMEOUTTIM", TYPTIME, 6},
                           {"REPORTEDBY", TYPC, 16},
                           {"MSCGLID", TYPC, 50}}));
  add(layout("BAPIALDATE", {{"ALDATE", TYPDATE, 8}, {"ALTIME", TYPTIME, 6}}));
  add(layout("BAPIALDATA", {{"VALUE", TYPINT, 4}, {"SEVERITY", TYPINT, 4}}));
  return catalogue;
}

}  // namespace

const FieldDefinition* StructureDefinition::field(std::string_view field_name) const {
  for (const FieldDefinition& f : fields) {
    if (f.name == field_name) return &f;
  }
  return nullptr;
}

const StructureDefinition* find_structure(std::string_view name) {
  static const auto catalogue = build_catalogue();
  auto it = catalogue.find(name);
  return it == catalogue.end() ? nullptr : &it->second;
}

std::string elementary_type_name(unsigned type) {
  switch (type) {
    case TYPC: return "TYPC";
    case TYPDATE: return "TYPDATE";
    case TYPTIME: return "TYPTIME";
    case TYPNUM: return "TYPNUM";
    case TYPINT: return "TYPINT";
    default: return "type " + std::to_string(type);
  }
}

}  // namespace rfcsim
