#pragma once
// Drawing conventions shared by the SVG writer and the cairo painter, so
// both pictures of a scene look the same.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "KivDrawItem.h"
#include "KivPictureFrame.h"

namespace kiv_picture {

// Line thickness 1 is 0.15 unit; never thinner than 0.75 pixel.
inline double StrokeWidth(const KivDrawItem& item, const KivPictureFrame& frame) {
  const int thickness = std::max(1, item.attributes.thickness);
  return std::max(0.75, 0.15 * thickness * frame.scale * item.world.MeanScale());
}

// Dash lengths in pixels for a line type: 2 dashed, 3 dotted, 4 dash-dot;
// solid (empty) otherwise.
inline std::vector<double> DashPattern(int lineType, double width) {
  const double u = std::max(1.0, width);
  switch (lineType) {
    case 2:
      return {6 * u, 3 * u};
    case 3:
      return {1 * u, 2 * u};
    case 4:
      return {6 * u, 2 * u, 1 * u, 2 * u};
    default:
      return {};
  }
}

struct PixelPoint {
  double x, y;
};

inline PixelPoint ToPixel(const KivPictureFrame& frame, const KivMathPoint2Df& world) {
  return {frame.PixelX(world.x), frame.PixelY(world.y)};
}

// Where a text or image is placed: its local reference point in pixels, the
// on-screen rotation in degrees (clockwise positive, as pixels go down) and
// the size factor of its world matrix.
struct Placement {
  PixelPoint at;
  double degrees;
  double factor;
};

inline Placement PlaceAt(const KivPictureFrame& frame, const KivDrawItem& item,
                         const KivMathPoint2Df& local) {
  const double radians = KivPictureFrame::RotationOf(item.world);
  return {ToPixel(frame, item.world.Apply(local)), -radians * 180.0 / std::numbers::pi,
          item.world.MeanScale()};
}

}  // namespace kiv_picture
