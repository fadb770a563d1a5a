#include "Kiv2DPrimitive.h"

#include "KivTextMetric.h"

namespace {
KivDrawItem MakePrimitiveItem(KivDrawItem::Kind kind, const Kiv2DRep* source,
                              const Kiv3x3Matrix& world, const KivGraphicAttributes& own,
                              const KivGraphicAttributes& resolved) {
  KivDrawItem item;
  item.kind = kind;
  item.source = source;
  item.world = world;
  item.attributes = own.ResolvedWith(resolved);
  if (item.attributes.fillColor == kKivInherit) item.attributes.fillColor = item.attributes.color;
  return item;
}
}  // namespace

Kiv2DTextPrimitive::Kiv2DTextPrimitive(const KivMathPoint2Df& position,
                                       const KivUnicodeString& text, float height, int color)
    : position_(position), text_(text), height_(height > 0.0f ? height : 0.0f) {
  attributes_.color = color;
}

float Kiv2DTextPrimitive::GetWidth() const { return KivTextMetric::Width(text_, height_); }

Kiv2DBoundingBox Kiv2DTextPrimitive::GetBoundingBox() const {
  return KivTextMetric::Box(text_, height_, position_);
}

void Kiv2DTextPrimitive::AppendDrawItem(std::vector<KivDrawItem>& out, const Kiv2DRep* source,
                                        const Kiv3x3Matrix& world,
                                        const KivGraphicAttributes& resolved) const {
  if (text_.IsEmpty() || height_ <= 0.0f) return;
  KivDrawItem item =
      MakePrimitiveItem(KivDrawItem::Kind::Text, source, world, attributes_, resolved);
  item.anchor = position_;
  item.text = text_;
  item.size = height_;
  const Kiv2DBoundingBox box = GetBoundingBox();
  item.outline = {world.Apply(KivMathPoint2Df{box.xmin, box.ymin}),
                  world.Apply(KivMathPoint2Df{box.xmax, box.ymin}),
                  world.Apply(KivMathPoint2Df{box.xmax, box.ymax}),
                  world.Apply(KivMathPoint2Df{box.xmin, box.ymax})};
  out.push_back(std::move(item));
}

Kiv2DPolylinePrimitive::Kiv2DPolylinePrimitive(std::vector<KivMathPoint2Df> points, bool closed,
                                               int color, int thickness, int lineType)
    : points_(std::move(points)), closed_(closed) {
  attributes_.color = color;
  attributes_.thickness = thickness;
  attributes_.lineType = lineType;
}

Kiv2DBoundingBox Kiv2DPolylinePrimitive::GetBoundingBox() const {
  Kiv2DBoundingBox box;
  for (const auto& p : points_) box.Extend(p);
  return box;
}

void Kiv2DPolylinePrimitive::AppendDrawItem(std::vector<KivDrawItem>& out, const Kiv2DRep* source,
                                            const Kiv3x3Matrix& world,
                                            const KivGraphicAttributes& resolved) const {
  if (points_.size() < 2) return;
  KivDrawItem item =
      MakePrimitiveItem(KivDrawItem::Kind::Polyline, source, world, attributes_, resolved);
  for (const auto& p : points_) item.outline.push_back(world.Apply(p));
  item.closed = closed_;
  out.push_back(std::move(item));
}
