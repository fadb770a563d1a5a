#include "MoxPexZitBltHideShowDlg.h"

#include <memory>

#include "KivApplicationFrame.h"
#include "KivClassRegistry.h"
#include "KivDlgCheckButton.h"
#include "KivDlgFrame.h"
#include "MoxIZitBltMgr.h"

KIV_DECLARE_CLASS(MoxPexZitBltHideShowDlg, "MoxPexViewers");

namespace {
constexpr KivDlgStyle kDialogStyle = 0x40401;
constexpr int kJustification = 30;

int StateOf(unsigned char shown) { return shown ? KivDlgCheck : KivDlgUncheck; }
}  // namespace

MoxPexZitBltHideShowDlg::MoxPexZitBltHideShowDlg(const KivListValKivBaseUnknown_var& activities)
    : KivDlgDialog(KivApplicationFrame::GetFrame()->GetMainWindow(), "MoxPexZitBltHideShowDlg",
                   kDialogStyle),
      activities_(activities) {
  Build();
}

MoxPexZitBltHideShowDlg::~MoxPexZitBltHideShowDlg() = default;

void MoxPexZitBltHideShowDlg::Build() {
  MoxIZitBltMgr_var manager(activities_.IsEmpty() ? nullptr : activities_[1].get());
  if (!manager) return;
  KivListValKivUnicodeString* listed = nullptr;
  manager->GetAllZitBlts(&listed);
  std::unique_ptr<KivListValKivUnicodeString> names(listed);
  frame_ = new KivDlgFrame(this, "ZitBlts", 1);
  frame_->SetGridConstraints(0, 0, 1, 1, kJustification);
  unsigned char shown = 0;
  all_ = new KivDlgCheckButton(frame_, "All");
  all_->SetGridConstraints(0, 0, 1, 1, kJustification);
  manager->GetZitBltStatus(KivUnicodeString("All"), shown);
  all_->SetState(StateOf(shown), false);
  AddAnalyseNotificationCB(all_, all_->GetChkBModifyNotification(),
                           [this](KivCommand*, KivNotification*, void*) { AllZitBltModif(); });
  for (int i = 1; names && i <= names->Size(); ++i) {
    const KivUnicodeString& name = (*names)[i];
    auto* button = new KivDlgCheckButton(frame_, KivString(name.ConvertToUTF8()));
    button->SetGridConstraints(i, 0, 1, 1, kJustification);
    shown = 0;
    manager->GetZitBltStatus(name, shown);
    button->SetState(StateOf(shown), false);
    AddAnalyseNotificationCB(button, button->GetChkBModifyNotification(),
                             [this, button](KivCommand*, KivNotification*, void*) {
                               OtherZitBltModif(button);
                             });
    names_.push_back(name);
    buttons_.push_back(button);
  }
}

void MoxPexZitBltHideShowDlg::SetStatus(const KivUnicodeString& name, int state) {
  for (const KivBaseUnknown_var& activity : activities_)
    if (MoxIZitBltMgr_var manager = activity.get())
      manager->SetZitBltStatus(name, state == KivDlgCheck ? 1 : 0);
}

void MoxPexZitBltHideShowDlg::AllZitBltModif() {
  const int state = all_->GetState();
  SetStatus(KivUnicodeString("All"), state);
  // A name button already in the state sends nothing, so the buttons'
  // handlers and this one do not call each other back and forth.
  for (KivDlgCheckButton* button : buttons_)
    if (button->GetState() != state) button->SetState(state, true);
}

void MoxPexZitBltHideShowDlg::OtherZitBltModif(KivDlgCheckButton* button) {
  const int state = button->GetState();
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    if (buttons_[i] == button) SetStatus(names_[i], state);
  CheckAllStatus(state);
}

void MoxPexZitBltHideShowDlg::CheckAllStatus(int state) {
  if (buttons_.size() < 2 || all_->GetState() == state) return;
  for (KivDlgCheckButton* button : buttons_)
    if (button->GetState() != state) return;
  all_->SetState(state, true);
}
