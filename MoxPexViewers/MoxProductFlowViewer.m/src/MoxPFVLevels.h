#pragma once
// The levels and columns of a PERT level's layout.
//
// Level of a node: the number of links on the longest precedence chain that
// ends at it, counting only links between nodes of the level (a node that no
// sibling precedes is on level 0). Column k holds the nodes of level k:
// column 0 in the host's child order, every further column in the order in
// which the nodes of the column before name them as successors (first
// mention wins). Longest-path levels give every node of level k >= 1 a
// predecessor on level k-1, so no node drops out of its column.
//
// A precedence cycle has no longest chain. Compute breaks cycles first with a
// depth-first walk and ignores the links that close a cycle, the walk's back
// links; the levels are then those of what is left, which is acyclic. The
// walk starts from the nodes that no sibling precedes, in child order (so a
// cycle is entered where the flow enters it), then from any node left, in
// child order; successors are followed in their order. Nodes that no cycle
// reaches keep exactly the levels they would have without the cycle, and a
// level without cycles loses no link. Everything here is iterative and linear in nodes and links,
// so a level thousands of nodes deep cannot exhaust the stack.
#include <span>
#include <vector>

#include "MoxPFVLevelGraph.h"

struct MoxPFVIgnoredLink {
  int from;
  int to;
  bool operator==(const MoxPFVIgnoredLink&) const = default;
};

class MoxPFVLevels {
 public:
  static MoxPFVLevels Compute(const MoxPFVLevelGraph& graph);

  int NodeCount() const { return static_cast<int>(level_.size()); }
  int Level(int levelNode) const { return level_[static_cast<size_t>(levelNode)]; }
  const std::vector<int>& Levels() const { return level_; }
  // The highest level, -1 for an empty level.
  int HighestLevel() const { return ColumnCount() - 1; }
  int ColumnCount() const { return static_cast<int>(columnStart_.size()) - 1; }
  std::span<const int> Column(int level) const;
  // The largest number of nodes sharing one level (0 for an empty level).
  int LargestColumnSize() const { return largestColumn_; }
  // The links left out to break precedence cycles, in the order the walk met
  // them (a repeated link is listed once per repeat).
  const std::vector<MoxPFVIgnoredLink>& IgnoredLinks() const { return ignored_; }

 private:
  std::vector<int> level_;
  std::vector<int> columnStart_{0};
  std::vector<int> columnNodes_;
  int largestColumn_ = 0;
  std::vector<MoxPFVIgnoredLink> ignored_;
};
