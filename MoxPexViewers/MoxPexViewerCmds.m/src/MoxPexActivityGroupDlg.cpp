#include "MoxPexActivityGroupDlg.h"

#include "KivApplicationFrame.h"
#include "KivClassRegistry.h"
#include "KivDlgLines.h"

KIV_DECLARE_CLASS(MoxPexActivityGroupDlg, "MoxPexViewers");

namespace {
constexpr KivDlgStyle kDialogStyle = 0x40c01;
constexpr KivDlgStyle kFrameStyle = 0x80001;
constexpr KivDlgStyle kComboStyle = 0x40000;
constexpr int kAttachAllSides = 0x1e;

KivDialog* MainWindow() {
  KivApplicationFrame* frame = KivApplicationFrame::GetFrame();
  return frame ? frame->GetMainWindow() : nullptr;
}

template <class Widget>
Widget* Place(Widget* widget, int row, int column) {
  widget->SetGridConstraints(row, column, 1, 1, kAttachAllSides);
  return widget;
}
}  // namespace

MoxPexActivityGroupDlg::MoxPexActivityGroupDlg()
    : KivDlgDialog(MainWindow(), "MoxPexActivityGroupDlg", kDialogStyle) {
  Build();
  if (activityName_)
    AddAnalyseNotificationCB(activityName_, activityName_->GetEditModifyNotification(),
                             [this](KivCommand* s, KivNotification* n, void* d) {
                               OnEditorModify(s, n, d);
                             });
}

MoxPexActivityGroupDlg::~MoxPexActivityGroupDlg() = default;

void MoxPexActivityGroupDlg::Build() {
  if (frame_) return;
  frame_ = new KivDlgFrame(this, "FrameActivityDlg", kFrameStyle);
  frame_->SetGridConstraints(0, 0, 1, 1, kAttachAllSides);
  activityNameLabel_ = Place(new KivDlgLabel(frame_, "EnterActivityName"), 0, 0);
  activityName_ = Place(new KivDlgEditor(frame_, "EditorActivityName"), 0, 1);
  resourceNameLabel_ = Place(new KivDlgLabel(frame_, "EnterResourceName"), 1, 0);
  resourceName_ = Place(new KivDlgEditor(frame_, "EditorResourceName"), 1, 1);
  resourceTypeLabel_ = Place(new KivDlgLabel(frame_, "SelectResourceType"), 2, 0);
  resourceType_ = Place(new KivDlgCombo(frame_, "ComboResourceType", kComboStyle), 2, 1);
  activityTypeLabel_ = Place(new KivDlgLabel(frame_, "SelectActivityType"), 3, 0);
  activityType_ = Place(new KivDlgCombo(frame_, "ComboActivityType", kComboStyle), 3, 1);
  activityType_->SetLine("Grouping Activity", -1, KivDlgLineSelectIfNone);
  cycleTimeLabel_ = Place(new KivDlgLabel(frame_, "SelectCycleTime"), 4, 0);
  cycleTime_ = Place(new KivDlgCombo(frame_, "ComboCycleTime", kComboStyle), 4, 1);
  cycleTime_->SetLine("children", -1, KivDlgLineSelectIfNone);
  cycleTime_->SetLine("parent", -1, KivDlgLineSelectIfNone);
}

KivUnicodeString MoxPexActivityGroupDlg::GetActivityName() const {
  return activityName_ ? activityName_->GetText() : KivUnicodeString();
}

KivUnicodeString MoxPexActivityGroupDlg::GetResourceName() const {
  return resourceName_ ? resourceName_->GetText() : KivUnicodeString();
}

void MoxPexActivityGroupDlg::SetActivityName(const KivUnicodeString& name) {
  if (activityName_) activityName_->SetText(name);
}

void MoxPexActivityGroupDlg::SetResourceName(const KivUnicodeString& name) {
  if (resourceName_) resourceName_->SetText(name);
}

KivUnicodeString MoxPexActivityGroupDlg::Selected(const KivDlgCombo* combo) {
  return combo ? combo->GetSelectedLine() : KivUnicodeString();
}

KivUnicodeString MoxPexActivityGroupDlg::GetActivityType() const {
  return Selected(activityType_);
}
KivUnicodeString MoxPexActivityGroupDlg::GetCycleTimeType() const { return Selected(cycleTime_); }
KivUnicodeString MoxPexActivityGroupDlg::GetResourceType() const {
  return Selected(resourceType_);
}

void MoxPexActivityGroupDlg::AddResourceType(const KivUnicodeString& type) {
  if (resourceType_) resourceType_->SetLine(type, -1, KivDlgLineSelectIfNone);
}

void MoxPexActivityGroupDlg::ClearResourceComboList() {
  if (resourceType_) resourceType_->ClearLine();
}

void MoxPexActivityGroupDlg::OnEditorModify(KivCommand*, KivNotification*, void*) {
  SetOKSensitivity(GetActivityName().GetLengthInChar() > 0);
}
