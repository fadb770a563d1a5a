#include "KivDlgWindow.h"

KivDlgWindow::KivDlgWindow(KivDialog* parent, const KivString& name, KivDlgStyle style)
    : KivDialog(parent, name, style) {
  SetInitialVisibility(false);
}

KivDlgWindow::~KivDlgWindow() = default;

bool KivDlgWindow::Close() {
  if (!IsShownOnScreen()) return false;
  KivBaseUnknown_var keep(this);
  SetVisibility(KivDlgHide);
  Notify<KivDlgWindCloseNotification>();
  return true;
}

void KivDlgWindow::SetRectangle(int x, int y, int width, int height) {
  x_ = x;
  y_ = y;
  width_ = width;
  height_ = height;
}

KivDlgDocument::KivDlgDocument(const KivString& name) : KivDlgWindow(nullptr, name) {
  SetVisibility(KivDlgShow);
}

KivDlgDocument::~KivDlgDocument() = default;
