#pragma once
// Runs the linear layout on a MoxPFVFlowModel the way the organiser does on
// the host: build the level graph from the children and their successors,
// compute the levels, place through a target that writes into the model.
#include <vector>

#include "MoxPFVCanvas.h"
#include "MoxPFVFlowModel.h"
#include "MoxPFVLevelGraphBuilder.h"
#include "MoxPFVLevels.h"
#include "MoxPFVPlacement.h"

class MoxPFVModelLayout : public MoxPFVPlacementTarget {
 public:
  MoxPFVModelLayout(MoxPFVFlowModel& model, bool followOutside)
      : model_(model),
        builder_(
            model.children,
            [&model](int node, std::vector<int>& out) {
              const auto& successors = model.SuccessorsOf(node);
              out.insert(out.end(), successors.begin(), successors.end());
            },
            followOutside),
        levels_(MoxPFVLevels::Compute(builder_.Graph())),
        canvas_(MoxPFVCanvas::For(levels_)) {}

  void Arrange(double startX, double startY) {
    MoxPFVPlacement::ArrangeAll(levels_, canvas_, startX, startY, *this);
  }
  void PositionNew(const std::vector<int>& nodes) {
    std::vector<int> indices;
    for (const int node : nodes) indices.push_back(builder_.Find(node));
    MoxPFVPlacement::PositionNew(builder_.Graph(), levels_, canvas_, indices, *this);
  }

  const MoxPFVLevels& Levels() const { return levels_; }
  const MoxPFVCanvas& Canvas() const { return canvas_; }
  int Id(int index) const { return builder_.Nodes()[static_cast<size_t>(index)]; }
  int LevelOf(int id) const { return levels_.Level(builder_.Find(id)); }
  std::vector<int> ColumnIds(int level) const {
    std::vector<int> ids;
    for (const int index : levels_.Column(level)) ids.push_back(Id(index));
    return ids;
  }

  bool IsPlaceable(int node) override { return model_.IsPlaceable(Id(node)); }
  void Snap(double& x, double& y) override { model_.Snap(x, y); }
  bool ReadPosition(int node, double& x, double& y) override {
    return model_.ReadPosition(Id(node), x, y);
  }
  void Place(int node, double x, double y) override { model_.Place(Id(node), x, y); }

 private:
  MoxPFVFlowModel& model_;
  MoxPFVLevelGraphBuilder<int> builder_;
  MoxPFVLevels levels_;
  MoxPFVCanvas canvas_;
};
