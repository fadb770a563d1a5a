#pragma once
// A document's compound container: its named containers ("KivSPPPPRCont",
// "MoxMBomNodesCont").
#include "KivProcessModelTypes.h"
#include "KivString.h"
#include "KivVar.h"

inline constexpr IID IID_KivICompoundContainer = KivGUID::FromName("KivICompoundContainer");

class KivICompoundContainer : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivICompoundContainer)
 public:
  virtual KivBaseUnknown_var GetContainer(const KivString& name) = 0;
};
KIV_DECLARE_VAR(KivICompoundContainer);
