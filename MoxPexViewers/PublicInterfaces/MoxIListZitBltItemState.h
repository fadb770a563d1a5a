#pragma once
// The assignment state of a listed product input, as the list that showed it
// last gave it (see MoxBaseScrollListZitBltRep::AppendItem). Operations in
// slot order.
#include "KivImplement.h"
#include "KivVar.h"

inline constexpr IID IID_MoxIListZitBltItemState =
    KivGUID::Literal("{1D49381A-105D-43F2-A577-B6E53ACC3E51}");

class MoxIListZitBltItemState : public virtual KivBaseUnknown {
  KIV_INTERFACE(MoxIListZitBltItemState)
 public:
  enum AssignState : int {
    kNormal = 0,   // drawn in colour 249
    kMarked = 1,   // drawn in colour 247 (a carry-over input, a child's output)
    kNoState = 2,  // no state given (resources); a new state object holds it
  };

  virtual HRESULT SetAssignState(AssignState state) = 0;
  virtual HRESULT GetAssignState(AssignState& state) = 0;
  // Whether the item belongs to the bill of material of the station or
  // grouping it is associated with.
  virtual unsigned char IsIncludedInBOM() = 0;
};
KIV_DECLARE_VAR(MoxIListZitBltItemState);
