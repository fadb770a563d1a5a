#include "KivPathElement.h"

KivPathElement::KivPathElement(KivBaseUnknown* leaf) { AddChildElement(leaf); }

KivPathElement::KivPathElement(const KivListValKivBaseUnknown_var& rootToLeaf) {
  for (const auto& object : rootToLeaf) AddChildElement(object.get());
}

KivPathElement::~KivPathElement() = default;

void KivPathElement::AddChildElement(KivBaseUnknown* object) {
  if (object) objects_.Append(KivBaseUnknown_var(object));
}

KivBaseUnknown* KivPathElement::SearchObject(const char* interfaceName) const {
  for (int i = GetSize(); i >= 1; --i) {
    if (objects_[i]->SupportsInterface(interfaceName)) return objects_[i].get();
  }
  return nullptr;
}

bool KivPathElement::IsSamePath(const KivPathElement* other) const {
  if (!other || other->GetSize() != GetSize()) return false;
  for (int i = 1; i <= GetSize(); ++i) {
    if (KivIdentity(objects_[i].get()) != KivIdentity(other->objects_[i].get())) return false;
  }
  return true;
}
