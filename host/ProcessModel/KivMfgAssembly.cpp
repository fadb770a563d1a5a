#include "KivMfgAssembly.h"

#include <unordered_set>

#include "KivProcessDocument.h"
#include "KivSPPActivity.h"
#include "KivSPPProductLink.h"

KivMfgAssembly::KivMfgAssembly(KivProcessDocument* document, std::string id,
                               const KivUnicodeString& name) {
  document_ = document;
  SetItemIdentity(std::move(id), name);
}

bool KivMfgAssembly::Holds(const KivSPPItemBase* item) const {
  // Assemblies share children, so the walk remembers what it has seen.
  std::unordered_set<const KivMfgAssembly*> seen{this};
  std::vector<const KivMfgAssembly*> pending{this};
  while (!pending.empty()) {
    const KivMfgAssembly* assembly = pending.back();
    pending.pop_back();
    for (auto& child : assembly->children_) {
      if (child.get() == item) return true;
      if (auto* sub = dynamic_cast<const KivMfgAssembly*>(child.get()))
        if (seen.insert(sub).second) pending.push_back(sub);
    }
  }
  return false;
}

void KivMfgAssembly::Detach() {
  children_.clear();
  KivSPPItemBase::Detach();
}

HRESULT KivMfgAssembly::GetChildren(KivListValKivBaseUnknown_var& out) {
  for (auto& child : children_) out.Append(KivBaseUnknown_var(child.get()));
  return S_OK;
}

HRESULT KivMfgAssembly::AddChild(KivBaseUnknown* child) {
  return document_ ? document_->AddAssemblyChild(this, child) : E_FAIL;
}

HRESULT KivMfgAssembly::RemoveChild(KivBaseUnknown* child) {
  return document_ ? document_->RemoveAssemblyChild(this, child) : E_FAIL;
}

HRESULT KivMfgAssembly::GetInverslyLinkedActs(KivListValKivBaseUnknown_var& out) {
  KivListValKivBaseUnknown_var found;
  for (KivSPPActivity* activity : AssignedTo())
    found.Append(KivBaseUnknown_var(static_cast<KivSPPFlowNode*>(activity)));
  for (KivSPPProductLink* link : LinkingLinks())
    if (link->Activity())
      found.Append(KivBaseUnknown_var(static_cast<KivSPPFlowNode*>(link->Activity())));
  found.RemoveDuplicates();
  out.Append(found);
  return S_OK;
}
