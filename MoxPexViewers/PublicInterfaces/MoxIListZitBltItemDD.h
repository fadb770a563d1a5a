#pragma once
// The move of a listed item (a product input or output link, a resource)
// from the activity whose list shows it to another activity, as the user
// drops its row on that activity's node. The scroll list asks
// IsValidToReassign while the row is dragged and ReassignItem on the drop.
// Operations in slot order.
#include "KivImplement.h"
#include "KivUnicodeString.h"
#include "KivVar.h"

inline constexpr IID IID_MoxIListZitBltItemDD =
    KivGUID::Literal("{56510729-BA52-11D6-B76F-00065BDC7A21}");

class MoxIListZitBltItemDD : public virtual KivBaseUnknown {
  KIV_INTERFACE(MoxIListZitBltItemDD)
 public:
  // 1 when the item may move from `source` to `destination`, else 0.
  // `message` receives a text for the user, or keeps its text on the
  // refusals that have none. Nothing changes.
  virtual unsigned char IsValidToReassign(KivBaseUnknown* source, KivBaseUnknown* destination,
                                          KivUnicodeString& message) = 0;
  // Moves the item; S_OK, or E_FAIL with nothing changed.
  virtual HRESULT ReassignItem(KivBaseUnknown* source, KivBaseUnknown* destination) = 0;
};
KIV_DECLARE_VAR(MoxIListZitBltItemDD);
