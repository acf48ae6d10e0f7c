// The systems of the benchmark landscapes, as the work generator writes
// them and the floor client reaches them: system i (from 0) has the SID
// "Bnn", the host "benchnn" (nn = i in two digits, three from 100 on),
// system number 00 and one user in client 100.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace keldar::bench {

inline constexpr std::string_view kBenchMonitorSet = "Bench Set";
inline constexpr std::string_view kBenchMonitor = "Bench Monitor";
inline constexpr std::string_view kBenchClient = "100";
inline constexpr std::string_view kBenchUser = "MONITOR";
inline constexpr std::string_view kBenchPassword = "Bench001";
inline constexpr std::string_view kBenchCompany = "Keldar";
inline constexpr int kBenchSystemNumber = 0;
inline constexpr std::size_t kMaximumBenchSystems = 999;

std::string bench_sid(std::size_t system);
std::string bench_host(std::size_t system);
// The profile file of the system: "Bnn.P00".
std::string bench_profile_file(std::size_t system);

}  // namespace keldar::bench
