#include "Kiv2DBagRep.h"

Kiv2DBagRep::~Kiv2DBagRep() {
  for (auto& child : children_)
    if (child) child->SetFatherRep(nullptr);
}

void Kiv2DBagRep::Compact() const {
  if (holes_ == 0) return;
  std::erase_if(children_, [](const KivVar<Kiv2DRep>& c) { return !c; });
  for (std::size_t i = 0; i < children_.size(); ++i) children_[i]->slotInBag_ = i;
  holes_ = 0;
}

HRESULT Kiv2DBagRep::AddChild(const KivVar<Kiv2DRep>& child) {
  return InsertChild(GetChildCount() + 1, child);
}

HRESULT Kiv2DBagRep::InsertChild(int index, const KivVar<Kiv2DRep>& child) {
  if (!child || child->GetFatherRep() || index < 1 || index > GetChildCount() + 1) return E_FAIL;
  for (KivRep* r = this; r; r = r->GetFatherRep())
    if (r == child.get()) return E_FAIL;
  const auto slot = static_cast<std::size_t>(index - 1);
  if (slot == static_cast<std::size_t>(GetChildCount())) {
    // At the end: holes may stay where they are.
    child->slotInBag_ = children_.size();
    children_.push_back(child);
  } else {
    Compact();
    children_.insert(children_.begin() + static_cast<std::ptrdiff_t>(slot), child);
    for (std::size_t i = slot; i < children_.size(); ++i) children_[i]->slotInBag_ = i;
  }
  child->SetFatherRep(this);
  GeometryChanged();
  return S_OK;
}

KivVar<Kiv2DRep> Kiv2DBagRep::RemoveChild(Kiv2DRep* child) {
  if (!child || child->GetFatherRep() != this || child->slotInBag_ >= children_.size() ||
      children_[child->slotInBag_].get() != child)
    return {};
  KivVar<Kiv2DRep> taken = std::move(children_[child->slotInBag_]);
  if (child->slotInBag_ + 1 == children_.size())
    children_.pop_back();  // the last child leaves no hole
  else
    ++holes_;
  taken->SetFatherRep(nullptr);
  GeometryChanged();
  return taken;
}

void Kiv2DBagRep::RemoveAllChildren() {
  std::vector<KivVar<Kiv2DRep>> taken;
  taken.swap(children_);
  holes_ = 0;
  for (auto& child : taken)
    if (child) child->SetFatherRep(nullptr);
  GeometryChanged();
  // `taken` releases the references here, after the bag is consistent.
}

Kiv2DRep* Kiv2DBagRep::GetChild(int index) const {
  if (index < 1 || index > GetChildCount()) return nullptr;
  Compact();
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
    if (child && child->IsShown()) box.Extend(child->GetBoundingElement());
  return matrix_ ? matrix_->Apply(box) : box;
}

void Kiv2DBagRep::CollectDrawItems(std::vector<KivDrawItem>& out, const Kiv3x3Matrix& world,
                                   const KivGraphicAttributes& outer) const {
  if (!IsShown()) return;
  const Kiv3x3Matrix inner = matrix_ ? *matrix_ * world : world;
  const KivGraphicAttributes attributes = GetGraphicAttributes().ResolvedWith(outer);
  const std::size_t first = out.size();
  for (const auto& child : children_)
    if (child) child->CollectDrawItems(out, inner, attributes);
  ApplyFraming(out, first);
}

void Kiv2DBagRep::ExtendSceneBounds(Kiv2DBoundingBox& framed, Kiv2DBoundingBox& all,
                                    const Kiv3x3Matrix& world, const KivGraphicAttributes& outer,
                                    bool counts, std::vector<KivDrawItem>& scratch) const {
  if (!IsShown()) return;
  const Kiv3x3Matrix inner = matrix_ ? *matrix_ * world : world;
  const KivGraphicAttributes attributes = GetGraphicAttributes().ResolvedWith(outer);
  for (const auto& child : children_)
    if (child)
      child->ExtendSceneBounds(framed, all, inner, attributes, counts && CountsForFraming(),
                               scratch);
}
