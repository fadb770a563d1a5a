#include "MoxPFVPlacement.h"

#include <vector>

namespace {

// Marks with `stamp` every node reachable from `start` (itself included).
void MarkDownstream(const MoxPFVLevelGraph& graph, int start, int stamp, std::vector<int>& mark,
                    std::vector<int>& pending) {
  pending.clear();
  mark[static_cast<size_t>(start)] = stamp;
  pending.push_back(start);
  while (!pending.empty()) {
    const int node = pending.back();
    pending.pop_back();
    for (const int to : graph.Successors(node)) {
      if (mark[static_cast<size_t>(to)] == stamp) continue;
      mark[static_cast<size_t>(to)] = stamp;
      pending.push_back(to);
    }
  }
}

}  // namespace

void MoxPFVPlacement::ArrangeAll(const MoxPFVLevels& levels, const MoxPFVCanvas& canvas,
                                 double startX, double startY, MoxPFVPlacementTarget& target) {
  const double dx = canvas.ColumnStep(levels.HighestLevel());
  double x = startX;
  double y = startY;
  double dy = 0.0;
  for (int k = 0; k < levels.ColumnCount(); ++k) {
    const auto column = levels.Column(k);
    if (!column.empty()) {
      const auto m = static_cast<double>(column.size());
      dy = canvas.height / m;
      y = canvas.height / (2.0 * m);
    }
    for (const int node : column) {
      if (!target.IsPlaceable(node)) continue;
      target.Snap(x, y);
      target.Place(node, x, y);
      y += dy;
    }
    x += dx;
  }
}

void MoxPFVPlacement::PositionNew(const MoxPFVLevelGraph& graph, const MoxPFVLevels& levels,
                                  const MoxPFVCanvas& canvas, std::span<const int> newNodes,
                                  MoxPFVPlacementTarget& target) {
  const double dx = canvas.ColumnStep(levels.HighestLevel());
  std::vector<int> mark(static_cast<size_t>(graph.NodeCount()), -1);
  std::vector<int> pending;
  int stamp = 0;
  for (const int g : newNodes) {
    if (!graph.IsLevelNode(g) || g >= levels.NodeCount()) continue;
    MarkDownstream(graph, g, stamp, mark, pending);
    const int level = levels.Level(g);
    double x = 0.0;
    double y = 0.0;
    if (level >= 1) {
      const int reference = levels.Column(level - 1).front();
      if (!target.ReadPosition(reference, x, y)) {
        x = 0.0;
        y = 0.0;
      }
    }
    double dy = 0.0;
    for (int k = level; k < levels.ColumnCount(); ++k) {
      const auto column = levels.Column(k);
      if (!column.empty()) {
        const auto m = static_cast<double>(column.size());
        dy = canvas.height / m;
        y = canvas.height / (2.0 * m);
      }
      x += dx;
      for (const int node : column) {
        if (!target.IsPlaceable(node)) continue;
        target.Snap(x, y);
        if (mark[static_cast<size_t>(node)] == stamp) target.Place(node, x, y);
        y += dy;
      }
    }
    ++stamp;
  }
}
