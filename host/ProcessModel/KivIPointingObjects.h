#pragma once
// The objects that point to an item: the assemblies that hold it as a child
// and the product links whose item it is.

#include "KivProcessModelTypes.h"
#include "KivVar.h"

inline constexpr IID IID_KivIPointingObjects = KivGUID::FromName("KivIPointingObjects");

class KivIPointingObjects : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivIPointingObjects)
 public:
  // Appends them to `out`.
  virtual HRESULT GetPointingObjects(KivListValKivBaseUnknown_var& out) = 0;
};
KIV_DECLARE_VAR(KivIPointingObjects);
