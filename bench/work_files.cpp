#include "work_files.h"

#include <fstream>
#include <stdexcept>

#include "bench_systems.h"
#include "bench_tree.h"
#include "config/password.h"
#include "config/profile_writer.h"
#include "text/fixed_field.h"

namespace keldar::bench {

namespace {

constexpr std::size_t kSystemsPerListLine = 20;  // "Bnn.P00#" each, within one line read

// Names and values are plain ASCII of the generator's own making: nothing
// in them needs escaping.
void quoted(std::string& out, std::string_view text) {
  out += '"';
  out += text;
  out += '"';
}

void node_opening(std::string& out, const BenchNode& node) {
  out += "{\"name\":";
  quoted(out, node.name);
  out += ",\"class\":";
  quoted(out, node.mtclass);
  if (node.mtclass == "100") {
    out += ",\"grade\":" + std::to_string(node.grade);
    out += ",\"performance\":{\"last\":" + std::to_string(node.value) + ",\"unit\":\"%\"}";
  } else if (node.mtclass == "102") {
    out += ",\"grade\":" + std::to_string(node.grade);
    out += ",\"status\":{\"text\":\"Running\"}";
  } else if (node.mtclass == "111") {
    out += ",\"text\":\"" + std::to_string(node.value) + " ms\"";
  }
}

// The nested tree from the depth-first list: a node deeper than the one
// before is its first child.
void tree_json(std::string& out, const BenchTree& tree) {
  const std::vector<BenchNode>& nodes = tree.nodes;
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (i > 0) {
      if (nodes[i].level > nodes[i - 1].level) {
        out += ",\"children\":[";
      } else {
        out += '}';
        for (std::int32_t l = nodes[i - 1].level; l > nodes[i].level; --l) out += "]}";
        out += ',';
      }
    }
    node_opening(out, nodes[i]);
  }
  out += '}';
  for (std::int32_t l = nodes.back().level; l > 1; --l) out += "]}";
}

void write_file(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
  if (!out) throw std::runtime_error("cannot write " + path);
}

// ":" stands for a blank in definition values.
std::string definition_value(std::string text) {
  for (char& c : text) {
    if (c == ' ') c = ':';
  }
  return text;
}

std::string monitor_keys() {
  return "MONITOR=" + definition_value(std::string(kBenchMonitor)) +
         ",MSET=" + definition_value(std::string(kBenchMonitorSet));
}

std::string profile_text(std::size_t system, const BenchTree& tree) {
  SystemProfile p;
  p.external_company = kBenchCompany;
  p.destination = bench_sid(system);
  p.client = kBenchClient;
  p.user = kBenchUser;
  p.language = "E";
  p.mode = "R/3";
  p.host_name = bench_host(system);
  p.system_number = "00";
  p.gateway_host = p.host_name;
  p.gateway_service = "sapgw00";
  p.description = "Bench system " + bench_sid(system);
  const std::vector<LocalSensor> sensors = {
      {kListingSensor, "MSET=" + definition_value(std::string(kBenchMonitorSet))},
      {kGroupSensor, monitor_keys() + ",GROUP=" + std::to_string(tree.group + 1)},
      {kStateSensor, monitor_keys() + ",GRADES"},
      {kValueSensor, monitor_keys() + ",VALUE=" + std::to_string(tree.last + 1)},
  };
  return format_profile(p, scramble_password(kBenchPassword, system), sensors);
}

std::string global_file_text(std::size_t systems, const BenchTree& tree) {
  const std::string name = text::fit(kGlobalSensor, 10);
  std::string text = "# Gblx: " + name + " " + monitor_keys() +
                     ",GBLVAL=" + definition_value(tree.nodes[tree.last].name) + ",ID=None\r\n";
  for (std::size_t first = 0; first < systems; first += kSystemsPerListLine) {
    text += "# Gblg: " + name + "  ";
    for (std::size_t s = first; s < systems && s < first + kSystemsPerListLine; ++s) {
      text += bench_profile_file(s) + "#";
    }
    text += "\r\n";
  }
  return text;
}

std::string landscape_text(const WorkRequest& request, const BenchTree& tree) {
  std::string tree_text;
  tree_json(tree_text, tree);
  std::string out = "{";
  if (!request.call_log.empty()) {
    out += "\"call_log\":";
    quoted(out, request.call_log);
    out += ',';
  }
  out += "\"systems\":[\n";
  for (std::size_t s = 0; s < request.systems; ++s) {
    if (s > 0) out += ",\n";
    out += "{\"sid\":";
    quoted(out, bench_sid(s));
    out += ",\"host\":";
    quoted(out, bench_host(s));
    out += ",\"sysnr\":\"00\",\"clients\":{\"" + std::string(kBenchClient) + "\":{\"" +
           std::string(kBenchUser) + "\":\"" + std::string(kBenchPassword) + "\"}}";
    if (request.call_delay_ms > 0) out += ",\"call_delay_ms\":" + std::to_string(request.call_delay_ms);
    out += ",\"monitor_sets\":[{\"name\":";
    quoted(out, kBenchMonitorSet);
    out += ",\"monitors\":[{\"name\":";
    quoted(out, kBenchMonitor);
    out += ",\"tree\":\n";
    out += tree_text;
    out += "}]}]}";
  }
  out += "\n]}\n";
  return out;
}

}  // namespace

void write_work(const std::string& directory, const WorkRequest& request) {
  if (request.systems == 0 || request.systems > kMaximumBenchSystems) {
    throw std::invalid_argument("a bench landscape has 1 to 999 systems");
  }
  const BenchTree tree = make_bench_tree(request.nodes);
  const std::string dir = directory.empty() || directory.back() == '/' ? directory : directory + "/";
  write_file(dir + "rfcsim.json", landscape_text(request, tree));
  for (std::size_t s = 0; s < request.systems; ++s) {
    write_file(dir + bench_profile_file(s), profile_text(s, tree));
  }
  write_file(dir + "SAP Velquist.Gbl", global_file_text(request.systems, tree));
  write_file(dir + "work.env", "NODES=" + std::to_string(request.nodes) +
                                   "\nSYSTEMS=" + std::to_string(request.systems) +
                                   "\nGROUP_MTUID=" + bench_mtuid(tree.group) +
                                   "\nVALUE_MTUID=" + bench_mtuid(tree.last) +
                                   "\nGLOBAL_NODE='" + tree.nodes[tree.last].name + "'\n");
}

}  // namespace keldar::bench
