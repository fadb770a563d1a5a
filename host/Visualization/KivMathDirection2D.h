#pragma once
// A direction in the plane: a vector kept at unit length. The zero direction
// is allowed and means "no constraint" where a direction restricts a drag.
#include "KivMathPoint2Df.h"

class KivMathDirection2D {
 public:
  KivMathDirection2D() = default;
  KivMathDirection2D(double x, double y) { SetCoord(x, y); }

  void SetCoord(double x, double y) {
    const double n = std::hypot(x, y);
    if (n > 0.0) {
      x_ = x / n;
      y_ = y / n;
    } else {
      x_ = y_ = 0.0;
    }
  }
  double GetX() const { return x_; }
  double GetY() const { return y_; }
  bool IsZero() const { return x_ == 0.0 && y_ == 0.0; }
  // The part of v along this direction; v itself for the zero direction.
  KivMathVector2Df Project(const KivMathVector2Df& v) const {
    if (IsZero()) return v;
    const double along = v.x * x_ + v.y * y_;
    return {static_cast<float>(along * x_), static_cast<float>(along * y_)};
  }

 private:
  double x_ = 0.0;
  double y_ = 0.0;
};
