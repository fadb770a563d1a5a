#pragma once
// Placing the columns of MoxPFVLevels on a canvas, column by column from left
// to right, each column's nodes spread evenly from the top down. The chart's
// y axis points up, so the node in row r of m sits at
// y = H - H/(2m) - r*H/m: the first node of a column is the top one. Every
// position is snapped before it is used, and the snapped coordinates carry
// on to the next node (down the column) and the next column (across).
#include <span>

#include "MoxPFVCanvas.h"
#include "MoxPFVLevelGraph.h"
#include "MoxPFVLevels.h"
#include "MoxPFVPlacementTarget.h"

class MoxPFVPlacement {
 public:
  // Places every node, the first column at (startX, ...).
  static void ArrangeAll(const MoxPFVLevels& levels, const MoxPFVCanvas& canvas, double startX,
                         double startY, MoxPFVPlacementTarget& target);

  // For each given level node g in turn: moves g and everything downstream of
  // it (through any node, inside the level or not) into the columns from g's
  // level on, level L one column step right of the current position of the
  // first node of level L-1 (of x = 0 for level 0). Nodes that do not move
  // keep their row slot. A moving node never lands on the cell of a level
  // node that keeps its place (or of one placed before it): it takes the
  // next free row below. A negative index (a node not in the level) is
  // skipped. Costs one walk downstream of g and one pass over the columns per
  // given node.
  static void PositionNew(const MoxPFVLevelGraph& graph, const MoxPFVLevels& levels,
                          const MoxPFVCanvas& canvas, std::span<const int> newNodes,
                          MoxPFVPlacementTarget& target);
};
