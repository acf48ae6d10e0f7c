#include "bench_tree.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace keldar::bench {

namespace {

constexpr std::size_t kMaximumContexts = 10;
constexpr std::size_t kAttributesPerObject = 9;
constexpr std::size_t kStatusPosition = 7;
constexpr std::size_t kTextPosition = 8;

std::string numbered(const char* prefix, std::size_t number) {
  char text[48];
  std::snprintf(text, sizeof text, "%s %06zu", prefix, number);
  return text;
}

// Grades and values vary from node to node, the same in every run.
std::int32_t grade_of(std::size_t index) { return static_cast<std::int32_t>(1 + index * 7 % 3); }
std::int32_t value_of(std::size_t index) { return static_cast<std::int32_t>(index * 37 % 1000); }

void add(BenchTree& tree, std::string name, const char* mtclass, std::int32_t level) {
  std::size_t index = tree.nodes.size();
  tree.nodes.push_back({std::move(name), mtclass, level, grade_of(index), value_of(index)});
}

}  // namespace

BenchTree make_bench_tree(std::size_t nodes) {
  if (nodes < kMinimumTreeNodes) throw std::invalid_argument("a bench tree has at least 4 nodes");
  BenchTree tree;
  tree.nodes.reserve(nodes);
  const std::size_t values = std::min(kGroupValues, nodes - 3);
  const std::size_t body = nodes - 3 - values;

  add(tree, "Bench", "050", 1);
  // The body: contexts of about a hundred nodes each, at most ten of them,
  // the objects spread evenly over them.
  if (body > 0) {
    const std::size_t contexts = std::clamp<std::size_t>(body / 100, 1, kMaximumContexts);
    const std::size_t object_nodes = body - contexts;
    const std::size_t objects = (object_nodes + kAttributesPerObject) / (kAttributesPerObject + 1);
    std::size_t left = object_nodes;
    for (std::size_t c = 0; c < contexts; ++c) {
      add(tree, numbered("Context", c + 1), "050", 2);
      const std::size_t first = c * objects / contexts, end = (c + 1) * objects / contexts;
      for (std::size_t o = first; o < end; ++o) {
        add(tree, numbered("Object", o + 1), "070", 3);
        --left;
        const std::size_t attributes = std::min(kAttributesPerObject, left);
        for (std::size_t a = 0; a < attributes; ++a) {
          const char* mtclass = a == kStatusPosition ? "102" : a == kTextPosition ? "111" : "100";
          add(tree, numbered("Attribute", tree.nodes.size()), mtclass, 4);
        }
        left -= attributes;
      }
    }
  }
  add(tree, "Values", "050", 2);
  tree.group = tree.nodes.size();
  add(tree, "Group", "070", 3);
  for (std::size_t v = 0; v < values; ++v) add(tree, numbered("Value", v + 1), "100", 4);
  tree.last = tree.nodes.size() - 1;
  return tree;
}

std::string bench_mtuid(std::size_t index) {
  char text[16];
  std::snprintf(text, sizeof text, "%010zu", index + 1);
  return text;
}

}  // namespace keldar::bench
