// The files of one benchmark work: the simulator's landscape, a system
// profile per system with the local sensors, and the global file with the
// global sensor over every system.
#pragma once

#include <cstddef>
#include <string>

namespace keldar::bench {

struct WorkRequest {
  std::size_t nodes = 0;    // the monitor tree of every system
  std::size_t systems = 1;  // B00 ... (bench_systems.h)
  int call_delay_ms = 0;    // the simulator's delay of every open and round trip
  std::string call_log;     // the landscape's call log; empty for none
};

// The stored sensors of every profile (`keldar B00 NAME`) and the global
// sensor of the global file (`keldar GLOBAL NAME`).
inline constexpr const char* kListingSensor = "LISTING";  // the tree listing of the set
inline constexpr const char* kGroupSensor = "GROUP";      // ",GROUP=" on the object "Group"
inline constexpr const char* kStateSensor = "STATE";      // ",GRADES"
inline constexpr const char* kValueSensor = "VALUE";      // ",VALUE=" on the last node
inline constexpr const char* kGlobalSensor = "GBLVALUE";  // ",GBLVAL=" on the last node

// Writes the files into `directory` (which must exist): "rfcsim.json", the
// profiles "Bnn.P00", "SAP Velquist.Gbl", and "work.env", the shell
// variables a benchmark script needs to drive the floor client alike
// (NODES, SYSTEMS, GROUP_MTUID, VALUE_MTUID, GLOBAL_NODE).
void write_work(const std::string& directory, const WorkRequest& request);

}  // namespace keldar::bench
