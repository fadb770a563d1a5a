#pragma once
// A document window of the frame: a named window on an editor, placed in the
// window layout. The layout owns it from its construction (it takes over the
// creation reference); DeleteWindow() takes it out of the layout and releases
// it after the current user event.
#include "KivDlgFrame.h"
#include "KivDlgWindow.h"
#include "KivFrmEditor.h"

class KivFrmWindowResizeNotification : public KivDlgNotification {
  KIV_CLASS(KivFrmWindowResizeNotification, KivDlgNotification, "Frame")
};

class KivFrmWindow : public KivDlgWindow {
  KIV_CLASS(KivFrmWindow, KivDlgWindow, "Frame")
 public:
  // Joins the current layout and becomes its current window.
  KivFrmWindow(const KivString& name, KivFrmEditor* editor);

  KivFrmEditor* GetEditor() const { return editor_.get(); }
  // The frame in which the window's viewer sits.
  KivDlgFrame* GetViewerFrame() const { return viewerFrame_; }

  // Sets the rectangle and sends the resize notification.
  void Resize(int x, int y, int width, int height);
  KivNotification* GetResizeNotification() {
    return NotificationOf<KivFrmWindowResizeNotification>();
  }

  // Leaves the layout; released after the current user event. Derived
  // windows release what they hold, then call this.
  virtual void DeleteWindow();
  bool IsDeleted() const { return deleted_; }
  void RequestDelayedDestruction() override { DeleteWindow(); }

 protected:
  ~KivFrmWindow() override;

 private:
  KivFrmEditor_var editor_;
  KivDlgFrame* viewerFrame_;
  bool deleted_ = false;
};
