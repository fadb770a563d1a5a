#pragma once
// The application data drawn with a node changed: listeners attach what they
// draw beside the node again, or remove it when GetRemoveRep() is true (the
// node left the chart, for instance hidden inside a collapsed super node).
#include "MoxPertNodeNotify.h"

class MoxPertAppInfoNotify : public MoxPertNodeNotify {
  KIV_CLASS(MoxPertAppInfoNotify, MoxPertNodeNotify, "Pert")
 public:
  enum Mode { kAttach = 0, kRemove = 1 };
  MoxPertAppInfoNotify(const KivBaseUnknown_var& node, double x, double y, int mode)
      : MoxPertNodeNotify(node, x, y), mode_(mode) {}

  int GetMode() const { return mode_; }
  bool GetRemoveRep() const { return mode_ == kRemove; }

 private:
  int mode_;
};
