// The SAP structures that the sensor exchanges with the RFC library: their
// descriptors (field name, RFC type code, length) for RfcInstallStructure,
// and C++ records for the ones the sensor reads or builds field by field.
//
// The library lays a record out itself: the fields follow one another in
// descriptor order, a 32-bit integer starts at the next multiple of 4 and
// any other field at the next byte, and the size is rounded up to a
// multiple of 4 when the record holds an integer. Each table states the
// offsets and the size that follow from that rule; static_asserts below
// hold the tables, the rule and the C++ records together.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "rfc/rfc_interface.h"

namespace keldar {

enum class Structure {
  BAPIRET2,
  BAPITID,
  BAPIAID,
  RFCSI,
  SXMIVERS,
  BAPIMSNAME,
  BAPIMNNAME,
  BAPITNDEXT,
  BAPIPACVAL,
  BAPISMCVAL,
  BAPIMLCVAL,
  BAPIXMIEXT,
  BAPIXMIRAW,
  BAPITXTPRP,
  BAPIPAPROP,
  BAPIALERT,
  BAPIALDATE,
  BAPIALDATA,
};
inline constexpr std::size_t kStructureCount = 18;

struct FieldDescriptor {
  std::string_view name;
  unsigned type;    // TYPC, TYPDATE, TYPTIME, TYPNUM or TYPINT
  unsigned length;  // bytes in the record
  unsigned offset;  // where the layout rule puts it
};

struct StructureDescriptor {
  Structure id;
  std::string_view name;
  std::span<const FieldDescriptor> fields;
  unsigned size;  // record size, padding included
};

// The descriptor of `structure`.
const StructureDescriptor& structure_descriptor(Structure structure);

// The record size of `structure`, in constant expressions.
constexpr unsigned structure_size(Structure structure) {
  constexpr unsigned kSizes[kStructureCount] = {548, 84,  84, 200, 13,  60,  120, 440, 104,
                                                276, 96, 255, 690, 256, 124, 212, 14,  8};
  return kSizes[static_cast<std::size_t>(structure)];
}

// Every descriptor, in the order of Structure.
extern const std::array<StructureDescriptor, kStructureCount> kStructures;

namespace structure_tables {

constexpr unsigned C = TYPC, D = TYPDATE, T = TYPTIME, N = TYPNUM, I = TYPINT;

inline constexpr FieldDescriptor kBapiret2[] = {
    {"TYPE", C, 1, 0},          {"ID", C, 20, 1},           {"NUMBER", N, 3, 21},
    {"MESSAGE", C, 220, 24},    {"LOG_NO", C, 20, 244},     {"LOG_MSG_NO", N, 6, 264},
    {"MESSAGE_V1", C, 50, 270}, {"MESSAGE_V2", C, 50, 320}, {"MESSAGE_V3", C, 50, 370},
    {"MESSAGE_V4", C, 50, 420}, {"PARAMETER", C, 32, 470},  {"ROW", I, 4, 504},
    {"FIELD", C, 30, 508},      {"SYSTEM", C, 10, 538},
};
inline constexpr FieldDescriptor kBapitid[] = {
    {"MTSYSID", C, 8, 0}, {"MTMCNAME", C, 40, 8}, {"MTNUMRANGE", C, 3, 48}, {"MTUID", C, 10, 51},
    {"MTCLASS", C, 3, 61}, {"MTINDEX", C, 10, 64}, {"EXTINDEX", C, 10, 74},
};
inline constexpr FieldDescriptor kBapiaid[] = {
    {"ALSYSID", C, 8, 0},    {"MSEGNAME", C, 40, 8},  {"ALUNIQNUM", C, 10, 48},
    {"ALINDEX", C, 10, 58},  {"ALERTDATE", D, 8, 68}, {"ALERTTIME", T, 6, 76},
    {"DUMMYALIGN", C, 2, 82},
};
inline constexpr FieldDescriptor kRfcsi[] = {
    {"RFCPROTO", C, 3, 0},     {"RFCCHARTYP", C, 4, 3},  {"RFCINTTYP", C, 3, 7},
    {"RFCFLOTYP", C, 3, 10},   {"RFCDEST", C, 32, 13},   {"RFCHOST", C, 8, 45},
    {"RFCSYSID", C, 8, 53},    {"RFCDATABS", C, 8, 61},  {"RFCDBHOST", C, 32, 69},
    {"RFCDBSYS", C, 10, 101},  {"RFCSAPRL", C, 4, 111},  {"RFCMACH", C, 5, 115},
    {"RFCOPSYS", C, 10, 120},  {"RFCTZONE", C, 6, 130},  {"RFCDAYST", C, 1, 136},
    {"RFCIPADDR", C, 15, 137}, {"RFCKERNRL", C, 4, 152}, {"RFCSI_RESV", C, 44, 156},
};
inline constexpr FieldDescriptor kSxmivers[] = {{"INTERFACE", C, 3, 0}, {"VERSION", C, 10, 3}};
inline constexpr FieldDescriptor kBapimsname[] = {{"NAME", C, 60, 0}};
inline constexpr FieldDescriptor kBapimnname[] = {{"MONI_NAME", C, 60, 0}, {"MS_NAME", C, 60, 60}};
inline constexpr FieldDescriptor kBapitndext[] = {
    {"MTSYSID", C, 8, 0},      {"MTMCNAME", C, 40, 8},    {"MTNUMRANGE", C, 3, 48},
    {"MTUID", C, 10, 51},      {"MTCLASS", C, 3, 61},     {"MTINDEX", C, 10, 64},
    {"EXTINDEX", C, 10, 74},   {"ALTREENUM", I, 4, 84},   {"ALIDXINTRE", I, 4, 88},
    {"ALLEVINTRE", I, 4, 92},  {"ALPARINTRE", I, 4, 96},  {"OBJECTNAME", C, 40, 100},
    {"MTNAMESHRT", C, 40, 140}, {"CUSGRPNAME", C, 40, 180}, {"DELIVERSTA", I, 4, 220},
    {"HIGHALVAL", I, 4, 224},  {"HIGHALSEV", I, 4, 228},  {"ALSYSID", C, 8, 232},
    {"MSEGNAME", C, 40, 240},  {"ALUNIQNUM", C, 10, 280}, {"ALINDEX", C, 10, 290},
    {"ALERTDATE", D, 8, 300},  {"ALERTTIME", T, 6, 308},  {"DUMMYALIGN", C, 2, 314},
    {"LASTVALDAT", D, 8, 316}, {"LASTVALTIM", T, 6, 324}, {"LASTVALDUM", C, 2, 330},
    {"ACTUALVAL", I, 4, 332},  {"ACTUALSEV", I, 4, 336},  {"VALSYSID", C, 8, 340},
    {"VMSEGNAME", C, 40, 348}, {"VALUNIQNUM", C, 10, 388}, {"VALINDEX", C, 10, 398},
    {"VALERTDATE", D, 8, 408}, {"VALERTTIME", T, 6, 416}, {"VALERTDUM", C, 2, 422},
    {"COUNTOFACT", I, 4, 424}, {"COUNTSUM", I, 4, 428},   {"VISUSERLEV", I, 4, 432},
    {"TDSTATUS", I, 4, 436},
};
inline constexpr FieldDescriptor kBapipacval[] = {
    {"ALRELEVVAL", I, 4, 0},  {"ALRELVALDT", D, 8, 4},  {"ALRELVALTI", T, 6, 12},
    {"LASTALSTAT", I, 4, 20}, {"LASTPERVAL", I, 4, 24}, {"AVG01PVAL", I, 4, 28},
    {"AVG05PVAL", I, 4, 32},  {"AVG15PVAL", I, 4, 36},  {"AVG01SVAL", I, 4, 40},
    {"AVG05SVAL", I, 4, 44},  {"AVG15SVAL", I, 4, 48},  {"AVG01CVAL", I, 4, 52},
    {"AVG05CVAL", I, 4, 56},  {"AVG15CVAL", I, 4, 60},  {"MAXPFVALUE", I, 4, 64},
    {"MAXPFDATE", D, 8, 68},  {"MAXPFTIME", T, 6, 76},  {"MINPFVALUE", I, 4, 84},
    {"MINPFDATE", D, 8, 88},  {"MINPFTIME", T, 6, 96},
};
inline constexpr FieldDescriptor kBapismcval[] = {
    {"SMSGVALUE", I, 4, 0}, {"SMSGDATE", D, 8, 4}, {"SMSGTIME", T, 6, 12}, {"MSG", C, 255, 18},
};
inline constexpr FieldDescriptor kBapimlcval[] = {
    {"MSCGLLID", C, 50, 0},   {"MSCDATE", D, 8, 50},    {"MSCTIME", T, 6, 58},
    {"VALUEORIG", I, 4, 64},  {"SEVERORIG", I, 4, 68},  {"VALUEFLTRD", I, 4, 72},
    {"SEVERFLTRD", I, 4, 76}, {"MANDT", C, 3, 80},      {"USERID", C, 12, 83},
};
inline constexpr FieldDescriptor kBapixmiext[] = {{"MSG", C, 255, 0}};
inline constexpr FieldDescriptor kBapixmiraw[] = {
    {"MSGCLASS", C, 16, 0},   {"MSGID", C, 30, 16},     {"MSGARG1", C, 128, 46},
    {"ARGTYPE1", C, 1, 174},  {"MSGARG2", C, 128, 175}, {"ARGTYPE2", C, 1, 303},
    {"MSGARG3", C, 128, 304}, {"ARGTYPE3", C, 1, 432},  {"MSGARG4", C, 128, 433},
    {"ARGTYPE4", C, 1, 561},  {"MSGTEXT", C, 128, 562},
};
inline constexpr FieldDescriptor kBapitxtprp[] = {{"TEXT", C, 256, 0}};
inline constexpr FieldDescriptor kBapipaprop[] = {
    {"RELVALTYPE", I, 4, 0},  {"THRESHDIR", I, 4, 4},  {"THRESHSTAT", I, 4, 8},
    {"TRESHG2Y", I, 4, 12},   {"TRESHY2R", I, 4, 16},  {"TRESHY2G", I, 4, 20},
    {"TRESHR2Y", I, 4, 24},   {"MSGCLASS", C, 16, 28}, {"MSGID", C, 30, 44},
    {"ATTRGROUP", C, 40, 74}, {"VALUNIT", C, 4, 114},  {"DECIMALS", I, 4, 120},
};
inline constexpr FieldDescriptor kBapialert[] = {
    {"SHORTNAME", C, 40, 0},   {"OBJECTNAME", C, 40, 40}, {"MANDT", C, 3, 80},
    {"USERID", C, 12, 83},     {"ALSTATUS", I, 4, 96},    {"STATCHGDAT", D, 8, 100},
    {"STATCHGTIM", T, 6, 108}, {"STATCHGUSR", C, 16, 114}, {"TIMEOUTDAT", D, 8, 130},
    {"TIMEOUTTIM", T, 6, 138}, {"REPORTEDBY", C, 16, 144}, {"MSCGLID", C, 50, 160},
};
inline constexpr FieldDescriptor kBapialdate[] = {{"ALDATE", D, 8, 0}, {"ALTIME", T, 6, 8}};
inline constexpr FieldDescriptor kBapialdata[] = {{"VALUE", I, 4, 0}, {"SEVERITY", I, 4, 4}};

// The layout rule: true when every stated offset and the size are where
// the library puts them.
template <std::size_t N>
constexpr bool follows_layout_rule(const FieldDescriptor (&fields)[N], unsigned size) {
  unsigned at = 0;
  unsigned alignment = 1;
  for (const FieldDescriptor& f : fields) {
    if (f.type == I) {
      at = (at + 3) / 4 * 4;
      alignment = 4;
    }
    if (f.offset != at) return false;
    at += f.length;
  }
  return (at + alignment - 1) / alignment * alignment == size;
}

// The stated offset of field `name`; a name the table lacks fails to compile
// where it is used in a constant expression.
template <std::size_t N>
constexpr unsigned offset_of(const FieldDescriptor (&fields)[N], std::string_view name) {
  for (const FieldDescriptor& f : fields) {
    if (f.name == name) return f.offset;
  }
  throw "no such field";
}

static_assert(follows_layout_rule(kBapiret2, 548));
static_assert(follows_layout_rule(kBapitid, 84));
static_assert(follows_layout_rule(kBapiaid, 84));
static_assert(follows_layout_rule(kRfcsi, 200));
static_assert(follows_layout_rule(kSxmivers, 13));
static_assert(follows_layout_rule(kBapimsname, 60));
static_assert(follows_layout_rule(kBapimnname, 120));
static_assert(follows_layout_rule(kBapitndext, 440));
static_assert(follows_layout_rule(kBapipacval, 104));
static_assert(follows_layout_rule(kBapismcval, 276));
static_assert(follows_layout_rule(kBapimlcval, 96));
static_assert(follows_layout_rule(kBapixmiext, 255));
static_assert(follows_layout_rule(kBapixmiraw, 690));
static_assert(follows_layout_rule(kBapitxtprp, 256));
static_assert(follows_layout_rule(kBapipaprop, 124));
static_assert(follows_layout_rule(kBapialert, 212));
static_assert(follows_layout_rule(kBapialdate, 14));
static_assert(follows_layout_rule(kBapialdata, 8));

}  // namespace structure_tables

// Records the sensor reads field by field, as the library lays them out.
// Character, date and time fields carry no terminator: read them with
// text::field_text and their width.

struct RfcsiRecord {
  char RFCPROTO[3], RFCCHARTYP[4], RFCINTTYP[3], RFCFLOTYP[3], RFCDEST[32], RFCHOST[8],
      RFCSYSID[8], RFCDATABS[8], RFCDBHOST[32], RFCDBSYS[10], RFCSAPRL[4], RFCMACH[5],
      RFCOPSYS[10], RFCTZONE[6], RFCDAYST[1], RFCIPADDR[15], RFCKERNRL[4], RFCSI_RESV[44];
};

struct SxmiversRecord {
  char INTERFACE[3], VERSION[10];
};

struct BapimsnameRecord {
  char NAME[60];
};

struct BapimnnameRecord {
  char MONI_NAME[60], MS_NAME[60];
};

struct BapitidRecord {
  char MTSYSID[8], MTMCNAME[40], MTNUMRANGE[3], MTUID[10], MTCLASS[3], MTINDEX[10],
      EXTINDEX[10];
};

struct BapiaidRecord {
  char ALSYSID[8], MSEGNAME[40], ALUNIQNUM[10], ALINDEX[10], ALERTDATE[8], ALERTTIME[6],
      DUMMYALIGN[2];
};

struct BapitndextRecord {
  char MTSYSID[8], MTMCNAME[40], MTNUMRANGE[3], MTUID[10], MTCLASS[3], MTINDEX[10],
      EXTINDEX[10];
  std::int32_t ALTREENUM, ALIDXINTRE, ALLEVINTRE, ALPARINTRE;
  char OBJECTNAME[40], MTNAMESHRT[40], CUSGRPNAME[40];
  std::int32_t DELIVERSTA, HIGHALVAL, HIGHALSEV;
  char ALSYSID[8], MSEGNAME[40], ALUNIQNUM[10], ALINDEX[10], ALERTDATE[8], ALERTTIME[6],
      DUMMYALIGN[2], LASTVALDAT[8], LASTVALTIM[6], LASTVALDUM[2];
  std::int32_t ACTUALVAL, ACTUALSEV;
  char VALSYSID[8], VMSEGNAME[40], VALUNIQNUM[10], VALINDEX[10], VALERTDATE[8], VALERTTIME[6],
      VALERTDUM[2];
  std::int32_t COUNTOFACT, COUNTSUM, VISUSERLEV, TDSTATUS;
};

struct BapipacvalRecord {
  std::int32_t ALRELEVVAL;
  char ALRELVALDT[8], ALRELVALTI[6];
  std::int32_t LASTALSTAT, LASTPERVAL, AVG01PVAL, AVG05PVAL, AVG15PVAL, AVG01SVAL, AVG05SVAL,
      AVG15SVAL, AVG01CVAL, AVG05CVAL, AVG15CVAL, MAXPFVALUE;
  char MAXPFDATE[8], MAXPFTIME[6];
  std::int32_t MINPFVALUE;
  char MINPFDATE[8], MINPFTIME[6];
};

struct BapismcvalRecord {
  std::int32_t SMSGVALUE;
  char SMSGDATE[8], SMSGTIME[6], MSG[255];
};

struct BapixmiextRecord {
  char MSG[255];
};

struct BapitxtprpRecord {
  char TEXT[256];
};

struct BapipapropRecord {
  std::int32_t RELVALTYPE, THRESHDIR, THRESHSTAT, TRESHG2Y, TRESHY2R, TRESHY2G, TRESHR2Y;
  char MSGCLASS[16], MSGID[30], ATTRGROUP[40], VALUNIT[4];
  std::int32_t DECIMALS;
};

// Each record's fields sit where the descriptor table says, and the record
// has the table's size. Every field is checked, so a length moved from one
// field to its neighbour fails to compile.
#define KELDAR_FIELD_AT(Record, table, field) \
  static_assert(offsetof(Record, field) == structure_tables::offset_of(table, #field))

namespace structure_tables {
static_assert(sizeof(RfcsiRecord) == 200);
static_assert(sizeof(SxmiversRecord) == 13);
static_assert(sizeof(BapimsnameRecord) == 60);
static_assert(sizeof(BapimnnameRecord) == 120);
static_assert(sizeof(BapitidRecord) == 84);
static_assert(sizeof(BapiaidRecord) == 84);
static_assert(sizeof(BapitndextRecord) == 440);
static_assert(sizeof(BapipacvalRecord) == 104);
static_assert(sizeof(BapismcvalRecord) == 276);
static_assert(sizeof(BapixmiextRecord) == 255);
static_assert(sizeof(BapitxtprpRecord) == 256);
static_assert(sizeof(BapipapropRecord) == 124);
}  // namespace structure_tables

KELDAR_FIELD_AT(RfcsiRecord, structure_tables::kRfcsi, RFCPROTO);
KELDAR_FIELD_AT(RfcsiRecord, structure_tables::kRfcsi, RFCCHARTYP);
KELDAR_FIELD_AT(RfcsiRecord, structure_tables::kRfcsi, RFCINTTYP);
KELDAR_FIELD_AT(RfcsiRecord, structure_tables::kRfcsi, RFCFLOTYP);
KELDAR_FIELD_AT(RfcsiRecord, structure_tables::kRfcsi, RFCDEST);
KELDAR_FIELD_AT(RfcsiRecord, structure_tables::kRfcsi, RFCHOST);
KELDAR_FIELD_AT(RfcsiRecord, structure_tables::kRfcsi, RFCSYSID);
KELDAR_FIELD_AT(RfcsiRecord, structure_tables::kRfcsi, RFCDATABS);
KELDAR_FIELD_AT(RfcsiRecord, structure_tables::kRfcsi, RFCDBHOST);
KELDAR_FIELD_AT(RfcsiRecord, structure_tables::kRfcsi, RFCDBSYS);
KELDAR_FIELD_AT(RfcsiRecord, structure_tables::kRfcsi, RFCSAPRL);
KELDAR_FIELD_AT(RfcsiRecord, structure_tables::kRfcsi, RFCMACH);
KELDAR_FIELD_AT(RfcsiRecord, structure_tables::kRfcsi, RFCOPSYS);
KELDAR_FIELD_AT(RfcsiRecord, structure_tables::kRfcsi, RFCTZONE);
KELDAR_FIELD_AT(RfcsiRecord, structure_tables::kRfcsi, RFCDAYST);
KELDAR_FIELD_AT(RfcsiRecord, structure_tables::kRfcsi, RFCIPADDR);
KELDAR_FIELD_AT(RfcsiRecord, structure_tables::kRfcsi, RFCKERNRL);
KELDAR_FIELD_AT(RfcsiRecord, structure_tables::kRfcsi, RFCSI_RESV);

KELDAR_FIELD_AT(SxmiversRecord, structure_tables::kSxmivers, INTERFACE);
KELDAR_FIELD_AT(SxmiversRecord, structure_tables::kSxmivers, VERSION);

KELDAR_FIELD_AT(BapimsnameRecord, structure_tables::kBapimsname, NAME);

KELDAR_FIELD_AT(BapimnnameRecord, structure_tables::kBapimnname, MONI_NAME);
KELDAR_FIELD_AT(BapimnnameRecord, structure_tables::kBapimnname, MS_NAME);

KELDAR_FIELD_AT(BapitidRecord, structure_tables::kBapitid, MTSYSID);
KELDAR_FIELD_AT(BapitidRecord, structure_tables::kBapitid, MTMCNAME);
KELDAR_FIELD_AT(BapitidRecord, structure_tables::kBapitid, MTNUMRANGE);
KELDAR_FIELD_AT(BapitidRecord, structure_tables::kBapitid, MTUID);
KELDAR_FIELD_AT(BapitidRecord, structure_tables::kBapitid, MTCLASS);
KELDAR_FIELD_AT(BapitidRecord, structure_tables::kBapitid, MTINDEX);
KELDAR_FIELD_AT(BapitidRecord, structure_tables::kBapitid, EXTINDEX);

KELDAR_FIELD_AT(BapiaidRecord, structure_tables::kBapiaid, ALSYSID);
KELDAR_FIELD_AT(BapiaidRecord, structure_tables::kBapiaid, MSEGNAME);
KELDAR_FIELD_AT(BapiaidRecord, structure_tables::kBapiaid, ALUNIQNUM);
KELDAR_FIELD_AT(BapiaidRecord, structure_tables::kBapiaid, ALINDEX);
KELDAR_FIELD_AT(BapiaidRecord, structure_tables::kBapiaid, ALERTDATE);
KELDAR_FIELD_AT(BapiaidRecord, structure_tables::kBapiaid, ALERTTIME);
KELDAR_FIELD_AT(BapiaidRecord, structure_tables::kBapiaid, DUMMYALIGN);

KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, MTSYSID);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, MTMCNAME);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, MTNUMRANGE);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, MTUID);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, MTCLASS);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, MTINDEX);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, EXTINDEX);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, ALTREENUM);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, ALIDXINTRE);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, ALLEVINTRE);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, ALPARINTRE);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, OBJECTNAME);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, MTNAMESHRT);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, CUSGRPNAME);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, DELIVERSTA);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, HIGHALVAL);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, HIGHALSEV);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, ALSYSID);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, MSEGNAME);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, ALUNIQNUM);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, ALINDEX);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, ALERTDATE);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, ALERTTIME);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, DUMMYALIGN);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, LASTVALDAT);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, LASTVALTIM);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, LASTVALDUM);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, ACTUALVAL);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, ACTUALSEV);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, VALSYSID);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, VMSEGNAME);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, VALUNIQNUM);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, VALINDEX);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, VALERTDATE);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, VALERTTIME);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, VALERTDUM);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, COUNTOFACT);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, COUNTSUM);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, VISUSERLEV);
KELDAR_FIELD_AT(BapitndextRecord, structure_tables::kBapitndext, TDSTATUS);

KELDAR_FIELD_AT(BapipacvalRecord, structure_tables::kBapipacval, ALRELEVVAL);
KELDAR_FIELD_AT(BapipacvalRecord, structure_tables::kBapipacval, ALRELVALDT);
KELDAR_FIELD_AT(BapipacvalRecord, structure_tables::kBapipacval, ALRELVALTI);
KELDAR_FIELD_AT(BapipacvalRecord, structure_tables::kBapipacval, LASTALSTAT);
KELDAR_FIELD_AT(BapipacvalRecord, structure_tables::kBapipacval, LASTPERVAL);
KELDAR_FIELD_AT(BapipacvalRecord, structure_tables::kBapipacval, AVG01PVAL);
KELDAR_FIELD_AT(BapipacvalRecord, structure_tables::kBapipacval, AVG05PVAL);
KELDAR_FIELD_AT(BapipacvalRecord, structure_tables::kBapipacval, AVG15PVAL);
KELDAR_FIELD_AT(BapipacvalRecord, structure_tables::kBapipacval, AVG01SVAL);
KELDAR_FIELD_AT(BapipacvalRecord, structure_tables::kBapipacval, AVG05SVAL);
KELDAR_FIELD_AT(BapipacvalRecord, structure_tables::kBapipacval, AVG15SVAL);
KELDAR_FIELD_AT(BapipacvalRecord, structure_tables::kBapipacval, AVG01CVAL);
KELDAR_FIELD_AT(BapipacvalRecord, structure_tables::kBapipacval, AVG05CVAL);
KELDAR_FIELD_AT(BapipacvalRecord, structure_tables::kBapipacval, AVG15CVAL);
KELDAR_FIELD_AT(BapipacvalRecord, structure_tables::kBapipacval, MAXPFVALUE);
KELDAR_FIELD_AT(BapipacvalRecord, structure_tables::kBapipacval, MAXPFDATE);
KELDAR_FIELD_AT(BapipacvalRecord, structure_tables::kBapipacval, MAXPFTIME);
KELDAR_FIELD_AT(BapipacvalRecord, structure_tables::kBapipacval, MINPFVALUE);
KELDAR_FIELD_AT(BapipacvalRecord, structure_tables::kBapipacval, MINPFDATE);
KELDAR_FIELD_AT(BapipacvalRecord, structure_tables::kBapipacval, MINPFTIME);

KELDAR_FIELD_AT(BapismcvalRecord, structure_tables::kBapismcval, SMSGVALUE);
KELDAR_FIELD_AT(BapismcvalRecord, structure_tables::kBapismcval, SMSGDATE);
KELDAR_FIELD_AT(BapismcvalRecord, structure_tables::kBapismcval, SMSGTIME);
KELDAR_FIELD_AT(BapismcvalRecord, structure_tables::kBapismcval, MSG);

KELDAR_FIELD_AT(BapixmiextRecord, structure_tables::kBapixmiext, MSG);

KELDAR_FIELD_AT(BapitxtprpRecord, structure_tables::kBapitxtprp, TEXT);

KELDAR_FIELD_AT(BapipapropRecord, structure_tables::kBapipaprop, RELVALTYPE);
KELDAR_FIELD_AT(BapipapropRecord, structure_tables::kBapipaprop, THRESHDIR);
KELDAR_FIELD_AT(BapipapropRecord, structure_tables::kBapipaprop, THRESHSTAT);
KELDAR_FIELD_AT(BapipapropRecord, structure_tables::kBapipaprop, TRESHG2Y);
KELDAR_FIELD_AT(BapipapropRecord, structure_tables::kBapipaprop, TRESHY2R);
KELDAR_FIELD_AT(BapipapropRecord, structure_tables::kBapipaprop, TRESHY2G);
KELDAR_FIELD_AT(BapipapropRecord, structure_tables::kBapipaprop, TRESHR2Y);
KELDAR_FIELD_AT(BapipapropRecord, structure_tables::kBapipaprop, MSGCLASS);
KELDAR_FIELD_AT(BapipapropRecord, structure_tables::kBapipaprop, MSGID);
KELDAR_FIELD_AT(BapipapropRecord, structure_tables::kBapipaprop, ATTRGROUP);
KELDAR_FIELD_AT(BapipapropRecord, structure_tables::kBapipaprop, VALUNIT);
KELDAR_FIELD_AT(BapipapropRecord, structure_tables::kBapipaprop, DECIMALS);

#undef KELDAR_FIELD_AT

}  // namespace keldar
