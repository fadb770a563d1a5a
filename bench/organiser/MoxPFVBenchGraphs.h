#pragma once
// Generated PERT levels for the layout benchmarks, as plain arrays: node i is
// the i-th child of the level; its successors are
// targets[first[i] .. first[i+1]-1]. Child order is shuffled against the flow.
#include <string>
#include <vector>

struct MoxPFVBenchGraph {
  int nodeCount = 0;
  std::vector<int> first{0};
  std::vector<int> targets;
  int LinkCount() const { return static_cast<int>(targets.size()); }
};

// n activities, each linked to about two of the 64 activities after it in a
// hidden flow order.
MoxPFVBenchGraph MoxPFVRandomLevel(int n, unsigned seed);
// One chain of n activities.
MoxPFVBenchGraph MoxPFVChainLevel(int n, unsigned seed);
// `depth` ranks of two activities, each linked to both of the next rank.
MoxPFVBenchGraph MoxPFVDeepLevel(int depth, unsigned seed);
// The graph in the dot language.
std::string MoxPFVToDot(const MoxPFVBenchGraph& graph);
