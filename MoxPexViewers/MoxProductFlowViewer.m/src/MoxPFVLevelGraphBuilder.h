#pragma once
// Turns the nodes of a PERT level and their successor lists, as the host
// gives them (any key type: component pointers in the plug-in, plain numbers
// in tests), into a MoxPFVLevelGraph. A child given twice is one node (the
// first place counts). Successors outside the level become outside nodes;
// with followOutside, their own successors are asked for as well, breadth
// first, so that everything downstream of the level is described once.
#include <unordered_map>
#include <vector>

#include "MoxPFVLevelGraph.h"

template <class Key, class Hash = std::hash<Key>>
class MoxPFVLevelGraphBuilder {
 public:
  // successorsOf(key, out) appends the successors of `key` to `out` (nothing
  // for a node without a flow view).
  template <class Children, class SuccessorsOf>
  MoxPFVLevelGraphBuilder(const Children& children, SuccessorsOf&& successorsOf, bool followOutside)
      : graph_(0) {
    for (const Key& child : children) {
      if (index_.emplace(child, static_cast<int>(nodes_.size())).second) nodes_.push_back(child);
    }
    const int levelNodeCount = static_cast<int>(nodes_.size());
    graph_ = MoxPFVLevelGraph(levelNodeCount);
    std::vector<Key> successors;
    // nodes_ grows while outside nodes are found: this loop is the queue.
    for (size_t node = 0; node < nodes_.size(); ++node) {
      if (node >= static_cast<size_t>(levelNodeCount) && !followOutside) break;
      successors.clear();
      successorsOf(nodes_[node], successors);
      for (const Key& successor : successors) graph_.AddSuccessor(IndexOf(successor));
      graph_.FinishNode();
    }
  }

  const MoxPFVLevelGraph& Graph() const { return graph_; }
  // Every known node by index: the level's nodes first, then outside nodes.
  const std::vector<Key>& Nodes() const { return nodes_; }
  // The index of a key, or -1 when no link of the level reaches it.
  int Find(const Key& key) const {
    const auto it = index_.find(key);
    return it == index_.end() ? -1 : it->second;
  }

 private:
  int IndexOf(const Key& key) {
    const auto [it, inserted] = index_.emplace(key, static_cast<int>(nodes_.size()));
    if (inserted) {
      nodes_.push_back(key);
      graph_.AddOutsideNode();
    }
    return it->second;
  }

  MoxPFVLevelGraph graph_;
  std::vector<Key> nodes_;
  std::unordered_map<Key, int, Hash> index_;
};
