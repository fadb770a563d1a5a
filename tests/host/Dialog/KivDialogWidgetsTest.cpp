#include <string>
#include <vector>

#include "KivDialogTestSupport.h"
#include "KivDlgCheckButton.h"
#include "KivDlgCombo.h"
#include "KivDlgDialog.h"
#include "KivDlgEditor.h"
#include "KivDlgFrame.h"
#include "KivDlgNotify.h"
#include "KivDlgPushItem.h"
#include "KivDlgSelectorList.h"

namespace {

// A main window holding a hidden box.
class DialogWidgetsTest : public DialogFixture {
 protected:
  void SetUp() override {
    DialogFixture::SetUp();
    main_ = KivMake<KivDlgDocument>("Main");
    box_ = new KivDlgDialog(main_, "Box");
  }
  void TearDown() override {
    main_ = NULL_var;
    DialogFixture::TearDown();
  }
  KivVar<KivDlgDocument> main_;
  KivDlgDialog* box_ = nullptr;
};

TEST_F(DialogWidgetsTest, CheckButtonDoesNotNotifyAgainForTheStateItHas) {
  auto* frame = new KivDlgFrame(box_, "ZitBlts", 1);
  auto* all = new KivDlgCheckButton(frame, "All");
  auto* one = new KivDlgCheckButton(frame, "One");
  auto* two = new KivDlgCheckButton(frame, "Two");
  std::vector<std::string> heard;
  // Handlers that set each other's state, as an "All" button and its names do.
  box_->AddAnalyseNotificationCB(all, all->GetChkBModifyNotification(),
                                 [&](KivCommand*, KivNotification*, void*) {
                                   heard.push_back("All");
                                   one->SetState(all->GetState(), true);
                                   two->SetState(all->GetState(), true);
                                 });
  auto onName = [&](KivCommand* sender, KivNotification*, void*) {
    heard.push_back(sender->GetName().str());
    if (one->GetState() == two->GetState()) all->SetState(one->GetState(), true);
  };
  box_->AddAnalyseNotificationCB(one, "KivDlgChkBModifyNotification", onName);
  box_->AddAnalyseNotificationCB(two, "KivDlgChkBModifyNotification", onName);

  EXPECT_EQ(all->GetState(), KivDlgUncheck);
  EXPECT_EQ(all->SetState(KivDlgUncheck, true), S_FALSE) << "already unchecked";
  EXPECT_TRUE(heard.empty());
  EXPECT_EQ(all->SetState(KivDlgCheck, true), S_OK);
  EXPECT_EQ(heard, (std::vector<std::string>{"All", "One", "Two"})) << "the chain stops";
  EXPECT_TRUE(one->IsChecked() && two->IsChecked());
  heard.clear();
  EXPECT_EQ(one->SetState(KivDlgUncheck, false), S_OK);
  EXPECT_TRUE(heard.empty()) << "no notification when asked for none";
  EXPECT_EQ(one->SetState(0x1234), E_INVALIDARG);
  EXPECT_FALSE(one->Check(true)) << "the box is hidden: the user cannot reach it";
  box_->SetVisibility(KivDlgShow);
  EXPECT_TRUE(one->Check(true));
  EXPECT_EQ(heard, (std::vector<std::string>{"One"})) << "All was checked already";
}

TEST_F(DialogWidgetsTest, CombosAndSelectorListsKeepLinesAndSelection) {
  box_->SetVisibility(KivDlgShow);
  auto* combo = new KivDlgCombo(box_, "ComboCycleTime", 0x40000);
  EXPECT_EQ(combo->GetSelect(), -1);
  EXPECT_EQ(combo->GetSelectedLine(), KivUnicodeString()) << "no line: the empty text";
  combo->SetLine("children", -1, 0x40);
  combo->SetLine("parent", -1, 0x40);
  EXPECT_EQ(combo->GetLineCount(), 2);
  EXPECT_EQ(combo->GetSelectedLine(), KivUnicodeString("children")) << "first 0x40 line";
  EXPECT_EQ(combo->SetLine("x", 5, 0), -1) << "position out of range";
  int selections = 0;
  box_->AddAnalyseNotificationCB(combo, combo->GetComboSelectNotification(),
                                 [&](KivCommand*, KivNotification*, void*) { ++selections; });
  EXPECT_TRUE(combo->ChooseLine("parent"));
  EXPECT_FALSE(combo->ChooseLine("grandparent"));
  EXPECT_EQ(combo->GetSelectedLine(), KivUnicodeString("parent"));
  EXPECT_EQ(selections, 1);
  combo->ClearLine();
  EXPECT_EQ(combo->GetLineCount(), 0);
  EXPECT_EQ(combo->GetSelect(), -1);

  auto* list = new KivDlgSelectorList(box_, "ItemSelectorList");
  list->SetLine("P1", -1, 64);
  list->SetLine("P2", -1, 64);
  EXPECT_EQ(list->GetFirstSelect(), 0);
  EXPECT_TRUE(list->ChooseLine("P2"));
  EXPECT_EQ(list->GetSelect(), std::vector<int>{1}) << "single selection replaces";
  EXPECT_FALSE(list->SetSelect(2));
}

TEST_F(DialogWidgetsTest, EditorNotifiesUserEditsOnlyAndOKSensitivityFollows) {
  auto* editor = new KivDlgEditor(box_, "EditorActivityName");
  box_->AddAnalyseNotificationCB(editor, editor->GetEditModifyNotification(),
                                 [&](KivCommand*, KivNotification*, void*) {
                                   box_->SetOKSensitivity(editor->GetText().GetLengthInChar() > 0);
                                 });
  editor->SetText("GroupActivity");
  EXPECT_FALSE(editor->Type("")) << "hidden box";
  box_->SetVisibility(KivDlgShow);
  EXPECT_TRUE(editor->Type(""));
  EXPECT_FALSE(box_->GetOKSensitivity());
  EXPECT_FALSE(box_->PushOK());
  EXPECT_TRUE(editor->Type("\xC3\xA9"));  // one character, two bytes
  EXPECT_TRUE(box_->GetOKSensitivity());
  editor->SetSensitivity(false);
  EXPECT_FALSE(editor->Type("x")) << "insensitive field";
  EXPECT_EQ(box_->SetVisibility(3), E_INVALIDARG);
  EXPECT_EQ(box_->GetVisibility(), KivDlgShow);
}

TEST_F(DialogWidgetsTest, WidgetsBelongToTheirParentAndDieWithIt) {
  const long before = KivBaseUnknown::LiveInstances();
  auto* frame = new KivDlgFrame(box_, "FrameActivityDlg", 0x80001);
  auto* label = new KivDlgLabel(frame, "EnterActivityName");
  frame->SetGridConstraints(0, 0, 1, 1, 0x1e);
  label->SetGridConstraints(2, 1, 1, 2, 30);
  EXPECT_EQ(label->GetGridConstraints(), (KivDlgGridConstraints{2, 1, 1, 2, 30}));
  EXPECT_FALSE(box_->HasGridConstraints());
  EXPECT_EQ(main_->FindChild("EnterActivityName"), label);
  EXPECT_EQ(label->GetFather(), frame) << "the parent is the father command";
  box_->RequestDelayedDestruction();
  box_->RequestDelayedDestruction();  // a second request must not release twice
  EXPECT_EQ(main_->GetChildCount(), 0) << "out of its parent at once";
  EXPECT_FALSE(box_->IsVisible());
  KivDelayedDestruction::Flush();
  EXPECT_EQ(KivBaseUnknown::LiveInstances(), before - 1) << "children die with their parent";

  // A box whose parent died first is released by its last holder only.
  auto* orphan = new KivDlgDialog(main_, "Orphan");
  KivVar<KivDlgDialog> holder(orphan);  // e.g. a dialog agent watching the box
  main_ = NULL_var;
  EXPECT_EQ(orphan->GetParent(), nullptr);
  orphan->RequestDelayedDestruction();  // the owner is gone: nothing to release
  KivDelayedDestruction::Flush();
  EXPECT_EQ(orphan->RefCount(), 1u) << "only the holder's reference is left";
}

TEST_F(DialogWidgetsTest, ContextualMenuItemsActivateAndAreDestroyedLater) {
  auto handler = KivMake<KivCommand>(nullptr, "rep");
  auto* menu = new KivDlgContextualMenu(main_, "Context");
  auto* item = new KivDlgPushItem(menu, "HideShowScrollBar");
  item->SetTitle("HideScrollBar");
  item->SetFather(handler);
  int activations = 0;
  handler->AddAnalyseNotificationCB(item, item->GetMenuIActivateNotification(),
                                    [&](KivCommand*, KivNotification*, void*) { ++activations; });
  EXPECT_TRUE(item->Push());
  EXPECT_EQ(activations, 1);
  new KivDlgPushItem(menu, "Other");
  menu->RemoveAllItems();
  EXPECT_EQ(menu->GetChildCount(), 0);
  EXPECT_EQ(KivDelayedDestruction::Pending(), 2u) << "released after the user event";
  KivDelayedDestruction::Flush();
}

TEST_F(DialogWidgetsTest, NotificationWindowsGoToTheMessageLog) {
  auto* notify = new KivDlgNotify(main_, "Unexpected", 0x10000000);
  EXPECT_EQ(notify->DisplayBlocked("Please Close the PERT Chart and Try.", "Error"),
            KivDlgNfyAnswerOK);
  KivMessageLog::QueueAnswer(KivDlgNfyAnswerCancel);
  auto* warning = new KivDlgNotify(main_, "NoZitBlt", KivDlgNfyErrorOK);
  EXPECT_EQ(warning->DisplayBlocked("No ZitBlts Present", "Warning"), KivDlgNfyAnswerCancel);
  const auto messages = KivMessageLog::GetMessages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].dialogName, "Unexpected");
  EXPECT_EQ(messages[0].style, 0x10000000);
  EXPECT_EQ(messages[0].title, KivUnicodeString("Error"));
  EXPECT_EQ(messages[0].text, KivUnicodeString("Please Close the PERT Chart and Try."));
  EXPECT_EQ(KivMessageLog::Last().answer, KivDlgNfyAnswerCancel);
}

// A box that handles its own OK, as a modal choice box does, and then tells
// its father.
class TstChoiceBox : public KivDlgDialog {
  KIV_CLASS(TstChoiceBox, KivDlgDialog, "Tests")
 public:
  explicit TstChoiceBox(KivDialog* parent) : KivDlgDialog(parent, "TstChoiceBox") {
    AddAnalyseNotificationCB(this, GetDiaOKNotification(),
                             [this](KivCommand*, KivNotification*, void*) {
                               ++ownOK;
                               SetVisibility(KivDlgHide);
                             });
  }
  int ownOK = 0;
};

TEST_F(DialogWidgetsTest, BoxHearsItsOwnOKBeforeItsFather) {
  auto father = KivMake<KivCommand>(nullptr, "item");
  auto* box = new TstChoiceBox(main_);
  box->SetFather(father);
  int fatherHeard = 0;
  father->AddAnalyseNotificationCB(box, "KivDlgDiaOKNotification",
                                   [&](KivCommand*, KivNotification*, void*) { ++fatherHeard; });
  box->SetVisibility(KivDlgShow);
  EXPECT_TRUE(box->PushOK());
  EXPECT_EQ(box->ownOK, 1);
  EXPECT_EQ(fatherHeard, 0) << "handled by the box itself";
  EXPECT_FALSE(box->IsVisible());
  box->SendNotification(box->GetFather(), box->GetDiaOKNotification());
  EXPECT_EQ(fatherHeard, 1) << "then passed on explicitly";
}

}  // namespace
