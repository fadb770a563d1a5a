#pragma once
// A status button's list as other modules and the host shell read and drive
// it: its rows in order, the window of visible rows and the scroll bar. The
// scroll list button (MoxBaseScrollListZitBltRep) answers it.
#include "Kiv2DRep.h"
#include "KivImplement.h"
#include "KivMathPoint2Df.h"
#include "KivUnicodeString.h"
#include "KivVar.h"

inline constexpr IID IID_MoxIScrollListZitBlt = KivGUID::FromName("MoxIScrollListZitBlt");

// One row of a list.
struct MoxScrollListRow {
  KivBaseUnknown_var item;  // the listed object (a link, product, resource or status)
  KivBaseUnknown_var visu;  // the row's drawing (MoxIScrollListZitBltItemVisu); empty
                            // while the list is closed (rows are drawn when it opens)
  KivUnicodeString label;
  int colour = 249;      // 249 normal, 247 marked
  bool visible = false;  // drawn inside the window; false when scrolled out or closed
};

class MoxIScrollListZitBlt : public virtual KivBaseUnknown {
  KIV_INTERFACE(MoxIScrollListZitBlt)
 public:
  // The rows, one per listed item; `row` from 1.
  virtual int GetRowCount() = 0;
  virtual bool GetRow(int row, MoxScrollListRow& out) = 0;
  // The window: rows first .. first + range - 1 are shown.
  virtual int GetFirstVisible() = 0;
  virtual int GetScrollRange() = 0;
  // The scroll bar's thumb; null when the list has no scroll bar.
  virtual Kiv2DRep* GetScrollThumb() = 0;
  // The pointer movement that drags the thumb from where it is to the
  // window starting at row `first`.
  virtual KivMathVector2Df GetThumbDragTo(int first) = 0;
  // How many times a change of the document had the list filled again.
  virtual int GetRefreshCount() = 0;
};
KIV_DECLARE_VAR(MoxIScrollListZitBlt);
