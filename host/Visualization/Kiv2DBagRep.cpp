#include "Kiv2DBagRep.h"

#include <algorithm>

Kiv2DBagRep::~Kiv2DBagRep() {
  for (auto& child : children_) child->SetFatherRep(nullptr);
}

HRESULT Kiv2DBagRep::AddChild(const KivVar<Kiv2DRep>& child) {
  return InsertChild(GetChildCount() + 1, child);
}

HRESULT Kiv2DBagRep::InsertChild(int index, const KivVar<Kiv2DRep>& child) {
  if (!child || child->GetFatherRep() || index < 1 || index > GetChildCount() + 1) return E_FAIL;
  for (KivRep* r = this; r; r = r->GetFatherRep())
    if (r == child.get()) return E_FAIL;
  children_.insert(children_.begin() + (index - 1), child);
  child->SetFatherRep(this);
  GeometryChanged();
  return S_OK;
}

KivVar<Kiv2DRep> Kiv2DBagRep::RemoveChild(Kiv2DRep* child) {
  // From the back: a bag is mostly emptied last child first.
  auto found = std::find_if(children_.rbegin(), children_.rend(),
                            [child](const KivVar<Kiv2DRep>& c) { return c.get() == child; });
  if (!child || found == children_.rend()) return {};
  auto it = std::next(found).base();
  KivVar<Kiv2DRep> taken = std::move(*it);
  children_.erase(it);
  taken->SetFatherRep(nullptr);
  GeometryChanged();
  return taken;
}

void Kiv2DBagRep::RemoveAllChildren() {
  std::vector<KivVar<Kiv2DRep>> taken;
  taken.swap(children_);
  for (auto& child : taken) child->SetFatherRep(nullptr);
  GeometryChanged();
  // `taken` releases the references here, after the bag is consistent.
}

Kiv2DRep* Kiv2DBagRep::GetChild(int index) const {
  if (index < 1 || index > GetChildCount()) return nullptr;
  return children_[static_cast<std::size_t>(index - 1)].get();
}

void Kiv2DBagRep::SetMatrix(const Kiv3x3Matrix& matrix) {
  matrix_ = matrix;
  GeometryChanged();
}

void Kiv2DBagRep::ClearMatrix() {
  matrix_.reset();
  GeometryChanged();
}

Kiv3x3Matrix Kiv2DBagRep::GetWorldMatrix() const {
  Kiv3x3Matrix world;
  for (const Kiv2DBagRep* bag = this; bag; bag = bag->GetFather())
    if (bag->matrix_) world = world * *bag->matrix_;
  return world;
}

Kiv2DBoundingBox Kiv2DBagRep::ComputeBoundingBox() const {
  Kiv2DBoundingBox box;
  for (const auto& child : children_)
    if (child->IsShown()) box.Extend(child->GetBoundingElement());
  return matrix_ ? matrix_->Apply(box) : box;
}

void Kiv2DBagRep::CollectDrawItems(std::vector<KivDrawItem>& out, const Kiv3x3Matrix& world,
                                   const KivGraphicAttributes& outer) const {
  if (!IsShown()) return;
  const Kiv3x3Matrix inner = matrix_ ? *matrix_ * world : world;
  const KivGraphicAttributes attributes = GetGraphicAttributes().ResolvedWith(outer);
  const std::size_t first = out.size();
  for (const auto& child : children_) child->CollectDrawItems(out, inner, attributes);
  ApplyFraming(out, first);
}
