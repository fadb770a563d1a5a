#include "KivPathElementAgent.h"

KivPathElementAgent::KivPathElementAgent(const KivString& name) : KivDialogAgent(name) {
  SetBehavior(KivAgentPick | KivAgentSingleValue);
}

KivPathElementAgent::~KivPathElementAgent() = default;

bool KivPathElementAgent::IsOfElementType(KivBaseUnknown* object) const {
  if (!object) return false;
  if (elementType_.IsEmpty()) return true;
  return object->SupportsInterface(elementType_.c_str());
}

int KivPathElementAgent::Find(const KivPathElement* path) const {
  for (int i = 1; i <= values_.Size(); ++i) {
    if (KivAsPathElement(values_[i].get())->IsSamePath(path)) return i;
  }
  return 0;
}

KivPathElementAgent::PickResult KivPathElementAgent::OfferPick(KivPathElement* path, bool notify) {
  if (!path || !(GetBehavior() & KivAgentPick) || !IsOfElementType(path->GetLeaf()))
    return PickResult::Refused;
  KivCSO* cso = csoClient_ ? KivCSO::GetCurrent() : nullptr;
  if (IsMulti()) {
    if (const int at = Find(path)) {
      KivPathElement_var held = values_[at];
      values_.RemovePosition(at);
      if (cso) cso->RemoveElement(held);
      if (values_.IsEmpty()) {
        SetUnvalued();
      } else if (notify) {
        SetValued();
      }
      return PickResult::TakenBack;
    }
  }
  // The filter looks at the candidate as the agent's value, so it is put in
  // place first and withdrawn when refused.
  KivListValKivBaseUnknown_var previous = values_;
  const bool wasValued = IsValued();
  if (!IsMulti()) values_.RemoveAll();
  values_.Append(KivBaseUnknown_var(path));
  if (!RunFilter()) {
    values_ = std::move(previous);
    if (!wasValued) SetUnvalued();
    return PickResult::Refused;
  }
  if (cso) cso->AddElement(path);
  if (notify) SetValued();
  return PickResult::Accepted;
}

void KivPathElementAgent::ValueFromOffers() {
  if (!values_.IsEmpty()) SetValued();
}

bool KivPathElementAgent::AcquireFromSelection(KivCSO* cso) {
  if (!cso || cso->IsEmpty()) return false;
  bool taken = false;
  const KivListValKivBaseUnknown_var selected = cso->GetElements();
  for (const auto& element : selected) {
    KivPathElement_var path = element;
    if (path && Find(path) == 0 && OfferPick(path, false) == PickResult::Accepted) taken = true;
  }
  if (taken) ValueFromOffers();
  return taken;
}

KivPathElement* KivPathElementAgent::GetValue() const {
  return KivAsPathElement(values_.Get(values_.Size()).get());
}

KivBaseUnknown* KivPathElementAgent::GetElementValue() const {
  KivPathElement* path = GetValue();
  return path ? path->GetLeaf() : nullptr;
}

void KivPathElementAgent::InitializeAcquisition() {
  values_.RemoveAll();
  KivDialogAgent::InitializeAcquisition();
}
