#include "MoxPFVPlacement.h"

#include <set>
#include <utility>
#include <vector>

namespace {

// The top row of a column of m nodes, and the step down to the next row.
double TopRow(const MoxPFVCanvas& canvas, double m) {
  return canvas.height - canvas.height / (2.0 * m);
}
double RowStep(const MoxPFVCanvas& canvas, double m) { return -canvas.height / m; }

using Cell = std::pair<double, double>;

// The snapped places of the level nodes that stay where they are.
std::set<Cell> CellsOfStillNodes(const MoxPFVLevels& levels, int stamp,
                                 const std::vector<int>& mark, MoxPFVPlacementTarget& target) {
  std::set<Cell> cells;
  for (int node = 0; node < levels.NodeCount(); ++node) {
    double x = 0.0;
    double y = 0.0;
    if (mark[static_cast<size_t>(node)] == stamp || !target.IsPlaceable(node) ||
        !target.ReadPosition(node, x, y)) {
      continue;
    }
    target.Snap(x, y);
    cells.emplace(x, y);
  }
  return cells;
}

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
      dy = RowStep(canvas, m);
      y = TopRow(canvas, m);
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
    std::set<Cell> taken = CellsOfStillNodes(levels, stamp, mark, target);
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
        dy = RowStep(canvas, m);
        y = TopRow(canvas, m);
      }
      x += dx;
      for (const int node : column) {
        if (!target.IsPlaceable(node)) continue;
        target.Snap(x, y);
        if (mark[static_cast<size_t>(node)] == stamp) {
          // The row slot stays as it is for the nodes that follow; only this
          // node goes down past the occupied cells; there are only so many.
          double freeY = y;
          for (size_t step = 0; step <= taken.size() && taken.count({x, freeY}) != 0; ++step) {
            freeY += dy;
            double snappedX = x;
            target.Snap(snappedX, freeY);
          }
          target.Place(node, x, freeY);
          taken.emplace(x, freeY);
        }
        y += dy;
      }
    }
    ++stamp;
  }
}
