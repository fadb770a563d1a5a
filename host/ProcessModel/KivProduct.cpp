#include "KivProduct.h"

#include "KivPrdMultiImportNotif.h"
#include "KivProcessDocument.h"
#include "KivShowNotif.h"

KivProduct::KivProduct(KivProcessDocument* document, KivProduct* father, std::string id,
                       const KivUnicodeString& name, bool resource,
                       const KivUnicodeString& resourceType)
    : father_(father), resource_(resource), resourceType_(resourceType) {
  // KivExtend's inherited constructor cannot reach the protected base one
  // through a virtual base, so the item part is filled here.
  document_ = document;
  SetItemIdentity(std::move(id), name);
  if (!father) alias_ = name;
}

void* KivProduct::FindOwnInterface(const IID& iid) {
  if (iid == IID_KivIResource && !resource_) return nullptr;
  return KivExtend::FindOwnInterface(iid);
}

bool KivProduct::IsWithin(const KivProduct* ancestor) const {
  for (const KivProduct* p = this; p; p = p->father_)
    if (p == ancestor) return true;
  return false;
}

void KivProduct::Detach() {
  auto children = std::move(children_);
  for (auto& child : children) child->Detach();
  father_ = nullptr;
  KivSPPItemBase::Detach();
}

bool KivProduct::ChangeShow(KivShowAttribut show) {
  if (show_ == show) return false;
  show_ = show;
  // Announced on the product and on every father, nearest first, so that a
  // listener on a tree root hears every product of its tree.
  for (KivProduct* p = this; p; p = p->father_) {
    if (!p->publisher_ || p->publisher_->CallbackCount() == 0) continue;
    auto notification = KivMake<KivShowNotif>(static_cast<KivSPPItemBase*>(this), show);
    p->publisher_->Dispatch(notification.get());
  }
  return true;
}

KivBaseUnknown_var KivProduct::GetOwner() {
  return KivBaseUnknown_var(static_cast<KivSPPItemBase*>(father_));
}

KivIProduct_var KivProduct::FatherProduct() { return KivIProduct_var(father_); }

KivSPPList KivProduct::ChildProducts(const KivString&) {
  auto list = std::make_unique<KivListValKivBaseUnknown_var>();
  list->Reserve(static_cast<int>(children_.size()));
  for (auto& child : children_) list->Append(KivBaseUnknown_var(child.get()));
  return list;
}

KivIProduct_var KivProduct::AddChildProduct(const KivUnicodeString& name, KivBaseUnknown*) {
  if (!document_) return NULL_var;
  return resource_ ? document_->CreateResource(this, name, resourceType_)
                   : document_->CreateProduct(this, name);
}

HRESULT KivProduct::RemoveChildProduct(KivIProduct* child) {
  if (!document_) return E_FAIL;
  KivProduct* impl = document_->ProductOf(child);
  if (!impl || impl->father_ != this) return E_FAIL;
  return document_->DeleteProduct(child);
}

HRESULT KivProduct::SetAlias(const KivUnicodeString& alias) {
  if (!document_) return E_FAIL;
  alias_ = alias;
  return S_OK;
}

HRESULT KivProduct::GetShow(KivShowAttribut& show) {
  if (!document_) return E_FAIL;
  show = show_;
  return S_OK;
}

HRESULT KivProduct::SetShow(KivShowAttribut show) {
  if (!document_) return E_FAIL;
  ChangeShow(show);
  return S_OK;
}

HRESULT KivProduct::DispatchNotification(KivNotification* notification, int, int) {
  if (!document_ || !notification) return E_FAIL;
  if (auto* import = dynamic_cast<KivPrdMultiImportNotif*>(notification))
    for (auto& product : import->GetProducts())
      if (KivProduct* impl = document_->ProductOf(product.get())) impl->ChangeShow(KivShow);
  return Dispatch(notification);
}

HRESULT KivProduct::SetResourceType(const KivUnicodeString& type) {
  if (!document_ || !resource_) return E_FAIL;
  resourceType_ = type;
  return S_OK;
}

KivEventPublisher* KivProduct::GetNotificationDispatcher() {
  if (!publisher_) publisher_ = KivMake<KivEventPublisher>();
  return publisher_.get();
}

HRESULT KivProduct::Dispatch(KivNotification* notification) {
  if (!notification) return E_FAIL;
  if (publisher_) publisher_->Dispatch(notification);
  return S_OK;
}
