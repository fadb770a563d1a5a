#include "KivSPPProcessContainer.h"

#include "KivProcessDocument.h"
#include "KivProduct.h"
#include "KivSPPActivity.h"

KivSPPList KivSPPProcessContainer::GetProcesses() {
  auto list = std::make_unique<KivListValKivBaseUnknown_var>();
  if (document_ && document_->RootImpl())
    list->Append(KivBaseUnknown_var(static_cast<KivSPPFlowNode*>(document_->RootImpl())));
  return list;
}

HRESULT KivSPPProcessContainer::RemoveResource(KivBaseUnknown* resource) {
  if (!document_) return E_FAIL;
  KivProduct* impl = document_->ProductOf(resource);
  if (!impl || !impl->IsResource()) return E_FAIL;
  return document_->DeleteProduct(resource);
}

KivIResource_var KivSPPProcessContainer::CreateResource(const KivUnicodeString& type,
                                                        const KivUnicodeString& name,
                                                        KivBaseUnknown* father) {
  if (!document_) return NULL_var;
  return KivIResource_var(document_->CreateResource(father, name, type));
}
