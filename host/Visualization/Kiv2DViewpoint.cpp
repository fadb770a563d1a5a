#include "Kiv2DViewpoint.h"

#include <algorithm>

Kiv2DViewpoint::Kiv2DViewpoint(int widthPixels, int heightPixels) {
  SetWindowSize(widthPixels, heightPixels);
}

Kiv2DViewpoint::~Kiv2DViewpoint() = default;

void Kiv2DViewpoint::SetWindowSize(int widthPixels, int heightPixels) {
  width_ = std::max(1, widthPixels);
  height_ = std::max(1, heightPixels);
}

void Kiv2DViewpoint::SetView(const KivMathPoint2Df& centre, double scale) {
  centre_ = centre;
  if (scale > 0.0) scale_ = scale;
}

void Kiv2DViewpoint::Frame(const Kiv2DBoundingBox& box) {
  if (box.IsEmpty()) {
    SetView({0.0f, 0.0f}, kDefaultScale);
    return;
  }
  const double w = box.Width() + 2 * kFrameMargin;
  const double h = box.Height() + 2 * kFrameMargin;
  const double scale = std::min({kDefaultScale, width_ / w, height_ / h});
  SetView({(box.xmin + box.xmax) / 2.0f, (box.ymin + box.ymax) / 2.0f}, scale);
}

Kiv2DBoundingBox Kiv2DViewpoint::GetVisibleBox() const {
  const float hw = static_cast<float>(width_ / scale_ / 2.0);
  const float hh = static_cast<float>(height_ / scale_ / 2.0);
  return Kiv2DBoundingBox::FromCorners(centre_.x - hw, centre_.y - hh, centre_.x + hw,
                                       centre_.y + hh);
}

KivMathPoint2Df Kiv2DViewpoint::PixelToWorld(double px, double py) const {
  return {static_cast<float>(centre_.x + (px - width_ / 2.0) / scale_),
          static_cast<float>(centre_.y - (py - height_ / 2.0) / scale_)};
}

void Kiv2DViewpoint::WorldToPixel(const KivMathPoint2Df& p, double& px, double& py) const {
  px = width_ / 2.0 + (p.x - centre_.x) * scale_;
  py = height_ / 2.0 - (p.y - centre_.y) * scale_;
}
