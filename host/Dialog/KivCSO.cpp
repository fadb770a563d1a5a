#include "KivCSO.h"

#include "KivCSOChangeNotification.h"

namespace {
KivCSO*& Current() {
  static KivCSO* current = nullptr;
  return current;
}
}  // namespace

KivCSO::~KivCSO() {
  if (Current() == this) Current() = nullptr;
}

KivCSO* KivCSO::GetCurrent() { return Current(); }
void KivCSO::SetCurrent(KivCSO* cso) { Current() = cso; }

int KivCSO::Find(const KivPathElement* path) const {
  if (!path) return 0;
  for (int i = 1; i <= elements_.Size(); ++i) {
    auto* held = KivAsPathElement(elements_[i].get());
    if (held == path || held->IsSamePath(path)) return i;
  }
  return 0;
}

KivPathElement* KivCSO::GetElement(int index) const {
  return KivAsPathElement(elements_.Get(index).get());
}

bool KivCSO::ContainsObject(KivBaseUnknown* object) const {
  if (!object) return false;
  for (const auto& held : elements_) {
    if (KivIdentity(KivAsPathElement(held.get())->GetLeaf()) == KivIdentity(object)) return true;
  }
  return false;
}

bool KivCSO::AddElement(KivPathElement* path) {
  KivListValKivBaseUnknown_var one;
  if (path) one.Append(KivBaseUnknown_var(path));
  return AddElements(one);
}

bool KivCSO::AddElements(const KivListValKivBaseUnknown_var& paths) {
  KivListValKivBaseUnknown_var added;
  for (const auto& candidate : paths) {
    KivPathElement_var path = candidate;
    if (!path || path->GetSize() == 0 || Find(path)) continue;
    elements_.Append(KivBaseUnknown_var(path.get()));
    added.Append(KivBaseUnknown_var(path.get()));
  }
  if (added.IsEmpty()) return false;
  Notify(std::move(added), {});
  return true;
}

bool KivCSO::RemoveElement(KivPathElement* path) {
  const int at = Find(path);
  if (!at) return false;
  KivListValKivBaseUnknown_var removed;
  removed.Append(elements_[at]);
  elements_.RemovePosition(at);
  Notify({}, std::move(removed));
  return true;
}

bool KivCSO::RemoveElementsOf(KivBaseUnknown* object) {
  if (!object) return false;
  KivListValKivBaseUnknown_var removed, kept;
  for (const auto& held : elements_) {
    const bool match = KivIdentity(KivAsPathElement(held.get())->GetLeaf()) == KivIdentity(object);
    (match ? removed : kept).Append(held);
  }
  if (removed.IsEmpty()) return false;
  elements_ = std::move(kept);
  Notify({}, std::move(removed));
  return true;
}

bool KivCSO::Empty() {
  if (elements_.IsEmpty()) return false;
  KivListValKivBaseUnknown_var removed = std::move(elements_);
  elements_.RemoveAll();
  Notify({}, std::move(removed));
  return true;
}

void KivCSO::Notify(KivListValKivBaseUnknown_var added, KivListValKivBaseUnknown_var removed) {
  auto change = KivMake<KivCSOChangeNotification>(std::move(added), std::move(removed));
  Dispatch(change);
}
