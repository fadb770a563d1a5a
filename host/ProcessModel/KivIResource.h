#pragma once
// A resource (robot, fixture, weld gun ...): an ASMPRODUCT of the resource tree.

#include "KivProcessModelTypes.h"
#include "KivVar.h"

inline constexpr IID IID_KivIResource = KivGUID::FromName("KivIResource");

class KivIResource : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivIResource)
 public:
  virtual KivUnicodeString GetResourceType() = 0;
  virtual HRESULT SetResourceType(const KivUnicodeString& type) = 0;
};
KIV_DECLARE_VAR(KivIResource);
