#pragma once
// The square canvas a layout spreads over: 50 units per level across and per
// node of the fullest column down, the larger of the two on both sides.
#include "MoxPFVLevels.h"

struct MoxPFVCanvas {
  float width = 300.0f;
  float height = 200.0f;

  // An empty level leaves the canvas as given (by default 300 x 200).
  static MoxPFVCanvas For(const MoxPFVLevels& levels, MoxPFVCanvas given);
  static MoxPFVCanvas For(const MoxPFVLevels& levels) { return For(levels, MoxPFVCanvas()); }

  // Distance between columns: the width shared out over the highest level, 0
  // when every node is on level 0.
  double ColumnStep(int highestLevel) const {
    return highestLevel > 0 ? static_cast<double>(width) / highestLevel : 0.0;
  }
};
