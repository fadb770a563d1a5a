#include "KivHitTest.h"

#include <algorithm>
#include <cmath>

namespace {
float SegmentDistance(const KivMathPoint2Df& p, const KivMathPoint2Df& a,
                      const KivMathPoint2Df& b) {
  const KivMathVector2Df ab = b - a;
  const float len2 = ab.Dot(ab);
  float t = len2 > 0.0f ? (p - a).Dot(ab) / len2 : 0.0f;
  t = std::clamp(t, 0.0f, 1.0f);
  return p.DistanceTo(a + ab * t);
}

bool NearOutline(const std::vector<KivMathPoint2Df>& pts, bool closed, const KivMathPoint2Df& p,
                 float tolerance) {
  if (pts.size() == 1) return p.DistanceTo(pts[0]) <= tolerance;
  for (std::size_t i = 0; i + 1 < pts.size(); ++i)
    if (SegmentDistance(p, pts[i], pts[i + 1]) <= tolerance) return true;
  return closed && pts.size() > 2 && SegmentDistance(p, pts.back(), pts.front()) <= tolerance;
}

// Even-odd rule.
bool Inside(const std::vector<KivMathPoint2Df>& pts, const KivMathPoint2Df& p) {
  bool inside = false;
  for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
    const KivMathPoint2Df& a = pts[i];
    const KivMathPoint2Df& b = pts[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
      inside = !inside;
  }
  return inside;
}
}  // namespace

bool KivHitTest(const KivDrawItem& item, const KivMathPoint2Df& point, float tolerance) {
  const auto& pts = item.outline;
  if (pts.empty()) return false;
  switch (item.kind) {
    case KivDrawItem::Kind::Polyline:
      return NearOutline(pts, item.closed, point, tolerance);
    case KivDrawItem::Kind::Polygon:
      return (pts.size() > 2 && Inside(pts, point)) || NearOutline(pts, true, point, tolerance);
    case KivDrawItem::Kind::Arc: {
      if (item.attributes.fill == 1) {
        std::vector<KivMathPoint2Df> sector = pts;
        if (!item.closed) sector.push_back(item.world.Apply(item.anchor));
        if (Inside(sector, point)) return true;
      }
      return NearOutline(pts, item.closed, point, tolerance);
    }
    case KivDrawItem::Kind::Marker:
      return Inside(pts, point) || NearOutline(pts, true, point, tolerance);
    case KivDrawItem::Kind::Text:
    case KivDrawItem::Kind::Image:
      return Inside(pts, point);
  }
  return false;
}
