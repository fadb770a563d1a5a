// The product, resource and assembly part of the process document.
#include <unordered_set>

#include "KivMfgAssembly.h"
#include "KivProcessDocument.h"
#include "KivProduct.h"
#include "KivSPPActivity.h"
#include "KivSPPProductLink.h"

namespace {
// Notifications gathered while the model changes and sent once it is
// consistent again, so that listeners never see a half-done change.
struct PendingNotice {
  KivBaseUnknown_var father;
  KivBaseUnknown_var son;
  int kind;
};
}  // namespace

KivVar<KivProduct> KivProcessDocument::NewProduct(KivProduct* father, const KivUnicodeString& name,
                                                  bool resource,
                                                  const KivUnicodeString& resourceType,
                                                  const std::string& id) {
  const std::string productId = TakeId(id, resource ? "R" : "P");
  if (productId.empty()) return NULL_var;
  auto product = KivMake<KivProduct>(this, father, productId, name, resource, resourceType);
  RegisterId(productId, static_cast<KivSPPItemBase*>(product.get()));
  if (father)
    father->Children().push_back(product);
  else
    (resource ? resourceRoots_ : productRoots_).push_back(product);
  return product;
}

KivIProduct_var KivProcessDocument::CreateProduct(KivBaseUnknown* father,
                                                  const KivUnicodeString& name,
                                                  const std::string& id) {
  if (!AdmitChange()) return NULL_var;
  KivProduct* fatherImpl = father ? ProductOf(father) : nullptr;
  if (father && (!fatherImpl || fatherImpl->IsResource())) return NULL_var;
  return KivIProduct_var(NewProduct(fatherImpl, name, false, {}, id));
}

KivIProduct_var KivProcessDocument::CreateResource(KivBaseUnknown* father,
                                                   const KivUnicodeString& name,
                                                   const KivUnicodeString& resourceType,
                                                   const std::string& id) {
  if (!AdmitChange()) return NULL_var;
  KivProduct* fatherImpl = father ? ProductOf(father) : nullptr;
  if (father && (!fatherImpl || !fatherImpl->IsResource())) return NULL_var;
  return KivIProduct_var(NewProduct(fatherImpl, name, true, resourceType, id));
}

HRESULT KivProcessDocument::ReparentProduct(KivBaseUnknown* product, KivBaseUnknown* newFather) {
  if (!AdmitChange()) return E_FAIL;
  KivProduct* moved = ProductOf(product);
  KivProduct* father = ProductOf(newFather);
  if (!moved || !father || moved->IsResource() != father->IsResource()) return E_FAIL;
  // The new father must not lie in the moved subtree (itself included).
  if (father->IsWithin(moved)) return E_FAIL;
  if (moved->Father() == father) return S_FALSE;
  auto& oldPlace = moved->Father() ? moved->Father()->Children()
                                   : (moved->IsResource() ? resourceRoots_ : productRoots_);
  KivVar<KivProduct> keep = KivTakeHandle(oldPlace, moved);
  father->Children().push_back(keep);
  moved->SetFather(father);
  return S_OK;
}

HRESULT KivProcessDocument::DeleteProduct(KivBaseUnknown* product) {
  if (!AdmitChange()) return E_FAIL;
  KivProduct* doomed = ProductOf(product);
  if (!doomed) return E_FAIL;
  std::vector<KivProduct*> subtree{doomed};
  for (std::size_t i = 0; i < subtree.size(); ++i)
    for (auto& child : subtree[i]->Children()) subtree.push_back(child.get());

  std::vector<PendingNotice> notices;
  std::vector<KivMfgAssembly*> changedAssemblies;
  for (KivProduct* item : subtree) {
    KivBaseUnknown* itemObject = static_cast<KivSPPItemBase*>(item);
    for (KivSPPProductLink* link : std::vector<KivSPPProductLink*>(item->LinkingLinks())) {
      KivVar<KivSPPProductLink> keep(link);
      KivBaseUnknown_var activity(static_cast<KivSPPFlowNode*>(link->Activity()));
      DropLink(link);
      notices.push_back({activity, KivBaseUnknown_var(link), SPPProductLinkChanged});
    }
    for (KivSPPActivity* activity : item->AssignedTo()) {
      if (item->IsResource())
        KivTakeHandle(activity->Resources(), item);
      else
        KivTakeHandle(activity->Items(), static_cast<KivSPPItemBase*>(item));
      notices.push_back({KivBaseUnknown_var(static_cast<KivSPPFlowNode*>(activity)),
                         KivBaseUnknown_var(itemObject),
                         item->IsResource() ? SPPResourceUnassigned : SPPItemUnassigned});
    }
    for (KivMfgAssembly* assembly : item->HoldingAssemblies()) {
      KivTakeHandle(assembly->Children(), static_cast<KivSPPItemBase*>(item));
      changedAssemblies.push_back(assembly);
    }
    UnregisterId(item->Id());
  }
  auto& place = doomed->Father() ? doomed->Father()->Children()
                                 : (doomed->IsResource() ? resourceRoots_ : productRoots_);
  KivVar<KivProduct> keep = KivTakeHandle(place, doomed);
  doomed->Detach();

  for (auto& notice : notices) NotifyActivity(notice.father, notice.son, notice.kind);
  std::unordered_set<KivMfgAssembly*> announced;
  for (KivMfgAssembly* assembly : changedAssemblies)
    if (announced.insert(assembly).second && assembly->IsAttached())
      NotifyAssembly(assembly, "MAModified");
  return S_OK;
}

HRESULT KivProcessDocument::SetShow(KivBaseUnknown* product, KivShowAttribut show) {
  if (!AdmitChange()) return E_FAIL;
  KivProduct* impl = ProductOf(product);
  if (!impl) return E_FAIL;
  impl->ChangeShow(show);
  return S_OK;
}

KivShowAttribut KivProcessDocument::GetShow(KivBaseUnknown* product) const {
  KivProduct* impl = ProductOf(product);
  return impl ? impl->Show() : KivShow;
}

KivUnicodeString KivProcessDocument::ShowStateOf(KivSPPItemBase* item) const {
  static const KivUnicodeString kShow("SHOW"), kHidden("HIDDEN"), kPartial("PARTIAL");
  KivListValKivBaseUnknown_var parts;
  if (auto* product = dynamic_cast<KivProduct*>(item)) {
    if (product->Show() == KivNoShow) return kHidden;
    for (auto& child : product->Children())
      parts.Append(KivBaseUnknown_var(static_cast<KivSPPItemBase*>(child.get())));
  } else if (auto* assembly = dynamic_cast<KivMfgAssembly*>(item)) {
    assembly->GetChildren(parts);
  }
  if (parts.IsEmpty()) return kShow;
  bool anyShown = false, anyHidden = false;
  for (auto& part : parts) {
    const KivUnicodeString state = ShowStateOf(ItemOf(part.get()));
    if (state == kPartial) return kPartial;
    (state == kHidden ? anyHidden : anyShown) = true;
  }
  if (anyShown && anyHidden) return kPartial;
  return anyHidden ? kHidden : kShow;
}

KivUnicodeString KivProcessDocument::ShowState(KivBaseUnknown* item) const {
  KivSPPItemBase* impl = ItemOf(item);
  return impl ? ShowStateOf(impl) : KivUnicodeString();
}

// ---- assemblies -------------------------------------------------------------------

MoxIMfgAssembly_var KivProcessDocument::CreateAssembly(const KivUnicodeString& name,
                                                       const std::string& id) {
  if (!AdmitChange()) return NULL_var;
  const std::string assemblyId = TakeId(id, "M");
  if (assemblyId.empty()) return NULL_var;
  auto assembly = KivMake<KivMfgAssembly>(this, assemblyId, name);
  RegisterId(assemblyId, static_cast<KivSPPItemBase*>(assembly.get()));
  assemblies_.push_back(assembly);
  NotifyAssembly(static_cast<KivSPPItemBase*>(assembly.get()), "MACreated");
  return MoxIMfgAssembly_var(assembly);
}

HRESULT KivProcessDocument::AddAssemblyChild(KivBaseUnknown* assembly, KivBaseUnknown* child) {
  if (!AdmitChange()) return E_FAIL;
  KivMfgAssembly* holder = AssemblyOf(assembly);
  KivSPPItemBase* item = ItemOf(child);
  KivProduct* product = ProductOf(child);
  if (!holder || !item || item == holder || (product && product->IsResource())) return E_FAIL;
  // An assembly that (directly or not) holds the new holder would become its
  // own ancestor.
  if (auto* sub = dynamic_cast<KivMfgAssembly*>(item); sub && sub->Holds(holder)) return E_FAIL;
  for (auto& existing : holder->Children())
    if (existing.get() == item) return S_FALSE;
  holder->Children().emplace_back(item);
  item->HoldingAssemblies().push_back(holder);
  NotifyAssembly(static_cast<KivSPPItemBase*>(holder), "MAModified");
  return S_OK;
}

HRESULT KivProcessDocument::RemoveAssemblyChild(KivBaseUnknown* assembly, KivBaseUnknown* child) {
  if (!AdmitChange()) return E_FAIL;
  KivMfgAssembly* holder = AssemblyOf(assembly);
  KivSPPItemBase* item = ItemOf(child);
  if (!holder || !item) return E_FAIL;
  KivVar<KivSPPItemBase> keep = KivTakeHandle(holder->Children(), item);
  if (!keep) return S_FALSE;
  KivEraseFirst(item->HoldingAssemblies(), holder);
  NotifyAssembly(static_cast<KivSPPItemBase*>(holder), "MAModified");
  return S_OK;
}

HRESULT KivProcessDocument::DeleteAssembly(KivBaseUnknown* assembly) {
  if (!AdmitChange()) return E_FAIL;
  KivMfgAssembly* doomed = AssemblyOf(assembly);
  if (!doomed) return E_FAIL;
  KivVar<KivMfgAssembly> keep(doomed);
  KivBaseUnknown* object = static_cast<KivSPPItemBase*>(doomed);
  // Listeners clean up what refers to the assembly while it still exists.
  NotifyAssembly(object, "MADeleting");
  if (!doomed->IsAttached()) return S_OK;  // a listener deleted it already

  std::vector<PendingNotice> notices;
  for (KivSPPProductLink* link : std::vector<KivSPPProductLink*>(doomed->LinkingLinks())) {
    KivVar<KivSPPProductLink> keepLink(link);
    KivBaseUnknown_var activity(static_cast<KivSPPFlowNode*>(link->Activity()));
    DropLink(link);
    notices.push_back({activity, KivBaseUnknown_var(link), SPPProductLinkChanged});
  }
  for (KivSPPActivity* activity : doomed->AssignedTo()) {
    KivTakeHandle(activity->Items(), static_cast<KivSPPItemBase*>(doomed));
    notices.push_back({KivBaseUnknown_var(static_cast<KivSPPFlowNode*>(activity)),
                       KivBaseUnknown_var(object), SPPItemUnassigned});
  }
  std::vector<KivMfgAssembly*> holders = doomed->HoldingAssemblies();
  for (KivMfgAssembly* holder : holders)
    KivTakeHandle(holder->Children(), static_cast<KivSPPItemBase*>(doomed));
  for (auto& child : doomed->Children()) KivEraseFirst(child->HoldingAssemblies(), doomed);
  KivTakeHandle(assemblies_, doomed);
  UnregisterId(doomed->Id());
  doomed->Detach();

  for (auto& notice : notices) NotifyActivity(notice.father, notice.son, notice.kind);
  for (KivMfgAssembly* holder : holders)
    NotifyAssembly(static_cast<KivSPPItemBase*>(holder), "MAModified");
  return S_OK;
}
