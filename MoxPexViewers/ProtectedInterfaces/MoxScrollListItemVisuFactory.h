#pragma once
// The row drawings of the scroll lists, made by the viewer module for the
// ZitBlt module's list buttons.
#include "MoxIScrollListZitBltItemVisu.h"

// A new row drawing for `item` in the list of `activityNode`, in colour
// index `colour` (256 and above draw as 253). The row holds the node: the
// list that owns the row gives it up when it is emptied or destroyed.
MoxIScrollListZitBltItemVisu_var MoxCreateScrollListItemVisu(KivBaseUnknown* activityNode,
                                                             const KivBaseUnknown_var& item,
                                                             int colour);
