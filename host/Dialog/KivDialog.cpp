#include "KivDialog.h"

#include <algorithm>
#include <utility>

#include "KivDelayedDestruction.h"

KivDialog::KivDialog(KivDialog* parent, const KivString& name, KivDlgStyle style)
    : KivCommand(parent, name), parent_(parent), style_(style) {
  // The parent takes over the creation reference.
  if (parent_) parent_->children_.push_back(KivVar<KivDialog>::Adopt(this));
}

KivDialog::~KivDialog() {
  // Children die with their parent; one still held elsewhere must not reach
  // back to it.
  for (auto& child : children_) {
    child->parent_ = nullptr;
    // The parent held the only owning reference; whoever else holds the
    // child keeps it alive, and a later destruction request has nothing to
    // give up.
    child->destructionRequested_ = true;
  }
}

HRESULT KivDialog::SetVisibility(int visibility) {
  if (visibility != KivDlgShow && visibility != KivDlgHide) return E_INVALIDARG;
  visible_ = visibility == KivDlgShow;
  return S_OK;
}

bool KivDialog::IsShownOnScreen() const {
  for (const KivDialog* d = this; d; d = d->parent_)
    if (!d->visible_) return false;
  return true;
}

void KivDialog::SetGridConstraints(int row, int column, int rowSpan, int columnSpan,
                                   int justification) {
  SetGridConstraints(KivDlgGridConstraints{row, column, rowSpan, columnSpan, justification});
}

void KivDialog::SetGridConstraints(const KivDlgGridConstraints& constraints) {
  grid_ = constraints;
  hasGrid_ = true;
}

KivDialog* KivDialog::GetChild(int index) const {
  if (index < 1 || index > GetChildCount()) return nullptr;
  return children_[static_cast<std::size_t>(index - 1)].get();
}

KivDialog* KivDialog::FindChild(const KivString& name) const {
  for (const auto& child : children_)
    if (child->GetName() == name) return child.get();
  for (const auto& child : children_)
    if (KivDialog* found = child->FindChild(name)) return found;
  return nullptr;
}

void KivDialog::RequestDelayedDestruction() {
  if (std::exchange(destructionRequested_, true)) return;
  visible_ = false;
  if (KivDialog* parent = std::exchange(parent_, nullptr)) {
    auto it = std::find_if(parent->children_.begin(), parent->children_.end(),
                           [this](const KivVar<KivDialog>& c) { return c.get() == this; });
    if (it != parent->children_.end()) {
      KivDelayedDestruction::Request(it->Detach());
      parent->children_.erase(it);
      if (GetFather() == parent) SetFather(nullptr);
      return;
    }
  }
  KivCommand::RequestDelayedDestruction();
}
