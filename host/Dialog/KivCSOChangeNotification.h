#pragma once
// Sent by a selection set after each change, with the paths that came in and
// those that went out in that change.
#include "KivList.h"
#include "KivNotification.h"

class KivCSOChangeNotification : public KivNotification {
  KIV_CLASS(KivCSOChangeNotification, KivNotification, "Dialog")
 public:
  KivCSOChangeNotification(KivListValKivBaseUnknown_var added, KivListValKivBaseUnknown_var removed)
      : added_(std::move(added)), removed_(std::move(removed)) {}
  // Lists of KivPathElement.
  const KivListValKivBaseUnknown_var& GetAddedElements() const { return added_; }
  const KivListValKivBaseUnknown_var& GetRemovedElements() const { return removed_; }

 private:
  KivListValKivBaseUnknown_var added_;
  KivListValKivBaseUnknown_var removed_;
};
