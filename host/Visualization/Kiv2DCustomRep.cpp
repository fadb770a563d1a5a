#include "Kiv2DCustomRep.h"

Kiv2DCustomRep::~Kiv2DCustomRep() = default;

Kiv2DPrimitive* Kiv2DCustomRep::AddPrimitive(std::unique_ptr<Kiv2DPrimitive> primitive) {
  if (!primitive) return nullptr;
  primitives_.push_back(std::move(primitive));
  GeometryChanged();
  return primitives_.back().get();
}

Kiv2DPrimitive* Kiv2DCustomRep::GetPrimitive(int index) const {
  if (index < 1 || index > GetPrimitiveCount()) return nullptr;
  return primitives_[static_cast<std::size_t>(index - 1)].get();
}

void Kiv2DCustomRep::RemoveAllPrimitives() {
  primitives_.clear();
  GeometryChanged();
}

void Kiv2DCustomRep::SetBoundingElement(const Kiv2DBoundingBox& box) {
  fixedBox_ = box;
  GeometryChanged();
}

void Kiv2DCustomRep::ResetBoundingElement() {
  fixedBox_.reset();
  GeometryChanged();
}

Kiv2DBoundingBox Kiv2DCustomRep::ComputeBoundingBox() const {
  if (fixedBox_) return *fixedBox_;
  Kiv2DBoundingBox box;
  for (const auto& p : primitives_) box.Extend(p->GetBoundingBox());
  return box;
}

void Kiv2DCustomRep::AppendDrawItems(std::vector<KivDrawItem>& out, const Kiv3x3Matrix& world,
                                     const KivGraphicAttributes& resolved) const {
  for (const auto& p : primitives_) p->AppendDrawItem(out, this, world, resolved);
}
