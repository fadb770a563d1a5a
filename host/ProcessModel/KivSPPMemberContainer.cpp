#include "KivSPPMemberContainer.h"

#include "KivProcessDocument.h"

KivSPPList KivSPPMemberContainer::GetMembers(const KivString& memberKind,
                                             const KivString& interfaceName) {
  auto list = std::make_unique<KivListValKivBaseUnknown_var>();
  if (!document_) return list;
  KivListValKivBaseUnknown_var members;
  if (name_ == "KivSPPPPRCont" && memberKind == "PPRProduct")
    members = document_->ListProductRoots();
  else if (name_ == "KivSPPPPRCont" && memberKind == "PPRResource")
    members = document_->ListResourceRoots();
  else if (name_ == "MoxMBomNodesCont" && memberKind == "MfgAssembly")
    members = document_->ListAssemblies();
  for (auto& member : members)
    if (interfaceName.IsEmpty() || member->SupportsInterface(interfaceName.c_str()))
      list->Append(member);
  return list;
}

HRESULT KivSPPMemberContainer::Dispatch(KivNotification* notification) {
  if (!notification) return E_FAIL;
  publisher_->Dispatch(notification);
  return S_OK;
}
