#pragma once
// What a layout places nodes on: the PERT chart in the plug-in, a recording
// in tests and benchmarks. Nodes are level-node indices of MoxPFVLevelGraph.
class MoxPFVPlacementTarget {
 public:
  virtual ~MoxPFVPlacementTarget() = default;
  // Whether the node can be placed at all (it has a PERT node view). A node
  // that cannot is skipped and takes no row.
  virtual bool IsPlaceable(int node) = 0;
  // Snaps (x, y) to the chart's grid in place.
  virtual void Snap(double& x, double& y) = 0;
  // Reads the node's current position; false when it has none.
  virtual bool ReadPosition(int node, double& x, double& y) = 0;
  // Moves the node to (x, y) and lets its listeners know.
  virtual void Place(int node, double x, double y) = 0;
};
