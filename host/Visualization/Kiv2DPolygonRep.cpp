#include "Kiv2DPolygonRep.h"

Kiv2DPolygonRep::Kiv2DPolygonRep(std::vector<KivMathPoint2Df> points)
    : points_(std::move(points)) {}

Kiv2DPolygonRep::Kiv2DPolygonRep(const float* coordinates, int count) {
  if (!coordinates) return;
  for (int i = 0; i < count; ++i) points_.emplace_back(coordinates[2 * i], coordinates[2 * i + 1]);
}

Kiv2DPolygonRep::~Kiv2DPolygonRep() = default;

void Kiv2DPolygonRep::Modify(std::vector<KivMathPoint2Df> points) {
  points_ = std::move(points);
  GeometryChanged();
}

Kiv2DBoundingBox Kiv2DPolygonRep::ComputeBoundingBox() const {
  Kiv2DBoundingBox box;
  for (const auto& p : points_) box.Extend(p);
  return box;
}

void Kiv2DPolygonRep::AppendDrawItems(std::vector<KivDrawItem>& out, const Kiv3x3Matrix& world,
                                      const KivGraphicAttributes& resolved) const {
  if (points_.empty()) return;
  KivDrawItem item = MakeItem(KivDrawItem::Kind::Polygon, world, resolved);
  for (const auto& p : points_) item.outline.push_back(world.Apply(p));
  item.closed = true;
  out.push_back(std::move(item));
}
