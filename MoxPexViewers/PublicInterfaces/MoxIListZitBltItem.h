#pragma once
// An object shown as a row of a status button's list: it gives the row's
// text. Product input and output links, products, resources and
// manufacturing assemblies answer it. Operations in slot order.
#include "KivImplement.h"
#include "KivUnicodeString.h"
#include "KivVar.h"

inline constexpr IID IID_MoxIListZitBltItem =
    KivGUID::Literal("{BC0CB1DE-BE3A-11D6-B770-00065BDC7A21}");

class MoxIListZitBltItem : public virtual KivBaseUnknown {
  KIV_INTERFACE(MoxIListZitBltItem)
 public:
  // The activity node the item belongs to, with a reference for the caller;
  // `node` is not written when the item names none.
  virtual HRESULT GetAssociatedNode(KivBaseUnknown** node) = 0;
  // The row's text; `label` is left as it was on failure.
  virtual HRESULT GetLabel(KivUnicodeString& label) = 0;
};
KIV_DECLARE_VAR(MoxIListZitBltItem);
