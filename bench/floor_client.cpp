// keldar_bench_floor: the floor of the benchmarks. A minimal client that
// loads the RFC library from beside itself, as the sensor does, opens the
// systems of a benchmark work (bench_systems.h) and makes exactly the round
// trips that the sensor's call log shows for the same work: the same
// structures installed in the same order, the same internal tables, the
// same calls with the same values, and nothing else. It reads what it must
// to make the next call and prints one line of what it read.
//
//   keldar_bench_floor listing            the tree listing of the set
//   keldar_bench_floor grades             ",GRADES": the grades of level 2
//   keldar_bench_floor group MTUID        ",GROUP=": the values from MTUID on
//   keldar_bench_floor value MTUID        ",VALUE=": the value of MTUID
//   keldar_bench_floor global NODE COUNT  ",GBLVAL=NODE": on COUNT systems
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "bench_systems.h"
#include "platform/program_location.h"
#include "rfc/rfc_library.h"
#include "rfc/structures.h"

namespace {

using keldar::BapimnnameRecord;
using keldar::BapipacvalRecord;
using keldar::BapitidRecord;
using keldar::BapitndextRecord;
using keldar::Structure;
namespace bench = keldar::bench;

constexpr unsigned kUserWidth = 16;

// RETURN is received and not looked at, as by the sensor.
struct ReturnRecord {
  char bytes[keldar::structure_size(Structure::BAPIRET2)];
};

// A character value blank-padded to its width, as the library wants it.
template <std::size_t N>
struct Chars {
  explicit Chars(std::string_view text) {
    std::memset(bytes, ' ', N);
    std::memcpy(bytes, text.data(), std::min(N, text.size()));
  }
  char bytes[N];
};

template <std::size_t N>
void put(char (&field)[N], std::string_view text) {
  std::memset(field, ' ', N);
  std::memcpy(field, text.data(), std::min(N, text.size()));
}

std::string_view trimmed(const char* field, std::size_t width) {
  std::string_view text(field, width);
  return text.substr(0, text.find_last_not_of(' ') + 1);
}

class Client {
 public:
  explicit Client(const keldar::RfcApi& api) : api_(api) {}

  bool open(std::size_t system) {
    std::string host = bench::bench_host(system);
    std::string client(bench::kBenchClient), user(bench::kBenchUser);
    std::string password(bench::kBenchPassword), language = "E";
    RFC_CONNOPT_R3 connopt{};
    connopt.hostname = host.data();
    connopt.sysnr = bench::kBenchSystemNumber;
    RFC_OPTIONS options{};
    options.mode = RFC_MODE_R3ONLY;
    options.connopt = &connopt;
    options.client = client.data();
    options.user = user.data();
    options.password = password.data();
    options.language = language.data();
    handle_ = api_.RfcOpen(&options);
    return handle_ != 0;
  }

  void close() { api_.RfcClose(handle_); }

  // Installed on first use, once per process, as the sensor installs them.
  RFC_TYPEHANDLE type(Structure structure) {
    RFC_TYPEHANDLE& handle = types_[static_cast<std::size_t>(structure)];
    if (handle != 0) return handle;
    const keldar::StructureDescriptor& d = keldar::structure_descriptor(structure);
    std::vector<std::string> names(d.fields.size());
    std::vector<RFC_TYPE_ELEMENT> elements;
    for (std::size_t i = 0; i < d.fields.size(); ++i) {
      names[i] = d.fields[i].name;
      elements.push_back({names[i].data(), d.fields[i].type, d.fields[i].length, 0, 0});
    }
    std::string name(d.name);
    api_.RfcInstallStructure(name.c_str(), elements.data(), static_cast<unsigned>(elements.size()),
                             &handle);
    return handle;
  }

  static RFC_PARAMETER parameter(const char* name, RFC_TYPEHANDLE type, unsigned length,
                                 void* value) {
    return {const_cast<char*>(name), static_cast<unsigned>(std::strlen(name)), type, length, value};
  }
  RFC_PARAMETER record(const char* name, Structure structure, void* value) {
    return parameter(name, type(structure), keldar::structure_size(structure), value);
  }
  RFC_TABLE table(const char* name, Structure structure, ITAB_H table) {
    RFC_TABLE entry{};
    entry.name = const_cast<char*>(name);
    entry.nlen = static_cast<unsigned>(std::strlen(name));
    entry.type = type(structure);
    entry.ithandle = table;
    return entry;
  }
  ITAB_H create(const char* name, Structure structure) {
    return api_.ItCreate(name, keldar::structure_size(structure), 0, 0);
  }

  bool call(const char* module, RFC_PARAMETER* exporting, RFC_PARAMETER* importing,
            RFC_TABLE* tables) {
    if (api_.RfcCall(handle_, module, exporting, tables) != RFC_OK) return false;
    RFC_CHAR* exception = nullptr;
    return api_.RfcReceive(handle_, importing, tables, &exception) == RFC_OK;
  }

  const keldar::RfcApi& api() const { return api_; }

 private:
  const keldar::RfcApi& api_;
  RFC_HANDLE handle_ = 0;
  std::array<RFC_TYPEHANDLE, keldar::kStructureCount> types_{};
};

// Every session opens with these: the system information, the XMI version
// of XAL and the logon; false when one fails.
bool log_on(Client& c, std::size_t system) {
  if (!c.open(system)) return false;
  {
    std::int32_t current = 0, maximal = 0, delay = 0;
    char dialog_user = 0, login_complete = 0;
    keldar::RfcsiRecord info;
    RFC_PARAMETER exporting[] = {{}};
    RFC_PARAMETER importing[] = {
        Client::parameter("CURRENT_RESOURCES", TYPINT, 4, &current),
        Client::parameter("DIALOG_USER_TYPE", TYPC, 1, &dialog_user),
        Client::parameter("MAXIMAL_RESOURCES", TYPINT, 4, &maximal),
        Client::parameter("RECOMMENDED_DELAY", TYPINT, 4, &delay),
        c.record("RFCSI_EXPORT", Structure::RFCSI, &info),
        Client::parameter("RFC_LOGIN_COMPLETE", TYPC, 1, &login_complete),
        {}};
    RFC_TABLE tables[] = {{}};
    if (!c.call("RFC_SYSTEM_INFO", exporting, importing, tables)) return false;
  }
  Chars<10> version("");
  {
    ITAB_H versions = c.create("VERSIONS", Structure::SXMIVERS);
    Chars<3> interface("*");
    RFC_PARAMETER exporting[] = {Client::parameter("INTERFACE", TYPC, 3, interface.bytes), {}};
    RFC_PARAMETER importing[] = {{}};
    RFC_TABLE tables[] = {c.table("VERSIONS", Structure::SXMIVERS, versions), {}};
    bool ok = c.call("SXMI_VERSIONS_GET", exporting, importing, tables);
    for (unsigned n = 1; ok && n <= c.api().ItFill(versions); ++n) {
      const auto* line = static_cast<const keldar::SxmiversRecord*>(c.api().ItGetLine(versions, n));
      if (trimmed(line->INTERFACE, sizeof line->INTERFACE) == "XAL") {
        version = Chars<10>(std::string_view(line->VERSION, 3));
      }
    }
    c.api().ItDelete(versions);
    if (!ok) return false;
  }
  Chars<16> company(bench::kBenchCompany), product("");
  Chars<3> xal("XAL");
  ReturnRecord result;
  char session[24];
  RFC_PARAMETER exporting[] = {Client::parameter("EXTCOMPANY", TYPC, 16, company.bytes),
                               Client::parameter("EXTPRODUCT", TYPC, 16, product.bytes),
                               Client::parameter("INTERFACE", TYPC, 3, xal.bytes),
                               Client::parameter("VERSION", TYPC, 10, version.bytes), {}};
  RFC_PARAMETER importing[] = {c.record("RETURN", Structure::BAPIRET2, &result),
                               Client::parameter("SESSIONID", TYPC, 24, session), {}};
  RFC_TABLE tables[] = {{}};
  return c.call("BAPI_XMI_LOGON", exporting, importing, tables);
}

void log_off(Client& c) {
  Chars<3> xal("XAL");
  ReturnRecord result;
  RFC_PARAMETER exporting[] = {Client::parameter("INTERFACE", TYPC, 3, xal.bytes), {}};
  RFC_PARAMETER importing[] = {c.record("RETURN", Structure::BAPIRET2, &result), {}};
  RFC_TABLE tables[] = {{}};
  c.call("BAPI_XMI_LOGOFF", exporting, importing, tables);
  c.close();
}

// The monitors of the bench set.
std::vector<std::string> monitor_names(Client& c) {
  std::vector<std::string> names;
  ITAB_H table = c.create("MONITOR_NAMES", Structure::BAPIMNNAME);
  Chars<kUserWidth> user(bench::kBenchUser);
  char set[60];
  put(set, bench::kBenchMonitorSet);
  ReturnRecord result;
  RFC_PARAMETER exporting[] = {Client::parameter("EXTERNAL_USER_NAME", TYPC, kUserWidth, user.bytes),
                               c.record("MONI_SET_NAME", Structure::BAPIMSNAME, set), {}};
  RFC_PARAMETER importing[] = {c.record("RETURN", Structure::BAPIRET2, &result), {}};
  RFC_TABLE tables[] = {c.table("MONITOR_NAMES", Structure::BAPIMNNAME, table), {}};
  if (c.call("BAPI_SYSTEM_MON_GETLIST", exporting, importing, tables)) {
    for (unsigned n = 1; n <= c.api().ItFill(table); ++n) {
      const auto* line = static_cast<const BapimnnameRecord*>(c.api().ItGetLine(table, n));
      names.emplace_back(trimmed(line->MONI_NAME, sizeof line->MONI_NAME));
    }
  }
  c.api().ItDelete(table);
  return names;
}

// The tree of a monitor in TREE_NODES, which the caller reads and deletes;
// null when the call fails.
ITAB_H fetch_tree(Client& c, std::string_view monitor, std::int32_t visibility) {
  ITAB_H table = c.create("TREE_NODES", Structure::BAPITNDEXT);
  Chars<kUserWidth> user(bench::kBenchUser);
  std::int32_t depth = 0;
  BapimnnameRecord name;
  put(name.MONI_NAME, monitor);
  put(name.MS_NAME, bench::kBenchMonitorSet);
  ReturnRecord result;
  RFC_PARAMETER exporting[] = {
      Client::parameter("EXTERNAL_USER_NAME", TYPC, kUserWidth, user.bytes),
      Client::parameter("MAX_TREE_DEPTH", TYPINT, 4, &depth),
      c.record("MONITOR_NAME", Structure::BAPIMNNAME, &name),
      Client::parameter("VIS_ON_USR_LEVEL", TYPINT, 4, &visibility), {}};
  RFC_PARAMETER importing[] = {c.record("RETURN", Structure::BAPIRET2, &result), {}};
  RFC_TABLE tables[] = {c.table("TREE_NODES", Structure::BAPITNDEXT, table), {}};
  if (c.call("BAPI_SYSTEM_MON_GETTREE", exporting, importing, tables)) return table;
  c.api().ItDelete(table);
  return nullptr;
}

const BapitndextRecord& row(Client& c, ITAB_H table, unsigned n) {
  return *static_cast<const BapitndextRecord*>(c.api().ItGetLine(table, n));
}

// The current value of a performance attribute: its properties, then its
// value, as the sensor asks for them.
std::int32_t performance_value(Client& c, const BapitndextRecord& node) {
  Chars<kUserWidth> user(bench::kBenchUser);
  BapitidRecord tid;
  static_assert(sizeof tid == 84);
  std::memcpy(&tid, &node, sizeof tid);  // the row starts with the seven TID fields
  ReturnRecord result;
  keldar::BapipapropRecord properties;
  RFC_PARAMETER exporting[] = {
      Client::parameter("EXTERNAL_USER_NAME", TYPC, kUserWidth, user.bytes),
      c.record("TID", Structure::BAPITID, &tid), {}};
  RFC_PARAMETER prop_importing[] = {c.record("PROPERTIES", Structure::BAPIPAPROP, &properties),
                                    c.record("RETURN", Structure::BAPIRET2, &result), {}};
  RFC_TABLE tables[] = {{}};
  c.call("BAPI_SYSTEM_MTE_GETPERFPROP", exporting, prop_importing, tables);
  BapipacvalRecord value{};
  RFC_PARAMETER value_importing[] = {c.record("CURRENT_VALUE", Structure::BAPIPACVAL, &value),
                                     c.record("RETURN", Structure::BAPIRET2, &result), {}};
  c.call("BAPI_SYSTEM_MTE_GETPERFCURVAL", exporting, value_importing, tables);
  return value.LASTPERVAL;
}

bool is(const char (&field)[10], std::string_view mtuid) { return std::string_view(field, 10) == mtuid; }
bool is_performance(const BapitndextRecord& node) { return std::string_view(node.MTCLASS, 3) == "100"; }

// One local session: what the sensor's mode reads, summed up.
long long local_work(Client& c, std::string_view work, std::string_view mtuid) {
  long long sum = 0;
  const bool listing = work == "listing";
  std::vector<std::string> monitors =
      listing ? monitor_names(c) : std::vector<std::string>{std::string(bench::kBenchMonitor)};
  for (const std::string& monitor : monitors) {
    ITAB_H tree = fetch_tree(c, monitor, work == "grades" ? 1 : 3);
    if (tree == nullptr) continue;
    const unsigned rows = c.api().ItFill(tree);
    std::int32_t group_level = 0;
    for (unsigned n = 1; n <= rows; ++n) {
      const BapitndextRecord& node = row(c, tree, n);
      if (listing) {
        sum += node.ACTUALVAL;
      } else if (work == "grades") {
        if (node.ALLEVINTRE == 2) sum += node.ACTUALVAL;
      } else if (work == "value") {
        if (is(node.MTUID, mtuid)) {
          sum += performance_value(c, node);
          break;
        }
      } else if (work == "group") {
        if (group_level > 0 && node.ALLEVINTRE < group_level) break;
        if (group_level == 0 && is(node.MTUID, mtuid)) group_level = node.ALLEVINTRE;
        if (group_level > 0 && is_performance(node)) sum += performance_value(c, node);
      }
    }
    c.api().ItDelete(tree);
  }
  return sum;
}

// The global value sensor: per system the first node of that name.
long long global_work(Client& c, std::string_view node_name, std::size_t systems) {
  long long sum = 0;
  for (std::size_t s = 0; s < systems; ++s) {
    if (!log_on(c, s)) {
      c.close();
      continue;
    }
    if (ITAB_H tree = fetch_tree(c, bench::kBenchMonitor, 3)) {
      const unsigned rows = c.api().ItFill(tree);
      for (unsigned n = 1; n <= rows; ++n) {
        const BapitndextRecord& node = row(c, tree, n);
        if (trimmed(node.MTNAMESHRT, sizeof node.MTNAMESHRT) == node_name) {
          if (is_performance(node)) sum += performance_value(c, node);
          break;
        }
      }
      c.api().ItDelete(tree);
    }
    log_off(c);
  }
  return sum;
}

int usage() {
  std::fputs(
      "usage: keldar_bench_floor listing | grades | group MTUID | value MTUID | global NODE COUNT\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  const std::string_view work = argv[1];
  const bool local = work == "listing" || work == "grades";
  const bool targeted = work == "group" || work == "value";
  if (!(local && argc == 2) && !(targeted && argc == 3) && !(work == "global" && argc == 4)) {
    return usage();
  }
  keldar::RfcLibrary rfc;
  if (keldar::load_rfc_library(keldar::platform::executable_directory(), rfc).outcome !=
      keldar::RfcLibraryLoad::Outcome::loaded) {
    std::fputs("keldar_bench_floor: the RFC library cannot be loaded\n", stderr);
    return 1;
  }
  Client c(rfc.api);
  long long sum = 0;
  if (work == "global") {
    sum = global_work(c, argv[2], std::strtoul(argv[3], nullptr, 10));
  } else {
    // A ten-digit MTUID, as the rows carry it.
    std::string mtuid = targeted ? std::string(argv[2]) : "";
    if (targeted && mtuid.size() < 10) mtuid.insert(0, 10 - mtuid.size(), '0');
    if (!log_on(c, 0)) return 1;
    sum = local_work(c, work, mtuid);
    log_off(c);
  }
  std::printf("%s %lld\n", argv[1], sum);
  return 0;
}
