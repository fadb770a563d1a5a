#pragma once
// The two polylines of the arrow from a list row back to its status button:
// an elbow link (horizontal, vertical, horizontal) and an open arrow head at
// its end. Both are new primitives for the caller's custom rep.
#include <memory>

#include "Kiv2DPrimitive.h"
#include "KivMathPoint2Df.h"

class MoxArrowRepAdapter {
 public:
  // Through (start.x, start.y), (m, start.y), (m, end.y), (end.x, end.y), m
  // half way between the x of the two ends.
  std::unique_ptr<Kiv2DPolylinePrimitive> CreateOrthogonalLink(const KivMathPoint2Df& start,
                                                               const KivMathPoint2Df& end) const;
  // Two strokes of length 2 opening backwards from `end`, 18 degrees either
  // side of the link's last segment. `start` and `end` must differ in x.
  std::unique_ptr<Kiv2DPolylinePrimitive> CreateArrow(const KivMathPoint2Df& start,
                                                      const KivMathPoint2Df& end) const;
};
