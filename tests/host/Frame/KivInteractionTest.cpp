#include <string>
#include <vector>

#include "KivCreationDictionary.h"
#include "KivDlgCheckButton.h"
#include "KivDlgCombo.h"
#include "KivDlgDialog.h"
#include "KivDlgEditor.h"
#include "KivDlgFrame.h"
#include "KivDlgNotify.h"
#include "KivFrameTestSupport.h"
#include "KivFrmWindow.h"
#include "KivISPPAbstractActivity.h"
#include "KivInteraction.h"
#include "KivStateCommand.h"

namespace {

int viewerCommandsAlive = 0;

// Picks one station, refuses other activities, opens a window for it and
// says so in a message; then ends.
class TstViewerCmd : public KivStateCommand {
  KIV_CLASS(TstViewerCmd, KivStateCommand, "Tests")
 public:
  TstViewerCmd() : KivStateCommand("TstViewerCmd", 0x40, 0) { ++viewerCommandsAlive; }
  void BuildGraph() override {
    agent_ = new KivPathElementAgent("Activity");
    agent_->SetElementType("KivISPPAbstractActivity");
    AddCSOClient(agent_);
    agent_->SetBehavior(KivAgentPickOne);
    agent_->SetFilter(Filter(this, &TstViewerCmd::IsStation));
    KivDialogState* start = GetInitialState("SelectActivity");
    start->AddDialogAgent(agent_);
    AddTransition(start, nullptr, Action(this, &TstViewerCmd::Open));
    SetRepeatMode(false);
  }
  bool IsStation(KivDialogAgent*, void*) {
    KivISPPAbstractActivity_var activity = agent_->GetElementValue();
    return activity && activity->GetActivityType() == KivUnicodeString("BIWActivityStation");
  }
  bool Open(void*) {
    KivISPPAbstractActivity_var activity = agent_->GetElementValue();
    new KivFrmWindow(activity->GetActivityLabel().ConvertToUTF8() + "Product Flow Viewer",
                     KivFrmEditor::GetCurrentEditor());
    auto* notify = new KivDlgNotify(KivApplicationFrame::GetFrame()->GetMainWindow(), "Opened",
                                    KivDlgNfyErrorOK);
    notify->DisplayBlocked(activity->GetActivityLabel(), "Info");
    notify->RequestDelayedDestruction();
    return true;
  }

 protected:
  ~TstViewerCmd() override {
    agent_->RequestDelayedDestruction();
    --viewerCommandsAlive;
  }

 private:
  KivPathElementAgent* agent_ = nullptr;
};
KivBaseUnknown* CreateTstViewerCmd() { return new TstViewerCmd(); }

// Collects activities with repeated picks, shows a box after the first one
// and reports the box's fields on OK; Cancel and window close end it.
class TstGroupCmd : public KivStateCommand {
  KIV_CLASS(TstGroupCmd, KivStateCommand, "Tests")
 public:
  TstGroupCmd() : KivStateCommand("TstGroupCmd", 0x40, 0) {
    auto* main = KivApplicationFrame::GetFrame()->GetMainWindow();
    box_ = new KivDlgDialog(main, "TstGroupDlg", 0x40c01);
    box_->SetFather(this);
    auto* frame = new KivDlgFrame(box_, "FrameActivityDlg");
    name_ = new KivDlgEditor(frame, "EditorActivityName");
    cycle_ = new KivDlgCombo(frame, "ComboCycleTime", 0x40000);
    cycle_->SetLine("children", -1, 0x40);
    cycle_->SetLine("parent", -1, 0x40);
    keep_ = new KivDlgCheckButton(frame, "Keep");
  }
  void BuildGraph() override {
    agent_ = new KivPathElementAgent("ActSel");
    agent_->SetBehavior(KivAgentPickMany);
    AddCSOClient(agent_);
    agent_->SetElementType("KivISPPActivity");
    KivDialogState* start = GetInitialState("initialState");
    start->AddDialogAgent(agent_);
    KivDialogState* selectOK = AddDialogState("SelectOK");
    ok_ = new KivDialogAgent("OK");
    cancel_ = new KivDialogAgent("Cancel");
    selectOK->AddDialogAgent(cancel_);
    selectOK->AddDialogAgent(ok_);
    selectOK->AddDialogAgent(agent_);
    ok_->AcceptOnNotify(box_, box_->GetDiaOKNotification());
    cancel_->AcceptOnNotify(box_, box_->GetWindCloseNotification());
    cancel_->AcceptOnNotify(box_, box_->GetDiaCANCELNotification());
    AddTransition(start, selectOK, IsOutputSetCondition(agent_), Action(this, &TstGroupCmd::First));
    AddTransition(selectOK, selectOK, IsOutputSetCondition(agent_),
                  Action(this, &TstGroupCmd::More));
    AddTransition(selectOK, nullptr, IsOutputSetCondition(cancel_));
    AddTransition(selectOK, nullptr, IsOutputSetCondition(ok_), Action(this, &TstGroupCmd::Apply));
  }
  bool First(void* data) {
    More(data);
    box_->SetVisibility(KivDlgShow);
    return true;
  }
  bool More(void*) {
    for (const auto& value : agent_->GetListOfValues())
      picked.push_back(NameOf(KivAsPathElement(value.get())->GetLeaf()));
    return true;
  }
  bool Apply(void*) {
    report = name_->GetText().ConvertToUTF8() + "/" + cycle_->GetSelectedLine().ConvertToUTF8() +
             "/" + (keep_->IsChecked() ? "keep" : "drop");
    return true;
  }
  static std::vector<std::string> picked;
  static std::string report;

 protected:
  ~TstGroupCmd() override {
    box_->RequestDelayedDestruction();
    if (agent_) agent_->RequestDelayedDestruction();
    if (ok_) ok_->RequestDelayedDestruction();
    if (cancel_) cancel_->RequestDelayedDestruction();
  }

 private:
  KivDlgDialog* box_;
  KivDlgEditor* name_;
  KivDlgCombo* cycle_;
  KivDlgCheckButton* keep_;
  KivPathElementAgent* agent_ = nullptr;
  KivDialogAgent* ok_ = nullptr;
  KivDialogAgent* cancel_ = nullptr;
};
std::vector<std::string> TstGroupCmd::picked;
std::string TstGroupCmd::report;
KivBaseUnknown* CreateTstGroupCmd() { return new TstGroupCmd(); }

class InteractionTest : public FrameFixture {
 protected:
  void SetUp() override {
    FrameFixture::SetUp();
    TstGroupCmd::picked.clear();
    TstGroupCmd::report.clear();
  }
  KivCreationRegistrar viewer_{"TstViewerCmd", &CreateTstViewerCmd};
  KivCreationRegistrar group_{"TstGroupCmd", &CreateTstGroupCmd};
};

TEST_F(InteractionTest, CommandPicksThroughItsFilterActsOnceAndIsDestroyedAfterTheEvent) {
  TstLine line;
  EXPECT_FALSE(KivInteraction::Pick("S1")) << "no document open";
  ASSERT_TRUE(KivInteraction::OpenDocument(line.document));
  auto unknown = KivInteraction::StartCommand("TstNoSuchCmd");
  EXPECT_FALSE(unknown);
  EXPECT_NE(unknown.message.find("TstNoSuchCmd"), std::string::npos) << unknown.message;

  ASSERT_TRUE(KivInteraction::StartCommand("TstViewerCmd"));
  EXPECT_EQ(viewerCommandsAlive, 1);
  auto refused = KivInteraction::Pick("L1");
  EXPECT_FALSE(refused) << "a loading is no station";
  EXPECT_NE(refused.message.find("refused"), std::string::npos) << refused.message;
  EXPECT_FALSE(KivInteraction::Pick("Nobody"));
  ASSERT_TRUE(KivInteraction::Pick("s2")) << "by identifier";
  EXPECT_EQ(viewerCommandsAlive, 0) << "ended and released within the pick event";
  EXPECT_NE(KivFrmLayout::GetCurrentLayout()->FindWindow("S2Product Flow Viewer"), nullptr);
  const auto messages = KivInteraction::Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].dialogName, "Opened");
  EXPECT_EQ(messages[0].text, KivUnicodeString("S2"));
  EXPECT_EQ(KivApplicationFrame::GetFrame()->GetMainWindow()->GetChildCount(), 0);

  ASSERT_TRUE(KivInteraction::Pick(line.s3.get())) << "no command: a plain selection";
  EXPECT_TRUE(KivFrmEditor::GetCurrentEditor()->GetCSO()->ContainsObject(line.s3));
  line.document->DeleteActivities({KivBaseUnknown_var(line.s1.get())});
  auto deleted = KivInteraction::Pick(line.s1.get());
  EXPECT_FALSE(deleted) << "a deleted activity cannot be picked";
  EXPECT_NE(deleted.message.find("deleted"), std::string::npos) << deleted.message;
}

TEST_F(InteractionTest, DialogIsAnsweredByNameAndOKReportsItsFields) {
  TstLine line;
  ASSERT_TRUE(KivInteraction::OpenDocument(line.document));
  ASSERT_TRUE(KivInteraction::StartCommand("TstGroupCmd"));
  EXPECT_FALSE(KivInteraction::TypeText("TstGroupDlg", "EditorActivityName", "G"))
      << "the box is still hidden";
  ASSERT_TRUE(
      KivInteraction::Pick({KivBaseUnknown_var(line.s1.get()), KivBaseUnknown_var(line.s2.get())}))
      << "a multi-selection in one event";
  ASSERT_TRUE(KivInteraction::Pick("S3"));
  EXPECT_EQ(TstGroupCmd::picked, (std::vector<std::string>{"S1", "S2", "S3"}));

  EXPECT_TRUE(KivInteraction::TypeText("TstGroupDlg", "EditorActivityName", "GroupActivity"));
  EXPECT_FALSE(KivInteraction::TypeText("TstGroupDlg", "NoSuchEditor", "x"));
  EXPECT_FALSE(KivInteraction::ChooseLine("TstGroupDlg", "ComboCycleTime", "sibling"));
  EXPECT_TRUE(KivInteraction::ChooseLine("TstGroupDlg", "ComboCycleTime", "parent"));
  EXPECT_TRUE(KivInteraction::Check("TstGroupDlg", "Keep", true));
  EXPECT_FALSE(KivInteraction::PressOK("NoSuchDlg"));
  ASSERT_TRUE(KivInteraction::PressOK("TstGroupDlg"));
  EXPECT_EQ(TstGroupCmd::report, "GroupActivity/parent/keep");
  EXPECT_EQ(KivCommandStarter::RunningCount(), 0);
  EXPECT_EQ(KivInteraction::FindDialog("TstGroupDlg"), nullptr) << "the box went with its command";
}

TEST_F(InteractionTest, CancelAndWindowCloseEndTheCommandWithoutApplying) {
  TstLine line;
  ASSERT_TRUE(KivInteraction::OpenDocument(line.document));
  for (const bool close : {false, true}) {
    ASSERT_TRUE(KivInteraction::StartCommand("TstGroupCmd"));
    ASSERT_TRUE(KivInteraction::Pick("S1"));
    ASSERT_TRUE(close ? KivInteraction::CloseWindow("TstGroupDlg")
                      : KivInteraction::PressCancel("TstGroupDlg"));
    EXPECT_EQ(KivCommandStarter::RunningCount(), 0);
  }
  EXPECT_TRUE(TstGroupCmd::report.empty());

  // Starting a command while another runs cancels the first one (0x40).
  ASSERT_TRUE(KivInteraction::StartCommand("TstGroupCmd"));
  ASSERT_TRUE(KivInteraction::StartCommand("TstViewerCmd"));
  EXPECT_EQ(KivCommandStarter::RunningCount(), 1);
  EXPECT_EQ(KivCommandStarter::GetActiveStateCommand()->GetName(), "TstViewerCmd");
  EXPECT_TRUE(KivInteraction::CancelCommands());
  EXPECT_EQ(viewerCommandsAlive, 0);
}

TEST_F(InteractionTest, RefusedDocumentOpensNothing) {
  auto result = KivInteraction::OpenDocument(KivUnicodeString("/nonexistent/nowhere.process"));
  EXPECT_FALSE(result);
  EXPECT_FALSE(result.message.empty());
  EXPECT_EQ(KivFrmEditor::GetCurrentEditor(), nullptr);
  EXPECT_EQ(KivFrmLayout::GetCurrentLayout()->GetWindowCount(), 0);
}

}  // namespace
