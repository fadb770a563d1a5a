#pragma once
// The window layout: the document windows of the application, in opening
// order, and the current one.
#include "KivImplement.h"
#include "KivList.h"
#include "KivString.h"

class KivFrmWindow;

class KivFrmLayout : public KivImplement<> {
  KIV_CLASS(KivFrmLayout, KivBaseUnknown, "Frame")
 public:
  KivFrmLayout() = default;

  static KivFrmLayout* GetCurrentLayout();

  // A copy of the windows (KivFrmWindow), in opening order.
  KivListValKivBaseUnknown_var GetWindows() const;
  int GetWindowCount() const { return windows_.Size(); }
  KivFrmWindow* GetCurrentWindow() const { return current_; }
  // E_FAIL for a window that is not in the layout.
  HRESULT SetCurrentWindow(KivFrmWindow* window);
  // The first window with that name, or null.
  KivFrmWindow* FindWindow(const KivString& name) const;

  // Called by windows: a new window hands over its creation reference and
  // becomes current; a deleted window is taken out and its reference
  // released after the current user event (the last window left becomes
  // current).
  void AdoptWindow(KivFrmWindow* window);
  void ReleaseWindow(KivFrmWindow* window);
  // Deletes every window (the application closing).
  void DeleteAllWindows();

 protected:
  ~KivFrmLayout() override;

 private:
  KivListValKivBaseUnknown_var windows_;
  KivFrmWindow* current_ = nullptr;
};
