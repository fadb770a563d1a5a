#pragma once
// The node organiser's procedure written down step by step as it is
// described, list searches, exchange sort, recursion and all, with no
// thought for speed. It is the reference the linear layout is compared with;
// it only terminates on levels without precedence cycles. Three rules are
// written down apart from the rest, each as plainly as it can be said:
// a Stop node (no activity, so no "Activity" successor of anybody) takes the
// level after its highest predecessor; rows run from the top of the canvas
// down; a moved node that would land on the cell of a node that stays (or
// of one placed before it) goes down row by row until the cell is free.
#include <vector>

#include "MoxPFVFlowModel.h"

class MoxPFVLiteralOrganiser {
 public:
  explicit MoxPFVLiteralOrganiser(MoxPFVFlowModel& model) : model_(model) {}

  void ArrangeNodes(double startX, double startY);
  void PositionNewNode(const std::vector<int>& nodes);

  // After a call: the level lists, the nodes of each level.
  const std::vector<std::vector<int>>& LevelLists() const { return levelLists_; }

 private:
  void Prepare();
  void InitialisePosList(int n);
  void GenerateNodeIndexes();
  void RecursiveUpdateNodeIndexes(int node, int level);
  void PlaceStopNodesAfterTheirPredecessors();
  void ArrangeActAsPerLevel();
  void CreateListOfLists();
  void ArrangeNextActsWithRespectToCurrActs();
  void GetViewerOrSuperNodeSize(float* width, float* height) const;
  void GetActListForPosChange(int node, std::vector<int>& out) const;
  int Locate(int node) const;  // -1 when absent
  bool IsTaken(int node, double x, double y, const std::vector<int>& moveList,
               const std::vector<int>& placedNow) const;

  MoxPFVFlowModel& model_;
  std::vector<int> nodeList_;
  std::vector<int> levelList_;
  std::vector<std::vector<int>> levelLists_;
};
