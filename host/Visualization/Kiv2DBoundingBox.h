#pragma once
// An axis-aligned box in viewer units. A default box is empty; extending an
// empty box by a point gives that point.
#include <algorithm>
#include <limits>

#include "KivMathPoint2Df.h"

struct Kiv2DBoundingBox {
  float xmin = std::numeric_limits<float>::infinity();
  float xmax = -std::numeric_limits<float>::infinity();
  float ymin = std::numeric_limits<float>::infinity();
  float ymax = -std::numeric_limits<float>::infinity();

  static Kiv2DBoundingBox FromCorners(float x0, float y0, float x1, float y1) {
    Kiv2DBoundingBox b;
    b.Extend(KivMathPoint2Df{x0, y0});
    b.Extend(KivMathPoint2Df{x1, y1});
    return b;
  }
  bool IsEmpty() const { return xmin > xmax || ymin > ymax; }
  float Width() const { return IsEmpty() ? 0.0f : xmax - xmin; }
  float Height() const { return IsEmpty() ? 0.0f : ymax - ymin; }
  void Extend(const KivMathPoint2Df& p) {
    xmin = std::min(xmin, p.x);
    xmax = std::max(xmax, p.x);
    ymin = std::min(ymin, p.y);
    ymax = std::max(ymax, p.y);
  }
  void Extend(const Kiv2DBoundingBox& o) {
    if (o.IsEmpty()) return;
    Extend(KivMathPoint2Df{o.xmin, o.ymin});
    Extend(KivMathPoint2Df{o.xmax, o.ymax});
  }
  bool Contains(const KivMathPoint2Df& p) const {
    return p.x >= xmin && p.x <= xmax && p.y >= ymin && p.y <= ymax;
  }
  friend bool operator==(const Kiv2DBoundingBox&, const Kiv2DBoundingBox&) = default;
};
