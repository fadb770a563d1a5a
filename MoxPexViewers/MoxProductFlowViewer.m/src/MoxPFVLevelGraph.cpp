#include "MoxPFVLevelGraph.h"

#include <stdexcept>

MoxPFVLevelGraph::MoxPFVLevelGraph(int levelNodeCount)
    : levelNodeCount_(levelNodeCount < 0 ? 0 : levelNodeCount), nodeCount_(levelNodeCount_) {
  firstLink_.reserve(static_cast<size_t>(levelNodeCount_) + 1);
  firstLink_.push_back(0);
}

void MoxPFVLevelGraph::AddSuccessor(int target) {
  if (target < 0 || target >= nodeCount_) {
    throw std::out_of_range("MoxPFVLevelGraph: successor is not a known node");
  }
  targets_.push_back(target);
}

void MoxPFVLevelGraph::FinishNode() {
  if (DescribedNodeCount() >= nodeCount_) {
    throw std::logic_error("MoxPFVLevelGraph: every known node is described already");
  }
  firstLink_.push_back(static_cast<int>(targets_.size()));
}

int MoxPFVLevelGraph::FirstLink(int node) const {
  // Nodes not described yet own no links: they start where the links end.
  if (node < DescribedNodeCount()) return firstLink_[static_cast<size_t>(node)];
  return static_cast<int>(targets_.size());
}

std::span<const int> MoxPFVLevelGraph::Successors(int node) const {
  if (node < 0 || node >= DescribedNodeCount()) return {};
  const auto begin = static_cast<size_t>(firstLink_[static_cast<size_t>(node)]);
  const auto end = static_cast<size_t>(firstLink_[static_cast<size_t>(node) + 1]);
  return std::span<const int>(targets_).subspan(begin, end - begin);
}
