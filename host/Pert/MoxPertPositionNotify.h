#pragma once
// A node was moved (by hand, by a layout or through MoxIPertNode): (x, y) is
// its new position (the centre of its box as drawn).
#include "MoxPertNodeNotify.h"

class MoxPertPositionNotify : public MoxPertNodeNotify {
  KIV_CLASS(MoxPertPositionNotify, MoxPertNodeNotify, "Pert")
 public:
  MoxPertPositionNotify(const KivBaseUnknown_var& node, double x, double y)
      : MoxPertNodeNotify(node, x, y) {}
};
