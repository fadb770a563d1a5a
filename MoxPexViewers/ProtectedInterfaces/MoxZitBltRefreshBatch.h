#pragma once
// One change of the document can reach the same list along several paths:
// the list command's walk up the activity tree, the status-bar cascade of
// the ZitBlt managers, the refresh of an activity and of its parent. While a
// batch is open, each list (activity, button name) is rebuilt at most once;
// batches nest, the outermost one counts. Without a batch every request
// rebuilds.
#include "KivUnicodeString.h"

class KivBaseUnknown;

class MoxZitBltRefreshBatch {
 public:
  MoxZitBltRefreshBatch();
  ~MoxZitBltRefreshBatch();
  MoxZitBltRefreshBatch(const MoxZitBltRefreshBatch&) = delete;
  MoxZitBltRefreshBatch& operator=(const MoxZitBltRefreshBatch&) = delete;

  // True when the list may be rebuilt now (recorded as rebuilt); false when
  // the open batch rebuilt it already.
  static bool Claim(KivBaseUnknown* activity, const KivUnicodeString& name);
  // The open batch (a new number for each outermost one), 0 when none is
  // open: the document does not change during a batch, so what the lists
  // read of it may be kept for as long as this number stays.
  static unsigned long Current();
};
