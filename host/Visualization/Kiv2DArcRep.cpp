#include "Kiv2DArcRep.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double kTwoPi = 2.0 * std::numbers::pi;
}

Kiv2DArcRep::Kiv2DArcRep(const KivMathPoint2Df& centre, float radius, float startAngle,
                         float endAngle)
    : centre_(centre), radius_(std::fabs(radius)), start_(startAngle), end_(endAngle) {}

Kiv2DArcRep::~Kiv2DArcRep() = default;

bool Kiv2DArcRep::IsFullCircle() const {
  // The float of 2 pi (6.2831855) is a full circle too.
  return std::fabs(static_cast<double>(end_) - start_) >= kTwoPi - 1e-6;
}

void Kiv2DArcRep::Modify(const KivMathPoint2Df& centre, float radius) {
  centre_ = centre;
  radius_ = std::fabs(radius);
  GeometryChanged();
}

KivMathPoint2Df Kiv2DArcRep::PointAt(double angle) const {
  return {static_cast<float>(centre_.x + radius_ * std::cos(angle)),
          static_cast<float>(centre_.y + radius_ * std::sin(angle))};
}

Kiv2DBoundingBox Kiv2DArcRep::ComputeBoundingBox() const {
  if (IsFullCircle())
    return Kiv2DBoundingBox::FromCorners(centre_.x - radius_, centre_.y - radius_,
                                         centre_.x + radius_, centre_.y + radius_);
  const double lo = std::min(start_, end_);
  const double hi = std::max(start_, end_);
  Kiv2DBoundingBox box;
  box.Extend(PointAt(lo));
  box.Extend(PointAt(hi));
  // Every axis direction that the sweep crosses is an extreme of the arc.
  for (double k = std::ceil(lo / (std::numbers::pi / 2)); k * std::numbers::pi / 2 <= hi; k += 1)
    box.Extend(PointAt(k * std::numbers::pi / 2));
  if (GetGraphicAttributes().fill == 1) box.Extend(centre_);
  return box;
}

void Kiv2DArcRep::AppendDrawItems(std::vector<KivDrawItem>& out, const Kiv3x3Matrix& world,
                                  const KivGraphicAttributes& resolved) const {
  KivDrawItem item = MakeItem(KivDrawItem::Kind::Arc, world, resolved);
  item.anchor = centre_;
  item.radius = radius_;
  const bool full = IsFullCircle();
  item.startAngle = full ? 0.0f : std::min(start_, end_);
  item.endAngle = full ? static_cast<float>(kTwoPi) : std::max(start_, end_);
  const double sweep = item.endAngle - item.startAngle;
  const int segments = std::max(8, static_cast<int>(std::ceil(sweep / (kTwoPi / 64))));
  for (int i = 0; i <= segments; ++i)
    item.outline.push_back(world.Apply(PointAt(item.startAngle + sweep * i / segments)));
  item.closed = full;
  out.push_back(std::move(item));
}
