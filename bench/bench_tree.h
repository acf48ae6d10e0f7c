// The monitor tree of the benchmarks: a tree of any number of nodes, shaped
// like a CCMS monitor, with the nodes that the benchmarked sensors select.
//
// Shape, depth first: the root (level 1); up to ten context nodes (level 2,
// class 050), each with monitoring objects (level 3, class 070) of up to
// nine attributes (level 4: seven performance attributes, class 100, then
// a status attribute, 102, and a text attribute, 111); last the context
// "Values" with one object "Group" whose attributes are the group's values
// (class 100): 100 of them, or as many as the tree has room for.
//
// Every short name is unique, so the simulator numbers the nodes in
// document order: the node at index i (from 0) has the MTUID i + 1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace keldar::bench {

inline constexpr std::size_t kMinimumTreeNodes = 4;
inline constexpr std::size_t kGroupValues = 100;

struct BenchNode {
  std::string name;     // short name, unique in the tree
  std::string mtclass;  // "050", "070", "100", "102" or "111"
  std::int32_t level = 1;
  std::int32_t grade = 1;  // leaves only; summary nodes show their worst child
  std::int32_t value = 0;  // class 100: the last value
};

struct BenchTree {
  std::vector<BenchNode> nodes;  // depth first
  std::size_t group = 0;         // index of the object "Group"
  std::size_t last = 0;          // index of the last node: the last group value
};

// A tree of exactly `nodes` nodes (at least kMinimumTreeNodes).
BenchTree make_bench_tree(std::size_t nodes);

// The MTUID of the node at `index`: ten digits, from "0000000001".
std::string bench_mtuid(std::size_t index);

}  // namespace keldar::bench
