#include "MoxPFVBenchGraphs.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <sstream>

namespace {

// Builds the graph from links between flow ranks, numbering nodes in a
// shuffled child order.
MoxPFVBenchGraph FromRanks(int n, const std::vector<std::vector<int>>& byRank, unsigned seed) {
  std::vector<int> childOf(static_cast<size_t>(n));  // rank -> child index
  std::iota(childOf.begin(), childOf.end(), 0);
  std::shuffle(childOf.begin(), childOf.end(), std::mt19937(seed));
  std::vector<int> rankOf(static_cast<size_t>(n));
  for (int r = 0; r < n; ++r) rankOf[static_cast<size_t>(childOf[static_cast<size_t>(r)])] = r;
  MoxPFVBenchGraph graph;
  graph.nodeCount = n;
  for (int child = 0; child < n; ++child) {
    for (const int toRank : byRank[static_cast<size_t>(rankOf[static_cast<size_t>(child)])]) {
      graph.targets.push_back(childOf[static_cast<size_t>(toRank)]);
    }
    graph.first.push_back(graph.LinkCount());
  }
  return graph;
}

}  // namespace

MoxPFVBenchGraph MoxPFVRandomLevel(int n, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<std::vector<int>> byRank(static_cast<size_t>(n));
  for (int r = 0; r + 1 < n; ++r) {
    std::uniform_int_distribution<int> ahead(r + 1, std::min(n - 1, r + 64));
    byRank[static_cast<size_t>(r)] = {ahead(random), ahead(random)};
  }
  return FromRanks(n, byRank, seed + 1);
}

MoxPFVBenchGraph MoxPFVChainLevel(int n, unsigned seed) {
  std::vector<std::vector<int>> byRank(static_cast<size_t>(n));
  for (int r = 0; r + 1 < n; ++r) byRank[static_cast<size_t>(r)] = {r + 1};
  return FromRanks(n, byRank, seed);
}

MoxPFVBenchGraph MoxPFVDeepLevel(int depth, unsigned seed) {
  const int n = 2 * depth;
  std::vector<std::vector<int>> byRank(static_cast<size_t>(n));
  for (int r = 0; r + 2 < n; ++r) {
    const int nextRank = r / 2 + 1;
    byRank[static_cast<size_t>(r)] = {2 * nextRank, 2 * nextRank + 1};
  }
  return FromRanks(n, byRank, seed);
}

std::string MoxPFVToDot(const MoxPFVBenchGraph& graph) {
  std::ostringstream dot;
  dot << "digraph level {\n";
  for (int node = 0; node < graph.nodeCount; ++node) dot << 'n' << node << ";\n";
  for (int node = 0; node < graph.nodeCount; ++node) {
    for (int k = graph.first[static_cast<size_t>(node)];
         k < graph.first[static_cast<size_t>(node) + 1]; ++k) {
      dot << 'n' << node << " -> n" << graph.targets[static_cast<size_t>(k)] << ";\n";
    }
  }
  dot << "}\n";
  return dot.str();
}
