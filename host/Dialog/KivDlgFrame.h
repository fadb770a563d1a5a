#pragma once
// Containers and plain widgets: a frame groups widgets in a grid; a label
// shows a text (its title).
#include "KivDialog.h"

class KivDlgFrame : public KivDialog {
  KIV_CLASS(KivDlgFrame, KivDialog, "Dialog")
 public:
  KivDlgFrame(KivDialog* parent, const KivString& name, KivDlgStyle style = 0)
      : KivDialog(parent, name, style) {}

 protected:
  ~KivDlgFrame() override = default;
};

class KivDlgLabel : public KivDialog {
  KIV_CLASS(KivDlgLabel, KivDialog, "Dialog")
 public:
  KivDlgLabel(KivDialog* parent, const KivString& name, KivDlgStyle style = 0)
      : KivDialog(parent, name, style) {}

 protected:
  ~KivDlgLabel() override = default;
};
