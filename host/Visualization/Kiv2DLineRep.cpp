#include "Kiv2DLineRep.h"

Kiv2DLineRep::Kiv2DLineRep(const KivMathPoint2Df& start, const KivMathPoint2Df& end)
    : start_(start), end_(end) {}

Kiv2DLineRep::Kiv2DLineRep(const float start[2], const float end[2])
    : start_(start[0], start[1]), end_(end[0], end[1]) {}

Kiv2DLineRep::~Kiv2DLineRep() = default;

void Kiv2DLineRep::Modify(const KivMathPoint2Df& start, const KivMathPoint2Df& end) {
  start_ = start;
  end_ = end;
  GeometryChanged();
}

Kiv2DBoundingBox Kiv2DLineRep::ComputeBoundingBox() const {
  return Kiv2DBoundingBox::FromCorners(start_.x, start_.y, end_.x, end_.y);
}

void Kiv2DLineRep::AppendDrawItems(std::vector<KivDrawItem>& out, const Kiv3x3Matrix& world,
                                   const KivGraphicAttributes& resolved) const {
  KivDrawItem item = MakeItem(KivDrawItem::Kind::Polyline, world, resolved);
  item.outline = {world.Apply(start_), world.Apply(end_)};
  out.push_back(std::move(item));
}
