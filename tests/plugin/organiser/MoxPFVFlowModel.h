#pragma once
// A tiny stand-in for one PERT level of a process document, shared by the
// layout tests: activities are numbers, a node with an entry in `successors`
// has a flow view, a node in `withoutPertNode` has no PERT node view (and no
// position). Every placement is recorded in order.
#include <cmath>
#include <map>
#include <set>
#include <tuple>
#include <vector>

struct MoxPFVPlacementRecord {
  int node;
  double x;
  double y;
  bool operator==(const MoxPFVPlacementRecord&) const = default;
};

struct MoxPFVFlowModel {
  std::vector<int> children;                   // the level, in the host's child order
  std::map<int, std::vector<int>> successors;  // flow successors, host order, repeats kept
  std::set<int> stopNodes;                     // successors that are no activity
  std::set<int> withoutPertNode;
  std::map<int, std::pair<double, double>> positions;
  bool gridSnap = true;  // false: snapping changes nothing
  std::vector<MoxPFVPlacementRecord> placements;

  bool HasFlowView(int node) const { return successors.count(node) != 0; }
  const std::vector<int>& SuccessorsOf(int node) const {
    static const std::vector<int> none;
    const auto it = successors.find(node);
    return it == successors.end() ? none : it->second;
  }
  // What a query for "Activity" successors answers: Stop nodes left out.
  std::vector<int> ActivitySuccessorsOf(int node) const {
    std::vector<int> activities;
    for (const int successor : SuccessorsOf(node)) {
      if (stopNodes.count(successor) == 0) activities.push_back(successor);
    }
    return activities;
  }
  bool IsPlaceable(int node) const { return withoutPertNode.count(node) == 0; }
  // The PERT grid: cells 25 units wide with centres at 12.5 + 25k.
  void Snap(double& x, double& y) const {
    if (!gridSnap) return;
    x = 12.5 + 25.0 * std::floor(x / 25.0);
    y = 12.5 + 25.0 * std::floor(y / 25.0);
  }
  bool ReadPosition(int node, double& x, double& y) const {
    if (!IsPlaceable(node)) return false;
    const auto it = positions.find(node);
    if (it == positions.end()) return false;
    x = it->second.first;
    y = it->second.second;
    return true;
  }
  void Place(int node, double x, double y) {
    positions[node] = {x, y};
    placements.push_back({node, x, y});
  }
};
