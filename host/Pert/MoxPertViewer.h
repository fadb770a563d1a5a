#pragma once
// The 2D viewer of a PERT chart window. Built as a child of a dialog frame,
// it belongs to the frame (the frame's dialog tree releases it with the
// window); built without a frame it belongs to its creator.
#include "KivDlgFrame.h"
#include "KivViewer.h"

class MoxPertViewer : public KivViewer {
  KIV_CLASS(MoxPertViewer, KivViewer, "Pert")
 public:
  // style and flag are the viewer's own (kept, readable); width and height
  // are the window size in pixels.
  MoxPertViewer(KivDlgFrame* frame, const KivString& name, int style, int width, int height,
                int flag);

  KivDlgFrame* GetFrame() const { return frame_; }
  int GetFlag() const { return flag_; }

 protected:
  ~MoxPertViewer() override;

 private:
  KivDlgFrame* frame_;
  int flag_;
};
