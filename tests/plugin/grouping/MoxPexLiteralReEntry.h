#pragma once
// The re-entry check walked as first written: recursion without a visited
// set, exponential on diamonds and endless on a cycle. Kept as the reference
// the shape check is compared with (tests) and timed against (bench).
#include "MoxPexGroupShape.h"

// The re-entry walk as first written: recursion without a visited set.
inline void LiteralWalk(const MoxPexGroupShape& shape, KivBaseUnknown* activity, bool backward,
                 bool& invalid) {
  if (invalid) return;
  const auto neighbours =
      backward ? MoxPreviousActivities(activity) : MoxNextActivities(activity);
  for (const auto& n : neighbours) {
    if (shape.Contains(n.get())) {
      invalid = true;
      return;
    }
    LiteralWalk(shape, n.get(), backward, invalid);
  }
}

inline bool LiteralReEntry(const KivListValKivBaseUnknown_var& group) {
  const MoxPexGroupShape shape(group);
  bool invalid = false;
  for (bool backward : {true, false}) {
    KivListValKivBaseUnknown_var borders;
    if (backward)
      shape.EntriesWithOutsidePrevious(&borders);
    else
      shape.ExitsWithOutsideNext(&borders);
    for (const auto& border : borders) {
      const auto outside =
          backward ? MoxPreviousActivities(border.get()) : MoxNextActivities(border.get());
      for (const auto& n : outside)
        if (!shape.Contains(n.get())) LiteralWalk(shape, n.get(), backward, invalid);
    }
  }
  return invalid;
}

