#include "KivFrmLayout.h"

#include "KivApplicationFrame.h"
#include "KivDelayedDestruction.h"
#include "KivFrmWindow.h"

namespace {
KivFrmWindow* AsWindow(KivBaseUnknown* object) {
  return object ? dynamic_cast<KivFrmWindow*>(object->GetImpl()) : nullptr;
}
}  // namespace

KivFrmLayout* KivFrmLayout::GetCurrentLayout() {
  return KivApplicationFrame::GetFrame()->GetLayout();
}

KivFrmLayout::~KivFrmLayout() = default;

KivListValKivBaseUnknown_var KivFrmLayout::GetWindows() const { return windows_; }

HRESULT KivFrmLayout::SetCurrentWindow(KivFrmWindow* window) {
  if (!window || !windows_.Locate(KivBaseUnknown_var(window))) return E_FAIL;
  current_ = window;
  return S_OK;
}

KivFrmWindow* KivFrmLayout::FindWindow(const KivString& name) const {
  for (const auto& held : windows_)
    if (KivFrmWindow* window = AsWindow(held.get()); window && window->GetName() == name)
      return window;
  return nullptr;
}

void KivFrmLayout::AdoptWindow(KivFrmWindow* window) {
  if (!window) return;
  windows_.Append(KivBaseUnknown_var::Adopt(window));
  current_ = window;
}

void KivFrmLayout::ReleaseWindow(KivFrmWindow* window) {
  const int at = windows_.Locate(KivBaseUnknown_var(window));
  if (!at) return;
  KivDelayedDestruction::Request(windows_[at].Detach());
  windows_.RemovePosition(at);
  if (current_ == window)
    current_ = windows_.IsEmpty() ? nullptr : AsWindow(windows_[windows_.Size()]);
}

void KivFrmLayout::DeleteAllWindows() {
  while (!windows_.IsEmpty()) {
    const int count = windows_.Size();
    if (KivFrmWindow* window = AsWindow(windows_[count])) window->DeleteWindow();
    if (windows_.Size() == count) {  // it did not leave: drop it all the same
      KivDelayedDestruction::Request(windows_[count].Detach());
      windows_.RemovePosition(count);
    }
  }
  current_ = nullptr;
}
