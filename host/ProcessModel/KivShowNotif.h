#pragma once
// The show attribute of a product changed (see KivIVisProperties).
#include "KivNotification.h"
#include "KivProcessModelTypes.h"
#include "KivVar.h"

class KivShowNotif : public KivNotification {
  KIV_CLASS(KivShowNotif, KivNotification, "ProcessModel")
 public:
  KivShowNotif(KivBaseUnknown* object, KivShowAttribut show) : object_(object), show_(show) {}

  KivBaseUnknown* GetObject() const { return object_.get(); }
  KivShowAttribut GetShowAttribut() const { return show_; }

 protected:
  ~KivShowNotif() override = default;

 private:
  KivBaseUnknown_var object_;
  KivShowAttribut show_;
};
