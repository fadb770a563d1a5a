#pragma once
// The PERT node data that the model keeps for a graph node. Each change is
// announced by a KivSPPNodeDataNotification on the KivIModelEvents of the
// activity whose level shows the node (its parent; a root announces on itself).

#include "KivProcessModelTypes.h"
#include "KivVar.h"

inline constexpr IID IID_KivISPPNodeData = KivGUID::FromName("KivISPPNodeData");

class KivISPPNodeData : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivISPPNodeData)
 public:
  virtual KivPertNodeData GetPertNodeData() = 0;
  virtual HRESULT SetPertNodeData(const KivPertNodeData& data) = 0;
};
KIV_DECLARE_VAR(KivISPPNodeData);
