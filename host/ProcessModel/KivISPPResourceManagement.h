#pragma once
// The resources assigned to an activity.
#include "KivProcessModelTypes.h"
#include "KivString.h"
#include "KivVar.h"

inline constexpr IID IID_KivISPPResourceManagement = KivGUID::FromName("KivISPPResourceManagement");

class KivISPPResourceManagement : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivISPPResourceManagement)
 public:
  // S_OK, S_FALSE when already assigned, E_FAIL when it is no resource of
  // this document. Sends kind 15.
  virtual HRESULT AssignResource(KivBaseUnknown* resource, int notify, int mode) = 0;
  // S_OK, S_FALSE when it was not assigned. Sends kind 16.
  virtual HRESULT RemoveResource(KivBaseUnknown* resource, int notify) = 0;
  // Assigned resources in assignment order. Type "Resource": all of them;
  // another text: those whose resource type is that text. Mode is unused.
  virtual KivSPPList AssignedResources(const KivString& type, int mode) = 0;
};
KIV_DECLARE_VAR(KivISPPResourceManagement);
