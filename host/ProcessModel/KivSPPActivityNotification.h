#pragma once
// The notification of a change in a process: the activity concerned (father),
// the object that changed (son) and the modification kind (SPPModifyKind).
// It is dispatched through the root activity's modification events.
#include "KivNotification.h"
#include "KivProcessModelTypes.h"
#include "KivVar.h"

// The kind under which activity notifications are subscribed on the root
// activity's publisher (a notification class name, see KivEventPublisher).
struct KivSPPActivityNotificationDispatcher {
  static constexpr const char* DISPATCHER_SPP_VIEWS_CHANGE = "KivSPPActivityNotification";
};

class KivSPPActivityNotification : public KivNotification {
  KIV_CLASS(KivSPPActivityNotification, KivNotification, "ProcessModel")
 public:
  KivSPPActivityNotification(KivBaseUnknown* father, KivBaseUnknown* son, int kind)
      : father_(father), son_(son), kind_(kind) {}

  KivBaseUnknown* GetFather() const { return father_.get(); }
  KivBaseUnknown* GetSon() const { return son_.get(); }
  int GetNotificationKind() const { return kind_; }

 protected:
  ~KivSPPActivityNotification() override = default;

 private:
  KivBaseUnknown_var father_;
  KivBaseUnknown_var son_;
  int kind_;
};
