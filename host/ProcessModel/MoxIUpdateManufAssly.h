#pragma once
// On a root activity: whether manufacturing assemblies are being updated
// (list commands then hear notifications even while they ignore them).
#include "KivProcessModelTypes.h"
#include "KivVar.h"

inline constexpr IID IID_MoxIUpdateManufAssly = KivGUID::FromName("MoxIUpdateManufAssly");

class MoxIUpdateManufAssly : public virtual KivBaseUnknown {
  KIV_INTERFACE(MoxIUpdateManufAssly)
 public:
  virtual HRESULT GetUpdateState(KivBoolean& updating) = 0;
  virtual HRESULT SetUpdateState(KivBoolean updating) = 0;
};
KIV_DECLARE_VAR(MoxIUpdateManufAssly);
