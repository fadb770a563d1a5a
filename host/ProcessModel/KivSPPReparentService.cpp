#include "KivSPPReparentService.h"

#include "KivProcessDocument.h"
#include "KivProduct.h"

HRESULT KivSPPReparentService::ReparentResource(KivBaseUnknown* resource, KivBaseUnknown* newFather,
                                                KivBaseUnknown*, KivBaseUnknown*) {
  auto* impl = resource ? dynamic_cast<KivProduct*>(resource->GetImpl()) : nullptr;
  if (!impl || !impl->IsResource() || !impl->Document()) return E_FAIL;
  return impl->Document()->ReparentProduct(resource, newFather);
}
