#include "KivSPPMemberContainer.h"

#include "KivIProduct.h"
#include "KivIResource.h"
#include "KivISPPItem.h"
#include "KivProcessDocument.h"

namespace {
// Whether a member answers the named interface. Members are the document's
// own products, resources and assemblies, so the interfaces asked for are
// among these.
bool Answers(KivBaseUnknown* member, const KivString& interfaceName) {
  if (interfaceName.IsEmpty() || interfaceName == "KivBaseUnknown") return true;
  if (interfaceName == "KivIProduct") return KivIProduct_var(member) != NULL_var;
  if (interfaceName == "KivIResource") return KivIResource_var(member) != NULL_var;
  if (interfaceName == "KivISPPItem") return KivISPPItem_var(member) != NULL_var;
  if (interfaceName == "MoxIMfgAssembly") return MoxIMfgAssembly_var(member) != NULL_var;
  return false;
}
}  // namespace

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
    if (Answers(member.get(), interfaceName)) list->Append(member);
  return list;
}

HRESULT KivSPPMemberContainer::Dispatch(KivNotification* notification) {
  if (!notification) return E_FAIL;
  publisher_->Dispatch(notification);
  return S_OK;
}
