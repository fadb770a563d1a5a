#pragma once
// The container of a document's processes (its root activities) and resources.
#include "KivProcessModelTypes.h"
#include "KivVar.h"

inline constexpr IID IID_KivISPPProcessContainer = KivGUID::FromName("KivISPPProcessContainer");

class KivISPPProcessContainer : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivISPPProcessContainer)
 public:
  // The processes in order; the root activity answers KivISPPActivityRoot.
  virtual KivSPPList GetProcesses() = 0;
  // Deletes a resource with its subtree from the document, unassigning it
  // everywhere (kind 16 for each activity concerned).
  virtual HRESULT RemoveResource(KivBaseUnknown* resource) = 0;
};
KIV_DECLARE_VAR(KivISPPProcessContainer);
