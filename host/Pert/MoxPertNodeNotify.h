#pragma once
// The base of the PERT node notifications: the node concerned and a point in
// viewer units. Subscribing to "MoxPertNodeNotify" hears both kinds.
#include "KivNotification.h"
#include "KivVar.h"

class MoxPertNodeNotify : public KivNotification {
  KIV_CLASS(MoxPertNodeNotify, KivNotification, "Pert")
 public:
  MoxPertNodeNotify(const KivBaseUnknown_var& node, double x, double y);

  const KivBaseUnknown_var& GetNode() const { return node_; }
  double GetX() const { return x_; }
  double GetY() const { return y_; }

 private:
  KivBaseUnknown_var node_;
  double x_;
  double y_;
};
