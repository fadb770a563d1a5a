#include "MoxPertViewer.h"

namespace {
// The dialog object through which a frame owns its viewer: it holds the
// viewer's creation reference and gives it up when the frame lets it go.
class MoxPertViewerSlot : public KivDialog {
  KIV_CLASS(MoxPertViewerSlot, KivDialog, "Pert")
 public:
  MoxPertViewerSlot(KivDialog* frame, const KivString& name, KivViewer* viewer)
      : KivDialog(frame, name), viewer_(viewer) {}

 protected:
  ~MoxPertViewerSlot() override {
    if (viewer_) viewer_->Release();
  }

 private:
  KivViewer* viewer_;
};
}  // namespace

MoxPertViewer::MoxPertViewer(KivDlgFrame* frame, const KivString& name, int style, int width,
                             int height, int flag)
    : KivViewer(name, style, width, height), frame_(frame), flag_(flag) {
  // The slot takes over the creation reference.
  if (frame_) new MoxPertViewerSlot(frame_, name + " slot", this);
}

MoxPertViewer::~MoxPertViewer() = default;
