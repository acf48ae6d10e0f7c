#include "rfc_client.h"

#include <fstream>
#include <memory>
#include <random>
#include <sstream>

#include "environment_variable.h"
#include "platform/program_location.h"
#include "platform/rfc_abi.h"
#include "platform/shared_library.h"

namespace rfcsim_test {
namespace {

constexpr unsigned C = TYPC, D = TYPDATE, T = TYPTIME, N = TYPNUM, I = TYPINT;

// Field lists with the offsets and sizes of the SAP dictionary.
const std::map<std::string, Layout>& layouts() {
  static const std::map<std::string, Layout> all = {
      {"BAPIRET2",
       {{{"TYPE", C, 1, 0}, {"ID", C, 20, 1}, {"NUMBER", N, 3, 21}, {"MESSAGE", C, 220, 24},
         {"LOG_NO", C, 20, 244}, {"LOG_MSG_NO", N, 6, 264}, {"MESSAGE_V1", C, 50, 270},
         {"MESSAGE_V2", C, 50, 320}, {"MESSAGE_V3", C, 50, 370}, {"MESSAGE_V4", C, 50, 420},
         {"PARAMETER", C, 32, 470}, {"ROW", I, 4, 504}, {"FIELD", C, 30, 508}, {"SYSTEM", C, 10, 538}},
        548}},
      {"BAPITID",
       {{{"MTSYSID", C, 8, 0}, {"MTMCNAME", C, 40, 8}, {"MTNUMRANGE", C, 3, 48}, {"MTUID", C, 10, 51},
         {"MTCLASS", C, 3, 61}, {"MTINDEX", C, 10, 64}, {"EXTINDEX", C, 10, 74}},
        84}},
      {"BAPIAID",
       {{{"ALSYSID", C, 8, 0}, {"MSEGNAME", C, 40, 8}, {"ALUNIQNUM", C, 10, 48}, {"ALINDEX", C, 10, 58},
         {"ALERTDATE", D, 8, 68}, {"ALERTTIME", T, 6, 76}, {"DUMMYALIGN", C, 2, 82}},
        84}},
      {"RFCSI",
       {{{"RFCPROTO", C, 3, 0}, {"RFCCHARTYP", C, 4, 3}, {"RFCINTTYP", C, 3, 7}, {"RFCFLOTYP", C, 3, 10},
         {"RFCDEST", C, 32, 13}, {"RFCHOST", C, 8, 45}, {"RFCSYSID", C, 8, 53}, {"RFCDATABS", C, 8, 61},
         {"RFCDBHOST", C, 32, 69}, {"RFCDBSYS", C, 10, 101}, {"RFCSAPRL", C, 4, 111}, {"RFCMACH", C, 5, 115},
         {"RFCOPSYS", C, 10, 120}, {"RFCTZONE", C, 6, 130}, {"RFCDAYST", C, 1, 136},
         {"RFCIPADDR", C, 15, 137}, {"RFCKERNRL", C, 4, 152}, {"RFCSI_RESV", C, 44, 156}},
        200}},
      {"SXMIVERS", {{{"INTERFACE", C, 3, 0}, {"VERSION", C, 10, 3}}, 13}},
      {"BAPIMSNAME", {{{"NAME", C, 60, 0}}, 60}},
      {"BAPIMNNAME", {{{"MONI_NAME", C, 60, 0}, {"MS_NAME", C, 60, 60}}, 120}},
      {"BAPITNDEXT",
       {{{"MTSYSID", C, 8, 0},      {"MTMCNAME", C, 40, 8},     {"MTNUMRANGE", C, 3, 48},
         {"MTUID", C, 10, 51},      {"MTCLASS", C, 3, 61},      {"MTINDEX", C, 10, 64},
         {"EXTINDEX", C, 10, 74},   {"ALTREENUM", I, 4, 84},    {"ALIDXINTRE", I, 4, 88},
         {"ALLEVINTRE", I, 4, 92},  {"ALPARINTRE", I, 4, 96},   {"OBJECTNAME", C, 40, 100},
         {"MTNAMESHRT", C, 40, 140}, {"CUSGRPNAME", C, 40, 180}, {"DELIVERSTA", I, 4, 220},
         {"HIGHALVAL", I, 4, 224},  {"HIGHALSEV", I, 4, 228},   {"ALSYSID", C, 8, 232},
         {"MSEGNAME", C, 40, 240},  {"ALUNIQNUM", C, 10, 280},  {"ALINDEX", C, 10, 290},
         {"ALERTDATE", D, 8, 300},  {"ALERTTIME", T, 6, 308},   {"DUMMYALIGN", C, 2, 314},
         {"LASTVALDAT", D, 8, 316}, {"LASTVALTIM", T, 6, 324},  {"LASTVALDUM", C, 2, 330},
         {"ACTUALVAL", I, 4, 332},  {"ACTUALSEV", I, 4, 336},   {"VALSYSID", C, 8, 340},
         {"VMSEGNAME", C, 40, 348}, {"VALUNIQNUM", C, 10, 388}, {"VALINDEX", C, 10, 398},
         {"VALERTDATE", D, 8, 408}, {"VALERTTIME", T, 6, 416},  {"VALERTDUM", C, 2, 422},
         {"COUNTOFACT", I, 4, 424}, {"COUNTSUM", I, 4, 428},    {"VISUSERLEV", I, 4, 432},
         {"TDSTATUS", I, 4, 436}},
        440}},
      {"BAPIPACVAL",
       {{{"ALRELEVVAL", I, 4, 0}, {"ALRELVALDT", D, 8, 4}, {"ALRELVALTI", T, 6, 12},
         {"LASTALSTAT", I, 4, 20}, {"LASTPERVAL", I, 4, 24}, {"AVG01PVAL", I, 4, 28},
         {"AVG05PVAL", I, 4, 32}, {"AVG15PVAL", I, 4, 36}, {"AVG01SVAL", I, 4, 40},
         {"AVG05SVAL", I, 4, 44}, {"AVG15SVAL", I, 4, 48}, {"AVG01CVAL", I, 4, 52},
         {"AVG05CVAL", I, 4, 56}, {"AVG15CVAL", I, 4, 60}, {"MAXPFVALUE", I, 4, 64},
         {"MAXPFDATE", D, 8, 68}, {"MAXPFTIME", T, 6, 76}, {"MINPFVALUE", I, 4, 84},
         {"MINPFDATE", D, 8, 88}, {"MINPFTIME", T, 6, 96}},
        104}},
      {"BAPISMCVAL", {{{"SMSGVALUE", I, 4, 0}, {"SMSGDATE", D, 8, 4}, {"SMSGTIME", T, 6, 12}, {"MSG", C, 255, 18}}, 276}},
      {"BAPIMLCVAL",
       {{{"MSCGLLID", C, 50, 0}, {"MSCDATE", D, 8, 50}, {"MSCTIME", T, 6, 58}, {"VALUEORIG", I, 4, 64},
         {"SEVERORIG", I, 4, 68}, {"VALUEFLTRD", I, 4, 72}, {"SEVERFLTRD", I, 4, 76}, {"MANDT", C, 3, 80},
         {"USERID", C, 12, 83}},
        96}},
      {"BAPIXMIEXT", {{{"MSG", C, 255, 0}}, 255}},
      {"BAPIXMIRAW",
       {{{"MSGCLASS", C, 16, 0}, {"MSGID", C, 30, 16}, {"MSGARG1", C, 128, 46}, {"ARGTYPE1", C, 1, 174},
         {"MSGARG2", C, 128, 175}, {"ARGTYPE2", C, 1, 303}, {"MSGARG3", C, 128, 304},
         {"ARGTYPE3", C, 1, 432}, {"MSGARG4", C, 128, 433}, {"ARGTYPE4", C, 1, 561},
         {"MSGTEXT", C, 128, 562}},
        690}},
      {"BAPITXTPRP", {{{"TEXT", C, 256, 0}}, 256}},
      {"BAPIPAPROP",
       {{{"RELVALTYPE", I, 4, 0}, {"THRESHDIR", I, 4, 4}, {"THRESHSTAT", I, 4, 8}, {"TRESHG2Y", I, 4, 12},
         {"TRESHY2R", I, 4, 16}, {"TRESHY2G", I, 4, 20}, {"TRESHR2Y", I, 4, 24}, {"MSGCLASS", C, 16, 28},
         {"MSGID", C, 30, 44}, {"ATTRGROUP", C, 40, 74}, {"VALUNIT", C, 4, 114}, {"DECIMALS", I, 4, 120}},
        124}},
      {"BAPIALERT",
       {{{"SHORTNAME", C, 40, 0}, {"OBJECTNAME", C, 40, 40}, {"MANDT", C, 3, 80}, {"USERID", C, 12, 83},
         {"ALSTATUS", I, 4, 96}, {"STATCHGDAT", D, 8, 100}, {"STATCHGTIM", T, 6, 108},
         {"STATCHGUSR", C, 16, 114}, {"TIMEOUTDAT", D, 8, 130}, {"TIMEOUTTIM", T, 6, 138},
         {"REPORTEDBY", C, 16, 144}, {"MSCGLID", C, 50, 160}},
        212}},
      {"BAPIALDATE", {{{"ALDATE", D, 8, 0}, {"ALTIME", T, 6, 8}}, 14}},
      {"BAPIALDATA", {{{"VALUE", I, 4, 0}, {"SEVERITY", I, 4, 4}}, 8}},
  };
  return all;
}

Slot c(const char* name, unsigned length) { return {name, nullptr, TYPC, length}; }
Slot i(const char* name) { return {name, nullptr, TYPINT, 4}; }
Slot s(const char* name, const char* structure) { return {name, structure, 0, 0}; }

// The interfaces of the CCMS function modules, lists in the order of the
// SAP function builder.
const std::map<std::string, Interface>& interfaces() {
  static const Slot user = c("EXTERNAL_USER_NAME", 16), tid = s("TID", "BAPITID"), ret = s("RETURN", "BAPIRET2");
  static const std::map<std::string, Interface> all = {
      {"RFC_SYSTEM_INFO",
       {{},
        {i("CURRENT_RESOURCES"), c("DIALOG_USER_TYPE", 1), i("MAXIMAL_RESOURCES"), i("RECOMMENDED_DELAY"),
         s("RFCSI_EXPORT", "RFCSI"), c("RFC_LOGIN_COMPLETE", 1)},
        {}}},
      {"SXMI_VERSIONS_GET", {{c("INTERFACE", 3)}, {}, {s("VERSIONS", "SXMIVERS")}}},
      {"BAPI_XMI_LOGON",
       {{c("EXTCOMPANY", 16), c("EXTPRODUCT", 16), c("INTERFACE", 3), c("VERSION", 10)},
        {ret, c("SESSIONID", 24)},
        {}}},
      {"BAPI_XMI_LOGOFF", {{c("INTERFACE", 3)}, {ret}, {}}},
      {"BAPI_SYSTEM_MS_GETLIST", {{user}, {ret}, {s("MONITOR_SETS", "BAPIMSNAME")}}},
      {"BAPI_SYSTEM_MON_GETLIST",
       {{user, s("MONI_SET_NAME", "BAPIMSNAME")}, {ret}, {s("MONITOR_NAMES", "BAPIMNNAME")}}},
      {"BAPI_SYSTEM_MON_GETTREE",
       {{user, i("MAX_TREE_DEPTH"), s("MONITOR_NAME", "BAPIMNNAME"), i("VIS_ON_USR_LEVEL")},
        {ret},
        {s("TREE_NODES", "BAPITNDEXT")}}},
      {"BAPI_SYSTEM_MTE_GETPERFCURVAL", {{user, tid}, {s("CURRENT_VALUE", "BAPIPACVAL"), ret}, {}}},
      {"BAPI_SYSTEM_MTE_GETSMVALUE", {{user, tid}, {ret, s("VALUE", "BAPISMCVAL")}, {}}},
      {"BAPI_SYSTEM_MTE_GETMLCURVAL",
       {{user, tid},
        {s("CURRENT_VALUE", "BAPIMLCVAL"), ret, s("XMI_MSG_EXT", "BAPIXMIEXT"), s("XMI_MSG_RAW", "BAPIXMIRAW")},
        {}}},
      {"BAPI_SYSTEM_MTE_GETPERFPROP", {{user, tid}, {s("PROPERTIES", "BAPIPAPROP"), ret}, {}}},
      {"BAPI_SYSTEM_MTE_GETTXTPROP", {{user, tid}, {s("PROPERTIES", "BAPITXTPRP"), ret}, {}}},
      {"BAPI_SYSTEM_MTE_GETALERTS", {{user, tid}, {ret}, {s("ALERTS", "BAPIAID")}}},
      {"BAPI_SYSTEM_ALERT_GETDETAILS",
       {{s("AID", "BAPIAID"), user, c("GET_ACTIVE", 1), c("GET_HISTORY", 1)},
        {s("PROPERTIES", "BAPIALERT"), ret, tid, s("TIME", "BAPIALDATE"), s("VALUE", "BAPIALDATA"),
         s("XMI_EXT_MSG", "BAPIXMIEXT"), s("XMI_RAW_MSG", "BAPIXMIRAW")},
        {}}},
  };
  return all;
}

template <typename Entry>
std::vector<Entry> terminated(std::vector<Entry> entries) {
  entries.push_back(Entry{});
  return entries;
}

}  // namespace

const Field& Layout::field(const std::string& name) const {
  for (const Field& f : fields) {
    if (name == f.name) return f;
  }
  throw std::runtime_error("no field " + name);
}

const Layout& layout(const std::string& name) { return layouts().at(name); }

std::vector<std::string> structure_names() {
  std::vector<std::string> names;
  for (const auto& entry : layouts()) names.push_back(entry.first);
  return names;
}

const Api& rfc() {
  static std::unique_ptr<keldar::platform::SharedLibrary> library;
  static Api api{};
  if (!library) {
    std::string path = keldar::platform::executable_directory() + KELDAR_RFC_LIBRARY_NAME;
    library = keldar::platform::SharedLibrary::load(path);
    if (!library) throw std::runtime_error("cannot load " + path);
    for (const keldar::RfcEntryPoint& entry : keldar::kRfcEntryPoints) {
      void* address = library->symbol(entry.name);
      if (address == nullptr) throw std::runtime_error(std::string("missing entry point ") + entry.name);
      entry.store(api, address);
    }
  }
  return api;
}

RFC_RC install_structure(const std::string& name, RFC_TYPEHANDLE& handle) {
  std::vector<RFC_TYPE_ELEMENT> rows;
  for (const Field& f : layout(name).fields) rows.push_back({const_cast<char*>(f.name), f.type, f.length, 0, 0});
  return rfc().RfcInstallStructure(name.c_str(), rows.data(), static_cast<unsigned>(rows.size()), &handle);
}

RFC_TYPEHANDLE type_handle(const std::string& name) {
  RFC_TYPEHANDLE handle = 0;
  if (install_structure(name, handle) != RFC_OK) throw std::runtime_error("RfcInstallStructure " + name + " failed");
  return handle;
}

Buffer::Buffer(const std::string& name) : structure(name), bytes(layout(name).size, 0xAA) {}

Buffer& Buffer::initial() {
  std::fill(bytes.begin(), bytes.end(), 0);
  for (const Field& f : layout(structure).fields) {
    if (f.type != TYPINT) std::memset(bytes.data() + f.offset, f.type == TYPC ? ' ' : '0', f.length);
  }
  return *this;
}

std::string Buffer::text(const std::string& field) const {
  const Field& f = layout(structure).field(field);
  return std::string(reinterpret_cast<const char*>(bytes.data()) + f.offset, f.length);
}

std::string Buffer::trimmed(const std::string& field) const {
  std::string t = text(field);
  t.erase(t.find_last_not_of(' ') + 1);
  return t;
}

std::int32_t Buffer::integer(const std::string& field) const {
  const Field& f = layout(structure).field(field);
  std::int32_t value;
  std::memcpy(&value, bytes.data() + f.offset, 4);
  return value;
}

void Buffer::set(const std::string& field, const std::string& value) {
  const Field& f = layout(structure).field(field);
  std::string padded = value.substr(0, f.length);
  padded.resize(f.length, ' ');
  std::memcpy(bytes.data() + f.offset, padded.data(), f.length);
}

void Buffer::set(const std::string& field, std::int32_t value) {
  std::memcpy(bytes.data() + layout(structure).field(field).offset, &value, 4);
}

Parameters& Parameters::raw(const std::string& name, unsigned nlen, unsigned type, unsigned leng, void* addr) {
  names.push_back(std::make_unique<std::string>(name));
  entries.push_back({names.back()->data(), nlen, type, leng, addr});
  return *this;
}

Parameters& Parameters::text(const std::string& name, std::string& value) {
  return raw(name, static_cast<unsigned>(name.size()), TYPC, static_cast<unsigned>(value.size()), value.data());
}

Parameters& Parameters::integer(const std::string& name, std::int32_t& value) {
  return raw(name, static_cast<unsigned>(name.size()), TYPINT, 4, &value);
}

Parameters& Parameters::record(const std::string& name, Buffer& buffer) {
  return raw(name, static_cast<unsigned>(name.size()), type_handle(buffer.structure),
             static_cast<unsigned>(buffer.bytes.size()), buffer.bytes.data());
}

RFC_PARAMETER* Parameters::list() {
  if (entries.empty() || entries.back().name != nullptr) entries.push_back({nullptr, 0, 0, 0, nullptr});
  return entries.data();
}

Tables::~Tables() {
  for (ITAB_H t : created) rfc().ItDelete(t);
}

ITAB_H Tables::add(const std::string& name, const std::string& structure) {
  ITAB_H table = rfc().ItCreate(name.c_str(), layout(structure).size, 0, 0);
  created.push_back(table);
  raw(name, static_cast<unsigned>(name.size()), type_handle(structure), table);
  return table;
}

Tables& Tables::raw(const std::string& name, unsigned nlen, RFC_TYPEHANDLE type, ITAB_H table) {
  names.push_back(std::make_unique<std::string>(name));
  entries.push_back({names.back()->data(), nlen, type, 0, table, 0, 0});
  return *this;
}

RFC_TABLE* Tables::list() {
  if (entries.empty() || entries.back().name != nullptr) entries.push_back({nullptr, 0, 0, 0, nullptr, 0, 0});
  return entries.data();
}

Outcome call(RFC_HANDLE handle, const std::string& function, Parameters& exporting, Parameters& importing,
             Tables& tables) {
  Outcome outcome;
  RFC_TABLE* table_list = tables.list();
  outcome.rc = rfc().RfcCall(handle, function.c_str(), exporting.list(), table_list);
  if (outcome.rc != RFC_OK) return outcome;
  char* exception = nullptr;
  outcome.rc = rfc().RfcReceive(handle, importing.list(), table_list, &exception);
  if (exception != nullptr) outcome.exception = exception;
  return outcome;
}

const Interface& interface_of(const std::string& module) { return interfaces().at(module); }

std::vector<std::string> module_names() {
  std::vector<std::string> names;
  for (const auto& entry : interfaces()) names.push_back(entry.first);
  return names;
}

RFC_RC send(RFC_HANDLE handle, const std::string& module, ParameterList exporting, TableList tables) {
  return rfc().RfcCall(handle, module.c_str(), terminated(std::move(exporting)).data(),
                       terminated(std::move(tables)).data());
}

Outcome receive(RFC_HANDLE handle, ParameterList importing, TableList tables) {
  Outcome outcome;
  char* exception = nullptr;
  outcome.rc = rfc().RfcReceive(handle, terminated(std::move(importing)).data(),
                                terminated(std::move(tables)).data(), &exception);
  if (exception != nullptr) outcome.exception = exception;
  return outcome;
}

FullCall::FullCall(const std::string& module) : module_(module), interface_(interface_of(module)) {
  for (const Slot& slot : interface_.exporting) {
    if (slot.structure != nullptr) {
      records_.emplace(slot.name, Buffer(slot.structure)).first->second.initial();
    } else if (slot.type == TYPINT) {
      integers_[slot.name] = 0;
    } else {
      texts_[slot.name] = std::string(slot.length, ' ');
    }
  }
  for (const Slot& slot : interface_.importing) {
    if (slot.structure != nullptr) {
      records_.emplace(slot.name, Buffer(slot.structure));
    } else if (slot.type == TYPINT) {
      integers_[slot.name] = -1;
    } else {
      texts_[slot.name] = std::string(slot.length, '?');
    }
  }
  for (const Slot& slot : interface_.tables) {
    tables_.emplace_back(slot.name, rfc().ItCreate(slot.name, layout(slot.structure).size, 0, 0));
  }
}

FullCall::~FullCall() {
  for (const auto& [name, table] : tables_) rfc().ItDelete(table);
}

std::string& FullCall::text(const std::string& name) { return texts_.at(name); }
std::int32_t& FullCall::integer(const std::string& name) { return integers_.at(name); }
Buffer& FullCall::record(const std::string& name) { return records_.at(name); }

ITAB_H FullCall::table(const std::string& name) const {
  for (const auto& [table_name, table] : tables_) {
    if (table_name == name) return table;
  }
  throw std::runtime_error(module_ + " has no table " + name);
}

ParameterList FullCall::entries(const std::vector<Slot>& slots) {
  ParameterList list;
  for (const Slot& slot : slots) {
    auto nlen = static_cast<unsigned>(std::strlen(slot.name));
    void* name = const_cast<char*>(slot.name);
    if (slot.structure != nullptr) {
      Buffer& b = records_.at(slot.name);
      list.push_back({name, nlen, type_handle(slot.structure), static_cast<unsigned>(b.bytes.size()), b.bytes.data()});
    } else if (slot.type == TYPINT) {
      list.push_back({name, nlen, TYPINT, 4, &integers_.at(slot.name)});
    } else {
      std::string& t = texts_.at(slot.name);
      list.push_back({name, nlen, TYPC, static_cast<unsigned>(t.size()), t.data()});
    }
  }
  return list;
}

ParameterList FullCall::exporting() { return entries(interface_.exporting); }
ParameterList FullCall::importing() { return entries(interface_.importing); }

TableList FullCall::tables() const {
  TableList list;
  for (const Slot& slot : interface_.tables) {
    list.push_back({const_cast<char*>(slot.name), static_cast<unsigned>(std::strlen(slot.name)),
                    type_handle(slot.structure), 0, table(slot.name), 0, 0});
  }
  return list;
}

Outcome FullCall::run(RFC_HANDLE handle) {
  Outcome outcome;
  outcome.rc = send(handle, module_, exporting(), tables());
  if (outcome.rc != RFC_OK) return outcome;
  return receive(handle, importing(), tables());
}

Buffer line(ITAB_H table, unsigned number, const std::string& structure) {
  Buffer b(structure);
  void* address = rfc().ItGetLine(table, number);
  if (address == nullptr) throw std::runtime_error("no line " + std::to_string(number));
  std::memcpy(b.bytes.data(), address, b.bytes.size());
  return b;
}

RFC_ERROR_INFO last_error() {
  RFC_ERROR_INFO info;
  std::memset(&info, 0, sizeof info);
  rfc().RfcLastError(&info);
  return info;
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void write_file(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

std::string trace_reason() {
  std::istringstream lines(read_file("Dev_Rfc.Trc"));
  std::string line, reason;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("**** ERROR ", 0) == 0) reason.clear();
    if (line.size() >= 15 && line.compare(7, 8, "======> ") == 0) reason = line.substr(15);
  }
  return reason;
}

void SimTest::SetUp() {
  previous_ = std::filesystem::current_path();
  std::random_device random;
  directory_ = std::filesystem::temp_directory_path() / ("rfcsim-test-" + std::to_string(random()));
  std::filesystem::create_directories(directory_);
  std::filesystem::current_path(directory_);
  rfcsim::testing::set_environment_variable("RFCSIM_LANDSCAPE", "");
  rfc().RfcEnvironment(nullptr);
}

void SimTest::TearDown() {
  rfc().RfcClose(0);
  std::filesystem::current_path(previous_);
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

RFC_HANDLE SimTest::open(const std::string& host, int sysnr, const std::string& client, const std::string& user,
                         const std::string& password) {
  std::string h = host, c = client, u = user, p = password, lang = "E";
  RFC_CONNOPT_R3 r3{h.data(), sysnr, nullptr, nullptr};
  RFC_OPTIONS options{nullptr, RFC_MODE_R3ONLY, &r3, c.data(), u.data(), p.data(), lang.data(), 0};
  return rfc().RfcOpen(&options);
}

Outcome SimTest::xmi_logon(RFC_HANDLE handle, const std::string& version) {
  FullCall logon("BAPI_XMI_LOGON");
  logon.text("EXTCOMPANY") = pad_to("Keldar", 16);
  logon.text("INTERFACE") = "XAL";
  logon.text("VERSION") = pad_to(version, 10);
  return logon.run(handle);
}

std::vector<std::string> SimTest::call_log() const {
  std::vector<std::string> lines;
  std::istringstream text(read_file("calls.log"));
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  return lines;
}

std::string small_landscape(const std::string& tree, const std::string& extra_system_keys,
                            const std::string& extra_top_keys) {
  return "{" + extra_top_keys + R"("systems": [{
    "sid": "PRD", "host": "prdci01", "sysnr": "00",
    "clients": {"100": {"MONITOR": "Secret01"}},
    "xmi": {"XAL": "1.0", "XMB": ["0.1", "2.0"]},)" +
         extra_system_keys + R"(
    "monitor_sets": [{"name": "SAP CCMS Monitor Templates",
      "monitors": [{"name": "Entire System", "tree": )" +
         tree + R"(}, {"name": "Empty"}]},
      {"name": "SAP CCMS Technical Expert Monitors", "monitors": []}]
  }]})";
}

}  // namespace rfcsim_test
