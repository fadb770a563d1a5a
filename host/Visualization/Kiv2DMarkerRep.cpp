#include "Kiv2DMarkerRep.h"

#include <cmath>

Kiv2DMarkerRep::Kiv2DMarkerRep(const KivMathPoint2Df& centre, int symbol, float size)
    : centre_(centre), symbol_(symbol), size_(size > 0.0f ? size : kDefaultSize) {}

Kiv2DMarkerRep::~Kiv2DMarkerRep() = default;

void Kiv2DMarkerRep::Modify(const KivMathPoint2Df& centre) {
  centre_ = centre;
  GeometryChanged();
}

Kiv2DBoundingBox Kiv2DMarkerRep::ComputeBoundingBox() const {
  const float h = size_ / 2.0f;
  return Kiv2DBoundingBox::FromCorners(centre_.x - h, centre_.y - h, centre_.x + h, centre_.y + h);
}

void Kiv2DMarkerRep::AppendDrawItems(std::vector<KivDrawItem>& out, const Kiv3x3Matrix& world,
                                     const KivGraphicAttributes& resolved) const {
  KivDrawItem item = MakeItem(KivDrawItem::Kind::Marker, world, resolved);
  item.anchor = centre_;
  item.symbol = symbol_ >= 1 && symbol_ <= 6 ? symbol_ : 1;
  item.size = size_;
  item.outline = WorldCorners(ComputeBoundingBox(), world);
  out.push_back(std::move(item));
}
