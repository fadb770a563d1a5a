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

class InteractionTest : public FrameFixture {
 protected:
  KivCreationRegistrar viewer_{"TstViewerCmd", &CreateTstViewerCmd};
};

TEST_F(InteractionTest, CommandPicksThroughItsFilterActsOnceAndIsDestroyedAfterTheEvent) {
  auto refusedFile = KivInteraction::OpenDocument(KivUnicodeString("/nonexistent/a.process"));
  EXPECT_FALSE(refusedFile);
  EXPECT_FALSE(refusedFile.message.empty());
  EXPECT_EQ(KivFrmEditor::GetCurrentEditor(), nullptr) << "a refused document opens nothing";
  EXPECT_EQ(KivFrmLayout::GetCurrentLayout()->GetWindowCount(), 0);
  EXPECT_FALSE(KivInteraction::Pick("S1")) << "no document open";
  TstLine line;
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
  line.document->DeleteActivities(Objects({line.s1}));
  auto deleted = KivInteraction::Pick(line.s1.get());
  EXPECT_FALSE(deleted) << "a deleted activity cannot be picked";
  EXPECT_NE(deleted.message.find("deleted"), std::string::npos) << deleted.message;
}

TEST_F(InteractionTest, DialogsAreAnsweredByNameWhileShown) {
  TstLine line;
  ASSERT_TRUE(KivInteraction::OpenDocument(line.document));
  auto* main = KivApplicationFrame::GetFrame()->GetMainWindow();
  auto* box = new KivDlgDialog(main, "TstGroupDlg", 0x40c01);
  auto* frame = new KivDlgFrame(box, "FrameActivityDlg");
  auto* name = new KivDlgEditor(frame, "EditorActivityName");
  auto* cycle = new KivDlgCombo(frame, "ComboCycleTime", 0x40000);
  cycle->SetLine("children", -1, 0x40);
  cycle->SetLine("parent", -1, 0x40);
  auto* keep = new KivDlgCheckButton(frame, "Keep");
  std::vector<std::string> answers;
  for (KivNotification* answer : {box->GetDiaOKNotification(), box->GetDiaCANCELNotification(),
                                  box->GetWindCloseNotification()})
    box->AddAnalyseNotificationCB(
        box, answer, [&](KivCommand*, KivNotification* n, void*) { answers.push_back(n->IsA()); });
  EXPECT_FALSE(KivInteraction::TypeText("TstGroupDlg", "EditorActivityName", "G"))
      << "the box is still hidden";
  box->SetVisibility(KivDlgShow);
  EXPECT_TRUE(KivInteraction::TypeText("TstGroupDlg", "EditorActivityName", "GroupActivity"));
  EXPECT_FALSE(KivInteraction::TypeText("TstGroupDlg", "NoSuchEditor", "x"));
  EXPECT_FALSE(KivInteraction::ChooseLine("TstGroupDlg", "ComboCycleTime", "sibling"));
  EXPECT_TRUE(KivInteraction::ChooseLine("TstGroupDlg", "ComboCycleTime", "parent"));
  EXPECT_TRUE(KivInteraction::Check("TstGroupDlg", "Keep", true));
  EXPECT_EQ(name->GetText(), KivUnicodeString("GroupActivity"));
  EXPECT_EQ(cycle->GetSelectedLine(), KivUnicodeString("parent"));
  EXPECT_TRUE(keep->IsChecked());
  EXPECT_FALSE(KivInteraction::PressOK("NoSuchDlg"));
  EXPECT_TRUE(KivInteraction::PressOK("TstGroupDlg"));
  EXPECT_TRUE(KivInteraction::PressCancel("TstGroupDlg"));
  EXPECT_TRUE(KivInteraction::CloseWindow("TstGroupDlg"));
  EXPECT_EQ(answers, (Strings{"KivDlgDiaOKNotification", "KivDlgDiaCANCELNotification",
                              "KivDlgWindCloseNotification"}));
  EXPECT_FALSE(KivInteraction::PressOK("TstGroupDlg")) << "closed: no longer shown";
  box->RequestDelayedDestruction();
  EXPECT_EQ(KivInteraction::FindDialog("TstGroupDlg"), nullptr);
}

TEST_F(InteractionTest, APickListIsOneSelectionAndAStartedCommandCancelsTheRunningOne) {
  TstLine line;
  ASSERT_TRUE(KivInteraction::OpenDocument(line.document));
  ASSERT_TRUE(KivInteraction::Pick(Objects({line.s1, line.s2})));
  EXPECT_EQ(KivFrmEditor::GetCurrentEditor()->GetCSO()->GetSize(), 2);
  ASSERT_TRUE(KivInteraction::StartCommand("TstViewerCmd"));
  ASSERT_TRUE(KivInteraction::StartCommand("TstViewerCmd"));
  EXPECT_EQ(KivCommandStarter::RunningCount(), 1) << "the second cancelled the first (0x40)";
  EXPECT_EQ(viewerCommandsAlive, 1);
  EXPECT_TRUE(KivInteraction::CancelCommands());
  EXPECT_EQ(viewerCommandsAlive, 0);
}

}  // namespace
