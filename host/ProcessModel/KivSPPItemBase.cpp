#include "KivSPPItemBase.h"

#include "KivMfgAssembly.h"
#include "KivSPPProductLink.h"

void KivSPPItemBase::Detach() {
  links_.clear();
  assemblies_.clear();
  assignedTo_.clear();
  document_ = nullptr;
}

HRESULT KivSPPItemBase::GetPointingObjects(KivListValKivBaseUnknown_var& out) {
  for (KivMfgAssembly* assembly : assemblies_) out.Append(KivBaseUnknown_var(assembly));
  for (KivSPPProductLink* link : links_) out.Append(KivBaseUnknown_var(link));
  return S_OK;
}

HRESULT KivSPPItemBase::GetLinkingObjects(KivListValKivBaseUnknown_var& out) {
  for (KivSPPProductLink* link : links_) out.Append(KivBaseUnknown_var(link));
  return S_OK;
}
