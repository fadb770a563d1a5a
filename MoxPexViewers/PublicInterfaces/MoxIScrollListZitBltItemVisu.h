#pragma once
// The drawing of one row of a status button's list: the item's label (with
// its show-state icon for product inputs) placed by the row's index and the
// button's location, and an arrow back to the button. The scroll list rep
// creates one per row (MoxCreateScrollListItemVisu) and puts its rep into
// the button's expanded bag. Operations in slot order after the host's
// visualisation ones.
#include "KivIVisu.h"
#include "KivUnicodeString.h"

inline constexpr IID IID_MoxIScrollListZitBltItemVisu =
    KivGUID::FromName("MoxIScrollListZitBltItemVisu");

class MoxIScrollListZitBltItemVisu : public KivIVisu {
  KIV_INTERFACE(MoxIScrollListZitBltItemVisu)
 public:
  // The activity node beside which the list is drawn (held by the row; no
  // reference added for the caller).
  virtual KivBaseUnknown* GetAssociatedActivityNode() = 0;
  // The listed item.
  virtual KivBaseUnknown_var GetAssociatedPFItem() = 0;
  // The row (from 1) and the button's location keyword.
  virtual void SetItemPos(int row, const KivUnicodeString& location) = 0;
  // The name of the button whose list holds the row ("ProductInput", ...).
  virtual void SetItemType(const KivUnicodeString& type) = 0;
  virtual void GetItemType(KivUnicodeString& type) = 0;
};
KIV_DECLARE_VAR(MoxIScrollListZitBltItemVisu);
