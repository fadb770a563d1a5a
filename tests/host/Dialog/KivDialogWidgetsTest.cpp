// Dialog widgets and boxes; commands pass notifications up to their fathers;
// the selection (CSO) holds paths to picked objects and reports each change.
#include <string>
#include <vector>

#include "KivCSOChangeNotification.h"
#include "KivCommand.h"
#include "KivDialogTestSupport.h"
#include "KivDlgCheckButton.h"
#include "KivDlgCombo.h"
#include "KivDlgDialog.h"
#include "KivDlgEditor.h"
#include "KivDlgFrame.h"
#include "KivDlgNotify.h"
#include "KivDlgPushItem.h"
#include "KivDlgSelectorList.h"
#include "KivIPathAccess.h"

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
  box->SendNotification(box->GetFather(), box->GetDiaOKNotification());
  EXPECT_EQ(fatherHeard, 1) << "then passed on explicitly";
}

class TstPing : public KivNotification {
  KIV_CLASS(TstPing, KivNotification, "Tests")
};

class CommandTest : public DialogFixture {};

TEST_F(CommandTest, NotificationsTravelUpTheFathersUntilHandledAndListenersHearTheSender) {
  auto top = KivMake<KivCommand>(nullptr, "top");
  auto middle = KivMake<KivCommand>(top.get(), "middle");
  auto leaf = KivMake<KivCommand>(middle.get(), "leaf");
  auto ping = KivMake<TstPing>();
  std::vector<std::string> heard;
  top->AddAnalyseNotificationCB(leaf, ping.get(), [&](KivCommand* sender, KivNotification*, void*) {
    heard.push_back("top<-" + sender->GetName().str());
  });
  EXPECT_EQ(leaf->SendNotification(nullptr, ping), 1);
  EXPECT_EQ(heard, (std::vector<std::string>{"top<-leaf"}));
  const auto id = middle->AddAnalyseNotificationCB(
      nullptr, "TstPing", [&](KivCommand*, KivNotification*, void*) { heard.push_back("middle"); });
  leaf->SendNotification(nullptr, ping);
  EXPECT_EQ(heard.back(), "middle") << "the nearest father that handles it stops it";
  EXPECT_EQ(heard.size(), 2u);
  EXPECT_TRUE(middle->RemoveAnalyseNotificationCB(id));
  EXPECT_EQ(top->RemoveAnalyseNotificationCB(leaf, "TstPing"), 1);
  EXPECT_EQ(leaf->SendNotification(nullptr, ping), 0);

  // Listeners hear the sender itself, and a father that died is forgotten.
  int listened = 0;
  const auto listener =
      leaf->AddNotificationListener("TstPing", [&](KivCommand*, KivNotification*) { ++listened; });
  top = middle = NULL_var;
  EXPECT_EQ(leaf->GetFather(), nullptr) << "the father died first";
  EXPECT_EQ(leaf->SendNotification(nullptr, ping), 1);
  EXPECT_EQ(listened, 1);
  EXPECT_TRUE(leaf->RemoveNotificationListener(listener));
  EXPECT_EQ(leaf->SendNotification(nullptr, ping), 0);
}

std::string Labels(const KivListValKivBaseUnknown_var& paths) {
  std::string out;
  for (const auto& p : paths) out += LabelOf(KivAsPathElement(p.get())->GetLeaf()).str();
  return out;
}

TEST_F(CommandTest, ChangeNotificationsCarryAddedAndRemovedElements) {
  auto cso = KivMake<KivCSO>();
  auto a = KivMake<TstActivity>("A"), b = KivMake<TstActivity>("B");
  std::vector<std::string> heard;
  AddCallback(cso, "KivCSOChangeNotification", [&](KivBaseUnknown*, KivNotification* n, void*) {
    auto* change = dynamic_cast<KivCSOChangeNotification*>(n);
    ASSERT_NE(change, nullptr);
    heard.push_back("+" + Labels(change->GetAddedElements()) + " -" +
                    Labels(change->GetRemovedElements()));
  });
  EXPECT_TRUE(cso->AddElements(PathsOf({a, b})));
  EXPECT_FALSE(cso->AddElement(KivMake<KivPathElement>(a.get()))) << "already selected";
  EXPECT_TRUE(cso->RemoveElement(KivMake<KivPathElement>(a.get())));
  EXPECT_FALSE(cso->RemoveElement(KivMake<KivPathElement>(a.get())));
  EXPECT_TRUE(cso->AddElement(KivMake<KivPathElement>(a.get())));
  EXPECT_TRUE(cso->Empty());
  EXPECT_FALSE(cso->Empty()) << "emptying an empty set changes nothing";
  EXPECT_EQ(heard, (std::vector<std::string>{"+AB -", "+ -A", "+A -", "+ -BA"}));
}

// An object that knows its own path.
class TstNested : public KivImplement<KivIPathAccess> {
  KIV_CLASS(TstNested, KivBaseUnknown, "Tests")
 public:
  explicit TstNested(KivBaseUnknown* parent) : parent_(parent) {}
  KivPathElement_var GetPathElement() override {
    auto path = KivMake<KivPathElement>(parent_.get());
    path->AddChildElement(this);
    return path;
  }

 private:
  KivBaseUnknown_var parent_;
};

TEST_F(CommandTest, PathsAreTheSameWhenTheirObjectsAreAndObjectsMayKnowTheirPath) {
  auto root = KivMake<TstActivity>("R"), a = KivMake<TstActivity>("A");
  auto underRoot = KivMake<KivPathElement>(root.get());
  underRoot->AddChildElement(a);
  auto alone = KivMake<KivPathElement>(a.get());
  EXPECT_FALSE(underRoot->IsSamePath(alone)) << "same leaf, other context";
  EXPECT_EQ(underRoot->GetLeaf(), a.get());
  EXPECT_EQ(underRoot->GetFatherElement(), root.get());
  EXPECT_EQ(underRoot->GetElement(3), nullptr);
  auto cso = KivMake<KivCSO>();
  cso->AddElement(underRoot);
  cso->AddElement(alone);
  EXPECT_EQ(cso->GetSize(), 2);
  EXPECT_TRUE(cso->RemoveElementsOf(a)) << "removal by object takes every path of it";
  EXPECT_TRUE(cso->IsEmpty());
  EXPECT_EQ(underRoot->SearchObject("TstIActivity"), a.get()) << "search starts at the leaf";
  EXPECT_EQ(underRoot->SearchObject("KivIPathAccess"), nullptr);

  auto nested = KivMake<TstNested>(root.get());
  KivPathElement_var path = KivBuildPathElement(nested);
  ASSERT_TRUE(path);
  EXPECT_EQ(path->GetSize(), 2);
  EXPECT_EQ(path->GetRoot(), root.get());
  EXPECT_EQ(KivBuildPathElement(root)->GetSize(), 1);
  EXPECT_FALSE(KivBuildPathElement(nullptr));
}

}  // namespace
