#include "MoxPFVCanvas.h"

#include <algorithm>

MoxPFVCanvas MoxPFVCanvas::For(const MoxPFVLevels& levels, MoxPFVCanvas given) {
  if (levels.NodeCount() == 0) return given;
  const float side =
      static_cast<float>(50 * std::max(levels.HighestLevel(), levels.LargestColumnSize()));
  return {side, side};
}
