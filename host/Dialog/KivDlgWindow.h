#pragma once
// A window: a top-level dialog object that the user can close. Windows start
// hidden. Close() is the user closing it: it sends the window-close
// notification to the father and hides the window.
#include "KivDialog.h"

class KivDlgWindow : public KivDialog {
  KIV_CLASS(KivDlgWindow, KivDialog, "Dialog")
 public:
  KivDlgWindow(KivDialog* parent, const KivString& name, KivDlgStyle style = 0);

  KivNotification* GetWindCloseNotification() {
    return NotificationOf<KivDlgWindCloseNotification>();
  }
  // False when the window is not shown.
  bool Close();

  // Size in pixels (0 until set).
  void SetRectangle(int x, int y, int width, int height);
  int GetX() const { return x_; }
  int GetY() const { return y_; }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }

 protected:
  ~KivDlgWindow() override;

 private:
  int x_ = 0, y_ = 0, width_ = 0, height_ = 0;
};

// The application's main window: the parent of the host's top-level dialogs.
class KivDlgDocument : public KivDlgWindow {
  KIV_CLASS(KivDlgDocument, KivDlgWindow, "Dialog")
 public:
  explicit KivDlgDocument(const KivString& name);

 protected:
  ~KivDlgDocument() override;
};
