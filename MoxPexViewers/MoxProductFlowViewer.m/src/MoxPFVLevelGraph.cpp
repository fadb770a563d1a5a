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
