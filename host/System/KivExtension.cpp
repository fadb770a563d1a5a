#include "KivExtension.h"

#include <algorithm>

namespace {
std::vector<KivExtensionBinding>& Bindings() {
  static std::vector<KivExtensionBinding> bindings;
  return bindings;
}
}  // namespace

void KivExtension::BindToComponent(KivBaseUnknown* component, KivExtensionKind kind) {
  component_ = component;
  kind_ = kind;
  // A code extension keeps its component alive; a data extension is owned by it.
  if (kind_ == KivExtensionKind::Code && component_) component_->AddRef();
}

KivExtension::~KivExtension() {
  if (kind_ == KivExtensionKind::Code && component_) component_->Release();
  component_ = nullptr;
}

void* KivExtension::FindOwnInterface(const IID&) { return nullptr; }

HRESULT KivExtension::QueryInterface(const IID& iid, void** out) {
  if (!out) return E_INVALIDARG;
  *out = nullptr;
  if (void* own = FindOwnInterface(iid)) {
    AddRef();
    *out = own;
    return S_OK;
  }
  return component_ ? component_->QueryInterface(iid, out) : E_NOINTERFACE;
}

ULONG KivExtension::AddRef() {
  if (kind_ == KivExtensionKind::Data) return component_ ? component_->AddRef() : 0;
  return KivBaseUnknown::AddRef();
}

ULONG KivExtension::Release() {
  if (kind_ == KivExtensionKind::Data) return component_ ? component_->Release() : 0;
  return KivBaseUnknown::Release();
}

void KivExtensionRegistry::Add(const KivExtensionBinding& binding) {
  Bindings().push_back(binding);
}

void KivExtensionRegistry::Remove(const std::string& lateType, const IID& iid,
                                  KivExtensionFactory create) {
  auto& all = Bindings();
  all.erase(std::remove_if(all.begin(), all.end(),
                           [&](const KivExtensionBinding& b) {
                             return b.lateType == lateType && b.iid == iid && b.create == create;
                           }),
            all.end());
}

const KivExtensionBinding* KivExtensionRegistry::Find(const KivBaseUnknown& component,
                                                      const IID& iid) {
  const auto& all = Bindings();
  auto byType = [&](std::string_view type) -> const KivExtensionBinding* {
    for (const auto& b : all)
      if (b.iid == iid && b.lateType == type) return &b;
    return nullptr;
  };
  if (all.empty()) return nullptr;
  if (const auto* b = byType(component.GetLateType())) return b;
  for (const KivMetaObject* m = component.GetMetaObject(); m; m = m->Base())
    if (const auto* b = byType(m->ClassName())) return b;
  return nullptr;
}

std::vector<KivExtensionBinding> KivExtensionRegistry::All() { return Bindings(); }

KivExtensionRegistrar::KivExtensionRegistrar(const char* lateType, const IID& iid,
                                             const char* className, KivExtensionKind kind,
                                             KivExtensionFactory create)
    : lateType_(lateType), iid_(iid), create_(create) {
  KivExtensionRegistry::Add({lateType, iid, className, kind, create});
}

KivExtensionRegistrar::~KivExtensionRegistrar() {
  KivExtensionRegistry::Remove(lateType_, iid_, create_);
}
