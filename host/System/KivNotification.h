#pragma once
// Notifications are components; their kind is their class (tested with
// IsAKindOf), so a subscriber to a base class also hears the derived ones.
#include "KivImplement.h"

class KivNotification : public KivImplement<> {
  KIV_CLASS(KivNotification, KivBaseUnknown, "System")
 public:
  KivNotification() = default;
};

// A general "this object changed" notification, built on the object, a class
// identifier naming what changed and a flag.
class KivModify : public KivNotification {
  KIV_CLASS(KivModify, KivNotification, "System")
 public:
  KivModify(KivBaseUnknown* object, const IID& what, int flag);
  KivBaseUnknown* GetObject() const { return object_; }
  const IID& GetWhat() const { return what_; }
  int GetFlag() const { return flag_; }

 protected:
  ~KivModify() override;

 private:
  KivBaseUnknown* object_;
  IID what_;
  int flag_;
};
