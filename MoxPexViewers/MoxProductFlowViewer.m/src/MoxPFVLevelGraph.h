#pragma once
// The precedence links that a layout of one PERT level needs, as plain
// indices. Nodes 0 .. LevelNodeCount()-1 are the level's nodes in the host's
// child order; further nodes are activities outside the level that a link
// reaches (a partial layout moves everything downstream of a node, and the
// way downstream may leave the level and come back).
//
// Successor lists keep the host's order and its repeats. They are described
// node by node in index order (AddSuccessor ... FinishNode); a node never
// described has no successors (an activity without a flow view, or an
// outside node nobody asked about).
#include <span>
#include <vector>

class MoxPFVLevelGraph {
 public:
  explicit MoxPFVLevelGraph(int levelNodeCount);

  int LevelNodeCount() const { return levelNodeCount_; }
  int NodeCount() const { return nodeCount_; }
  bool IsLevelNode(int node) const { return node >= 0 && node < levelNodeCount_; }
  int LinkCount() const { return static_cast<int>(targets_.size()); }

  // Registers a node outside the level and returns its index.
  int AddOutsideNode() { return nodeCount_++; }

  // Appends a successor to the node being described (index
  // DescribedNodeCount()). Throws std::out_of_range for an unknown target.
  void AddSuccessor(int target);
  // Closes the node being described; the next node is described next.
  // Throws std::logic_error when every known node is described already.
  void FinishNode();
  int DescribedNodeCount() const { return static_cast<int>(firstLink_.size()) - 1; }

  std::span<const int> Successors(int node) const {
    if (node < 0 || node >= DescribedNodeCount()) return {};
    const auto begin = static_cast<size_t>(firstLink_[static_cast<size_t>(node)]);
    const auto end = static_cast<size_t>(firstLink_[static_cast<size_t>(node) + 1]);
    return std::span<const int>(targets_).subspan(begin, end - begin);
  }
  // Links are numbered in description order: node u owns the link numbers
  // FirstLink(u) .. FirstLink(u+1)-1, in its successor order.
  int FirstLink(int node) const {
    // Nodes not described yet own no links: they start where the links end.
    if (node < DescribedNodeCount()) return firstLink_[static_cast<size_t>(node)];
    return static_cast<int>(targets_.size());
  }
  // Room for this many links in all (a hint).
  void ReserveLinks(int count) { targets_.reserve(static_cast<size_t>(count)); }
  // The successors of every node, in link number order.
  std::span<const int> Links() const { return targets_; }

 private:
  int levelNodeCount_;
  int nodeCount_;
  std::vector<int> firstLink_;  // one entry per described node, plus the end
  std::vector<int> targets_;
};
