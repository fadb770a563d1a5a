#pragma once
// An item of the process document: a product or resource ("ASMPRODUCT") or a
// manufacturing assembly ("MoxMfgAssy").
#include "KivProcessModelTypes.h"
#include "KivString.h"
#include "KivVar.h"

inline constexpr IID IID_KivISPPItem = KivGUID::FromName("KivISPPItem");

class KivISPPItem : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivISPPItem)
 public:
  virtual KivUnicodeString GetItemName() = 0;
  // "ASMPRODUCT" or "MoxMfgAssy".
  virtual KivString GetItemType() = 0;
};
KIV_DECLARE_VAR(KivISPPItem);
