#pragma once
// The objects that hold a link to an item: the product links whose item it is
// (named objects whose owner is their activity).

#include "KivProcessModelTypes.h"
#include "KivVar.h"

inline constexpr IID IID_KivILinkableObject = KivGUID::FromName("KivILinkableObject");

class KivILinkableObject : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivILinkableObject)
 public:
  // Appends them to `out`.
  virtual HRESULT GetLinkingObjects(KivListValKivBaseUnknown_var& out) = 0;
};
KIV_DECLARE_VAR(KivILinkableObject);
