#pragma once
// The shape checks of a set of picked activities in the precedence graph of
// their level, used by the group command before it builds a group:
//
// - re-entry: no precedence path may leave the set and come back into it (the
//   group would then precede and follow the same outside activity);
// - single entry: the set is entered from outside through one predecessor, or
//   through several that all lead only to the same single activity;
// - single exit: the mirror of single entry.
//
// The re-entry walks share one visited set per check, so each outside
// activity is walked once however many paths reach it (a level of diamonds
// would otherwise take exponential time), and a precedence cycle, which the
// host accepts as data, ends the walk instead of looping.
#include <unordered_set>

#include "KivList.h"
#include "KivVar.h"

class MoxPexGroupShape {
 public:
  // The picked activities, in picking order, each once.
  explicit MoxPexGroupShape(const KivListValKivBaseUnknown_var& group);

  bool Contains(KivBaseUnknown* activity) const;

  // Appends the picked activities (in picking order) that have at least one
  // previous (next) activity outside the set. Nothing when `out` is null.
  void EntriesWithOutsidePrevious(KivListValKivBaseUnknown_var* out) const;
  void ExitsWithOutsideNext(KivListValKivBaseUnknown_var* out) const;

  // Walks back (forward) from `activity` through outside activities and sets
  // `invalid` when a picked activity is reached. Returns at once when
  // `invalid` is already set. `visited` is shared by the walks of one check.
  void WalkBackward(KivBaseUnknown* activity, bool& invalid,
                    std::unordered_set<const void*>& visited) const;
  void WalkForward(KivBaseUnknown* activity, bool& invalid,
                   std::unordered_set<const void*>& visited) const;

  // True when a precedence path leaves the set and comes back into it.
  bool HasReEntry() const;
  bool IsRuleOneViolated() const;  // single entry
  bool IsRuleTwoViolated() const;  // single exit
  // No re-entry, single entry, single exit (evaluated in that order).
  bool IsSound() const;

 private:
  enum class Direction { Backward, Forward };
  void Walk(KivBaseUnknown* activity, Direction direction, bool& invalid,
            std::unordered_set<const void*>& visited) const;
  void WithOutsideNeighbour(Direction direction, KivListValKivBaseUnknown_var* out) const;
  bool IsRuleViolated(Direction direction) const;

  KivListValKivBaseUnknown_var group_;
  std::unordered_set<const void*> members_;
};

// The activities before (after) `activity` in its level's flow, of type
// "Activity" (Start and Stop nodes left out); empty without a flow interface.
KivListValKivBaseUnknown_var MoxPreviousActivities(KivBaseUnknown* activity);
KivListValKivBaseUnknown_var MoxNextActivities(KivBaseUnknown* activity);
