#include "Kiv2DRep.h"

#include "Kiv2DBagRep.h"

namespace {
unsigned long& Generation() {
  static unsigned long generation = 0;
  return generation;
}
}  // namespace

Kiv2DRep::~Kiv2DRep() = default;

unsigned long Kiv2DRep::SceneGeneration() { return Generation(); }

void Kiv2DRep::TouchScene() { ++Generation(); }

Kiv2DBoundingBox Kiv2DRep::GetBoundingElement() const {
  if (!boxValid_) {
    box_ = ComputeBoundingBox();
    boxValid_ = true;
  }
  return box_;
}

void Kiv2DRep::GeometryChanged() {
  for (KivRep* r = this; r; r = r->GetFatherRep()) {
    auto* rep2d = dynamic_cast<Kiv2DRep*>(r);
    if (!rep2d) break;
    rep2d->boxValid_ = false;
  }
  TouchScene();
}

void Kiv2DRep::OnChanged(bool geometry) {
  // A shown/hidden child changes its bag's extent, not its own.
  if (geometry)
    GeometryChanged();
  else
    TouchScene();
}

void Kiv2DRep::SetGraphicAttributes(const KivGraphicAttributes& attributes) {
  attributes_ = attributes;
  TouchScene();
}
void Kiv2DRep::SetColor(int paletteIndex) {
  attributes_.color = paletteIndex;
  TouchScene();
}
void Kiv2DRep::SetFillColor(int paletteIndex) {
  attributes_.fillColor = paletteIndex;
  TouchScene();
}
void Kiv2DRep::SetLineType(int lineType) {
  attributes_.lineType = lineType;
  TouchScene();
}
void Kiv2DRep::SetThickness(int thickness) {
  attributes_.thickness = thickness;
  TouchScene();
}
void Kiv2DRep::SetFill(bool filled) {
  attributes_.fill = filled ? 1 : 0;
  TouchScene();
}

void Kiv2DRep::SetCountsForFraming(bool counts) {
  countsForFraming_ = counts;
  TouchScene();
}

void Kiv2DRep::ApplyFraming(std::vector<KivDrawItem>& out, std::size_t first) const {
  if (countsForFraming_) return;
  for (std::size_t i = first; i < out.size(); ++i) out[i].framed = false;
}

Kiv2DBagRep* Kiv2DRep::GetFather() const { return dynamic_cast<Kiv2DBagRep*>(GetFatherRep()); }

void Kiv2DRep::Destroy() {
  if (Kiv2DBagRep* bag = GetFather()) {
    bag->RemoveChild(
        this);  // the handle returned goes out of scope: the bag's reference is given up
    return;
  }
  TouchScene();
  Release();
}

void Kiv2DRep::CollectDrawItems(std::vector<KivDrawItem>& out, const Kiv3x3Matrix& world,
                                const KivGraphicAttributes& outer) const {
  if (!IsShown()) return;
  const std::size_t first = out.size();
  AppendDrawItems(out, world, attributes_.ResolvedWith(outer));
  ApplyFraming(out, first);
}

void Kiv2DRep::ExtendSceneBounds(Kiv2DBoundingBox& framed, Kiv2DBoundingBox& all,
                                 const Kiv3x3Matrix& world, const KivGraphicAttributes& outer,
                                 bool counts, std::vector<KivDrawItem>& scratch) const {
  scratch.clear();
  CollectDrawItems(scratch, world, outer);
  for (const auto& item : scratch)
    for (const auto& p : item.outline) {
      all.Extend(p);
      if (counts && item.framed) framed.Extend(p);
    }
}

KivDrawItem Kiv2DRep::MakeItem(KivDrawItem::Kind kind, const Kiv3x3Matrix& world,
                               const KivGraphicAttributes& resolved) const {
  KivDrawItem item;
  item.kind = kind;
  item.source = this;
  item.world = world;
  item.attributes = resolved;
  if (item.attributes.fillColor == kKivInherit) item.attributes.fillColor = resolved.color;
  return item;
}

std::vector<KivMathPoint2Df> Kiv2DRep::WorldCorners(const Kiv2DBoundingBox& box,
                                                    const Kiv3x3Matrix& world) {
  if (box.IsEmpty()) return {};
  return {world.Apply(KivMathPoint2Df{box.xmin, box.ymin}),
          world.Apply(KivMathPoint2Df{box.xmax, box.ymin}),
          world.Apply(KivMathPoint2Df{box.xmax, box.ymax}),
          world.Apply(KivMathPoint2Df{box.xmin, box.ymax})};
}
