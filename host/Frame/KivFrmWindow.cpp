#include "KivFrmWindow.h"

#include "KivFrmLayout.h"

KivFrmWindow::KivFrmWindow(const KivString& name, KivFrmEditor* editor)
    : KivDlgWindow(nullptr, name),
      editor_(editor),
      viewerFrame_(new KivDlgFrame(this, "ViewerFrame")) {
  SetVisibility(KivDlgShow);
  KivFrmLayout::GetCurrentLayout()->AdoptWindow(this);
}

KivFrmWindow::~KivFrmWindow() = default;

void KivFrmWindow::Resize(int x, int y, int width, int height) {
  SetRectangle(x, y, width, height);
  KivBaseUnknown_var keep(this);
  SendNotification(this, GetResizeNotification());
}

void KivFrmWindow::DeleteWindow() {
  if (deleted_) return;
  deleted_ = true;
  SetVisibility(KivDlgHide);
  KivFrmLayout::GetCurrentLayout()->ReleaseWindow(this);
}
