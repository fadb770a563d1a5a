#pragma once
// The PERT data of a node as the product planning clients see it: whether
// the node has been placed yet, and a first position for one that has not.
#include "KivVar.h"

class MoxPexPertBaseServices {
 public:
  // S_OK when `node` is an activity with PERT data; notPlaced is then true
  // while the node has never been placed (by hand, by a layout or by a
  // position set). E_FAIL otherwise (notPlaced untouched).
  static HRESULT GetPertExtension(const KivBaseUnknown_var& node, bool& notPlaced);
  // Gives a node that is not placed yet a first position, the first free
  // grid cell under its parent's anchor (see SetChildPertPositions), so that it
  // can be drawn; it still
  // counts as not placed until a layout or the user places it. Calling it
  // again gives the same cell. S_FALSE for a placed node (nothing changes),
  // E_FAIL for a node without PERT data.
  static HRESULT InitNodePosition(const KivBaseUnknown_var& node);
};
