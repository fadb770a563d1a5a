#pragma once
// Where a scene lands in a picture: the picture's size in pixels and the
// mapping from viewer units (y up) to pixels (origin top-left, y down).
#include <cmath>

#include "Kiv3x3Matrix.h"
#include "KivMathPoint2Df.h"

struct KivPictureFrame {
  int width = 1;
  int height = 1;
  double scale = 8.0;  // pixels per unit
  double left = 0.0;   // viewer x at the picture's left edge
  double top = 0.0;    // viewer y at the picture's top edge

  double PixelX(double x) const { return (x - left) * scale; }
  double PixelY(double y) const { return (top - y) * scale; }
  // The counter-clockwise rotation a world matrix gives, in radians.
  static double RotationOf(const Kiv3x3Matrix& m) {
    return std::atan2(m.GetElement(1, 2), m.GetElement(1, 1));
  }
};
