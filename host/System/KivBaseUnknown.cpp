#include "KivBaseUnknown.h"

#include <limits>

#include "KivDelayedDestruction.h"
#include "KivExtension.h"
#include "KivExtensionStore.h"
#include "KivInterfaceRegistry.h"

KIV_REGISTER_INTERFACE_NAME(KivBaseUnknown);

namespace {
long gLiveInstances = 0;
// While an object is destroyed its count sits here, so that references taken
// and dropped by its destructor never destroy it a second time.
constexpr ULONG kDestroying = std::numeric_limits<ULONG>::max() / 2;
}  // namespace

const KivMetaObject& KivBaseUnknown::MetaObject() {
  static const KivMetaObject meta("KivBaseUnknown", "", "System", nullptr);
  return meta;
}

KivBaseUnknown::KivBaseUnknown() { ++gLiveInstances; }

KivBaseUnknown::~KivBaseUnknown() {
  if (extensions_) {
    for (KivBaseUnknown* ext : extensions_->TakeAll()) delete ext;
    extensions_.reset();
  }
  --gLiveInstances;
}

long KivBaseUnknown::LiveInstances() { return gLiveInstances; }

ULONG KivBaseUnknown::AddRef() { return ++refs_; }

ULONG KivBaseUnknown::Release() {
  const ULONG left = --refs_;
  if (left == 0) {
    refs_ = kDestroying;
    delete this;
  }
  return left;
}

void* KivBaseUnknown::FindOwnInterface(const IID& iid) {
  return iid == IID_KivBaseUnknown ? this : nullptr;
}

HRESULT KivBaseUnknown::QueryInterface(const IID& iid, void** out) {
  if (!out) return E_INVALIDARG;
  *out = nullptr;
  if (void* own = FindOwnInterface(iid)) {
    AddRef();
    *out = own;
    return S_OK;
  }
  return QueryExtension(iid, out);
}

HRESULT KivBaseUnknown::QueryInterface(const char* interfaceName, void** out) {
  if (!interfaceName) {
    if (out) *out = nullptr;
    return E_INVALIDARG;
  }
  return QueryInterface(KivInterfaceRegistry::Lookup(interfaceName), out);
}

bool KivBaseUnknown::SupportsInterface(const IID& iid) {
  return FindOwnInterface(iid) != nullptr || KivExtensionRegistry::Find(*this, iid) != nullptr;
}

bool KivBaseUnknown::SupportsInterface(const char* interfaceName) {
  return interfaceName && SupportsInterface(KivInterfaceRegistry::Lookup(interfaceName));
}

HRESULT KivBaseUnknown::QueryExtension(const IID& iid, void** out) {
  const KivExtensionBinding* binding = KivExtensionRegistry::Find(*this, iid);
  if (!binding) return E_NOINTERFACE;
  if (binding->kind == KivExtensionKind::Data) {
    if (!extensions_) extensions_ = std::make_unique<KivExtensionStore>();
    KivBaseUnknown* ext = extensions_->Find(binding->create);
    if (!ext) {
      ext = binding->create(this);
      if (!ext) return E_FAIL;
      extensions_->Add(binding->create, ext);
    }
    void* p = ext->FindOwnInterface(iid);
    if (!p) return E_NOINTERFACE;
    ext->AddRef();  // forwarded to this component
    *out = p;
    return S_OK;
  }
  // A code extension is made for this query and hands its creation reference
  // to the caller.
  KivBaseUnknown* ext = binding->create(this);
  if (!ext) return E_FAIL;
  void* p = ext->FindOwnInterface(iid);
  if (!p) {
    ext->Release();
    return E_NOINTERFACE;
  }
  *out = p;
  return S_OK;
}

void KivBaseUnknown::RequestDelayedDestruction() { KivDelayedDestruction::Request(this); }
