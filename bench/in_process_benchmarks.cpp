// keldar_benchmarks: the sensor's own work, in process, with nothing of the
// RFC library in it: the tree walk over rows already in memory, the result
// writer in every output mode, and the readers of the profile and the
// global file. Part of make bench (bench/run-bench.sh).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench_systems.h"
#include "bench_tree.h"
#include "calls/mte_properties.h"
#include "calls/mte_values.h"
#include "config/config_lines.h"
#include "config/sensor_definition.h"
#include "config/system_profile.h"
#include "eval/tree_walk.h"
#include "output/result_writer.h"
#include "platform/file_system.h"
#include "work_files.h"

namespace keldar::bench {
namespace {

template <std::size_t N>
void put(char (&field)[N], std::string_view text) {
  std::memset(field, ' ', N);
  std::memcpy(field, text.data(), std::min(N, text.size()));
}

// The rows as the simulator answers BAPI_SYSTEM_MON_GETTREE for the tree.
std::vector<BapitndextRecord> tree_records(const BenchTree& tree) {
  std::vector<BapitndextRecord> records(tree.nodes.size());
  std::vector<std::size_t> parents;
  for (std::size_t i = 0; i < tree.nodes.size(); ++i) {
    const BenchNode& n = tree.nodes[i];
    BapitndextRecord& r = records[i];
    std::memset(&r, 0, sizeof r);
    parents.resize(static_cast<std::size_t>(n.level - 1));
    const std::string uid = bench_mtuid(i);
    put(r.MTSYSID, "B00");
    put(r.MTMCNAME, "B00");
    put(r.MTNUMRANGE, "010");
    put(r.MTUID, uid);
    put(r.MTCLASS, n.mtclass);
    put(r.MTINDEX, uid);
    put(r.EXTINDEX, "0000000000");
    r.ALTREENUM = 1;
    r.ALIDXINTRE = static_cast<std::int32_t>(i + 1);
    r.ALLEVINTRE = n.level;
    r.ALPARINTRE = parents.empty() ? 0 : static_cast<std::int32_t>(parents.back() + 1);
    const bool attribute = n.mtclass[0] == '1';
    put(r.OBJECTNAME, attribute ? tree.nodes[parents.back()].name : n.name);
    put(r.MTNAMESHRT, n.name);
    put(r.CUSGRPNAME, "");
    r.ACTUALVAL = n.grade;
    r.HIGHALVAL = n.grade;
    put(r.ALSYSID, "");
    put(r.MSEGNAME, "");
    put(r.ALUNIQNUM, "");
    put(r.ALINDEX, "");
    std::memset(r.ALERTDATE, '0', sizeof r.ALERTDATE);
    std::memset(r.ALERTTIME, '0', sizeof r.ALERTTIME);
    std::memset(r.LASTVALDAT, '0', sizeof r.LASTVALDAT);
    std::memset(r.LASTVALTIM, '0', sizeof r.LASTVALTIM);
    put(r.VALSYSID, "");
    put(r.VMSEGNAME, "");
    put(r.VALUNIQNUM, "");
    put(r.VALINDEX, "");
    std::memset(r.VALERTDATE, '0', sizeof r.VALERTDATE);
    std::memset(r.VALERTTIME, '0', sizeof r.VALERTTIME);
    parents.push_back(i);
  }
  return records;
}

class MemoryRows : public TreeRows {
 public:
  explicit MemoryRows(const std::vector<BapitndextRecord>& records) : records_(records) {}
  unsigned count() const override { return static_cast<unsigned>(records_.size()); }
  TreeRow row(unsigned number) const override { return TreeRow(records_[number - 1]); }

 private:
  const std::vector<BapitndextRecord>& records_;
};

// What the sensor's world does with the walk's output, without the RFC
// library: channels through the writer into the held result, listing lines
// into the held listing (or, to see the walk alone, only counted), a value
// for every performance attribute.
class SinkWorld : public WalkWorld {
 public:
  explicit SinkWorld(bool hold) : writer_({OutputMode::EXEXML, "."}), hold_(hold) {}
  void channel(std::string_view name, std::string_view value, std::string_view unit,
               std::string_view key) override {
    writer_.channel_write(name, value, unit, key);
    print(writer_.take());
  }
  void print(std::string_view text) override {
    if (hold_) held_ += text;
    counted_ += text.size();
  }
  Reading performance_value(const TreeRow&) override { return {0, true, "57", "%"}; }
  Reading text_property(const TreeRow&) override { return {0, true, "42", "ms"}; }
  std::optional<int> report(Report, const TreeRow&) override { return std::nullopt; }
  std::size_t written() const { return counted_; }

 private:
  ResultWriter writer_;
  bool hold_;
  std::string held_;
  std::size_t counted_ = 0;
};

enum class WalkKind { listing, listing_unheld, group, grades, value, global };

WalkRequest walk_request(WalkKind kind, const BenchTree& tree) {
  const std::string monitor = "MONITOR=Bench:Monitor,MSET=Bench:Set";
  WalkRequest request;
  request.target_node_id = "0000000000";
  switch (kind) {
    case WalkKind::listing:
    case WalkKind::listing_unheld:
      request.parameters = apply_definition("MSET=Bench:Set #", "");
      request.parameters.upper += ",ALL";  // as the monitor-set mode adds it
      break;
    case WalkKind::group:
      request.parameters = apply_definition(monitor + ",GROUP=1 #", "");
      request.target_node_id = bench_mtuid(tree.group);
      break;
    case WalkKind::grades:
      request.parameters = apply_definition(monitor + ",GRADES #", "");
      break;
    case WalkKind::value:
      request.parameters = apply_definition(monitor + ",VALUE=1 #", "");
      request.target_node_id = bench_mtuid(tree.last);
      break;
    case WalkKind::global:
      request.parameters = apply_definition(monitor + ",GBLVAL=x,ID=None", "");
      request.global_run = true;
      request.global_node_name = tree.nodes[tree.last].name;
      request.global_sub_node_name = "None";
      request.system_name = "B00.P00";
      request.description = "Bench system B00";
      break;
  }
  return request;
}

void BM_Walk(benchmark::State& state, WalkKind kind) {
  const BenchTree tree = make_bench_tree(static_cast<std::size_t>(state.range(0)));
  const std::vector<BapitndextRecord> records = tree_records(tree);
  const MemoryRows rows(records);
  const WalkRequest request = walk_request(kind, tree);
  std::size_t written = 0;
  for (auto _ : state) {
    SinkWorld world(kind != WalkKind::listing_unheld);
    WalkResult result = walk_tree(rows, request, world);
    benchmark::DoNotOptimize(result);
    written = world.written();
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(records.size()));
  state.counters["out_bytes"] = static_cast<double>(written);
}
// The listing as a run makes it, held until the run ends, and the same
// walk with its lines only counted.
BENCHMARK_CAPTURE(BM_Walk, listing, WalkKind::listing)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK_CAPTURE(BM_Walk, listing_unheld, WalkKind::listing_unheld)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK_CAPTURE(BM_Walk, group, WalkKind::group)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK_CAPTURE(BM_Walk, grades, WalkKind::grades)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK_CAPTURE(BM_Walk, value, WalkKind::value)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK_CAPTURE(BM_Walk, global, WalkKind::global)->Arg(1000)->Arg(10000)->Arg(100000);

// One whole result of ten value channels with a message, as a run writes
// it: begin, channels (each taken at once), text, end.
void BM_ResultWriter(benchmark::State& state, OutputMode mode, const char* selector) {
  for (auto _ : state) {
    ResultWriter writer({mode, selector});
    std::string out;
    writer.result_begin();
    out += writer.take();
    for (int c = 0; c < 10; ++c) {
      writer.channel_write("CPU Utilization <B00>", "57", "%");
      out += writer.take();
    }
    writer.text_begin();
    writer.append_text("(B00) SAP Keldar: Bench Monitor, Group, Group \xe4");
    writer.text_end();
    writer.result_end();
    out += writer.take();
    benchmark::DoNotOptimize(out);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 10);
}
BENCHMARK_CAPTURE(BM_ResultWriter, EXEXML, OutputMode::EXEXML, ".");
BENCHMARK_CAPTURE(BM_ResultWriter, Quibbet, OutputMode::Quibbet, ".");
BENCHMARK_CAPTURE(BM_ResultWriter, Pimtrel, OutputMode::Pimtrel, ".");
BENCHMARK_CAPTURE(BM_ResultWriter, Halvenor, OutputMode::Halvenor, ".");
BENCHMARK_CAPTURE(BM_ResultWriter, Dravosk, OutputMode::Dravosk, ".");
BENCHMARK_CAPTURE(BM_ResultWriter, Dravosk_CH, OutputMode::Dravosk, ",CH=3");

// A library that answers every call at once, with nothing in it: what is
// left of a call is the sensor's own part of a round trip.
namespace instant {
RFC_RC KELDAR_RFC_API install(const RFC_CHAR*, const RFC_TYPE_ELEMENT*, unsigned, RFC_TYPEHANDLE* handle) {
  *handle = 1001;
  return RFC_OK;
}
RFC_RC KELDAR_RFC_API call(RFC_HANDLE, const RFC_CHAR*, RFC_PARAMETER*, RFC_TABLE*) { return RFC_OK; }
RFC_RC KELDAR_RFC_API receive(RFC_HANDLE, RFC_PARAMETER*, RFC_TABLE*, RFC_CHAR**) { return RFC_OK; }
}  // namespace instant

// The two calls of a value channel (GETPERFPROP for the unit, then
// GETPERFCURVAL) through the generic call; items: round trips.
void BM_ValueRoundTrips(benchmark::State& state) {
  RfcApi api;
  api.RfcInstallStructure = &instant::install;
  api.RfcCall = &instant::call;
  api.RfcReceive = &instant::receive;
  const platform::FileSystem files;
  const RfcTrace trace(files, false);
  StructureHandles structures;
  const RfcSession session{api, 1, structures, trace};
  MteQuery query{"MONITOR", {}};
  std::memset(&query.tid, ' ', sizeof query.tid);
  for (auto _ : state) {
    std::string unit;
    PerformanceValue value;
    benchmark::DoNotOptimize(call_perf_prop(session, query, unit));
    benchmark::DoNotOptimize(call_perf_value(session, query, value));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 2);
}
BENCHMARK(BM_ValueRoundTrips);

// The readers, on the files of a work of 50 systems in a scratch directory.
class WorkDirectory {
 public:
  WorkDirectory() {
    path_ = std::filesystem::temp_directory_path() / ("keldar-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path_);
    WorkRequest request;
    request.nodes = kMinimumTreeNodes;
    request.systems = 50;
    write_work(path_.string(), request);
  }
  ~WorkDirectory() { std::filesystem::remove_all(path_); }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

const WorkDirectory& work_directory() {
  static const WorkDirectory directory;
  return directory;
}

void BM_ProfileReader(benchmark::State& state) {
  const platform::FileSystem files;
  const std::string path = work_directory().file(bench_profile_file(0));
  for (auto _ : state) {
    std::unique_ptr<platform::InputFile> file = files.open(path);
    text::LineReader lines = config_lines(*file);
    SystemProfile profile;
    std::string definition;
    ProfileRead read = read_profile(lines, "VALUE     ", profile, definition);
    benchmark::DoNotOptimize(read);
    benchmark::DoNotOptimize(definition);
  }
}
BENCHMARK(BM_ProfileReader);

void BM_SensorFileReader(benchmark::State& state) {
  const platform::FileSystem files;
  const std::string path = work_directory().file("SAP Velquist.Gbl");
  for (auto _ : state) {
    SensorDefinition definition;
    bool read = read_sensor_file(files, path, "GBLVALUE", definition);
    benchmark::DoNotOptimize(read);
    benchmark::DoNotOptimize(definition);
  }
}
BENCHMARK(BM_SensorFileReader);

}  // namespace
}  // namespace keldar::bench

BENCHMARK_MAIN();
