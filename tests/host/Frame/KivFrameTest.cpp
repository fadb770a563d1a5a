// The application frame: editors, their windows and viewers; copy, cut and
// paste in an editor; commands, picks and dialogs driven by name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KivApplicationFrame.h"
#include "KivCCP_Actor.h"
#include "KivCreationDictionary.h"
#include "KivDlgCheckButton.h"
#include "KivDlgCombo.h"
#include "KivDlgDialog.h"
#include "KivDlgEditor.h"
#include "KivDlgFrame.h"
#include "KivFrameLeakCheck.h"
#include "KivFrmWindow.h"
#include "KivIModelObject.h"
#include "KivISPPAbstractActivity.h"
#include "KivISPPActivity.h"
#include "KivInteraction.h"
#include "KivLineBuilder.h"
#include "KivProcessDocument.h"
#include "KivStateCommand.h"

namespace {

// Root "Line" with stations S1 -> S2 -> S3 and a loading L1 under S1.
struct TstLine {
  KivVar<KivProcessDocument> document = KivProcessDocument::Create();
  KivLineBuilder line{document.get(), {"Line > S1 S2 S3", "S1 > L1:Loading", "S1 -> S2 -> S3"}};
  KivISPPActivity_var root = line["Line"], s1 = line["S1"], s2 = line["S2"], s3 = line["S3"],
                      l1 = line["L1"];
  TstLine() { document->SetStorageName("/data/underbody.process"); }
};

using Strings = std::vector<std::string>;

// The objects as a list, as a pick or a selection takes them.
using Objects = KivListValKivBaseUnknown_var;

inline std::string NameOf(KivBaseUnknown* object) {
  KivIModelObject_var named = object;
  return named ? named->ObjectName().ConvertToUTF8() : std::string("<none>");
}

int viewerCommandsAlive = 0;
std::string opened;  // the labels of the stations the command acted on

// Picks one station, refuses other activities, notes the station; then ends.
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
    opened += NameOf(agent_->GetElementValue());
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

// Closes the application frame after each test and proves that every
// component made in it is gone.
class FrameTest : public FrameLeakCheckedTest {
 protected:
  void SetUp() override {
    FrameLeakCheckedTest::SetUp();
    opened.clear();
  }
  // Names of the leaves of the current selection.
  static Strings Selected(KivFrmEditor* editor) {
    Strings names;
    for (const auto& element : editor->GetCSO()->GetElements())
      names.push_back(NameOf(KivAsPathElement(element.get())->GetLeaf()));
    return names;
  }
  KivCreationRegistrar viewer_{"TstViewerCmd", &CreateTstViewerCmd};
};

// (What a real command does with its pick, the plug-in's viewer command tests
// show; these are the edges of picking and starting by name.)
TEST_F(FrameTest, CommandPicksThroughItsFilterActsOnceAndIsDestroyedAfterTheEvent) {
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
  EXPECT_EQ(opened, "S2");
  // (Without a command a pick selects: the plug-in's drag and drop test.)

  line.document->DeleteActivities(Objects{line.s1});
  auto deleted = KivInteraction::Pick(line.s1.get());
  EXPECT_FALSE(deleted) << "a deleted activity cannot be picked";
  EXPECT_NE(deleted.message.find("deleted"), std::string::npos) << deleted.message;
}

// Answered by name only while shown, and only by widgets it has (what a typed
// name, a chosen line or a checked button then does, the plug-in's group,
// reassignment and hide/show dialog tests show).
TEST_F(FrameTest, DialogsAreAnsweredByNameWhileShown) {
  TstLine line;
  ASSERT_TRUE(KivInteraction::OpenDocument(line.document));
  auto* box =
      new KivDlgDialog(KivApplicationFrame::GetFrame()->GetMainWindow(), "TstGroupDlg", 0x40c01);
  auto* frame = new KivDlgFrame(box, "FrameActivityDlg");
  new KivDlgEditor(frame, "EditorActivityName");
  (new KivDlgCombo(frame, "ComboCycleTime", 0x40000))->SetLine("parent", -1, 0x40);
  new KivDlgCheckButton(frame, "Keep");
  EXPECT_FALSE(KivInteraction::TypeText("TstGroupDlg", "EditorActivityName", "G"))
      << "the box is still hidden";
  box->SetVisibility(KivDlgShow);
  // A hidden box of the same name, made later, does not answer for the shown one.
  auto* stale = new KivDlgDialog(KivApplicationFrame::GetFrame()->GetMainWindow(), "TstGroupDlg");
  EXPECT_EQ(KivInteraction::FindDialog("TstGroupDlg"), box);
  stale->RequestDelayedDestruction();
  EXPECT_TRUE(KivInteraction::TypeText("TstGroupDlg", "EditorActivityName", "GroupActivity"));
  EXPECT_FALSE(KivInteraction::TypeText("TstGroupDlg", "NoSuchEditor", "x"));
  EXPECT_FALSE(KivInteraction::ChooseLine("TstGroupDlg", "ComboCycleTime", "sibling"));
  EXPECT_TRUE(KivInteraction::Check("TstGroupDlg", "Keep", true));
  EXPECT_FALSE(KivInteraction::PressOK("NoSuchDlg"));
  EXPECT_TRUE(KivInteraction::CloseWindow("TstGroupDlg"));
  EXPECT_FALSE(KivInteraction::PressOK("TstGroupDlg")) << "closed: no longer shown";
  box->RequestDelayedDestruction();
  EXPECT_EQ(KivInteraction::FindDialog("TstGroupDlg"), nullptr);
}

std::vector<std::string> WindowNames() {
  std::vector<std::string> names;
  for (const auto& held : KivFrmLayout::GetCurrentLayout()->GetWindows())
    names.push_back(dynamic_cast<KivFrmWindow*>(held->GetImpl())->GetName().str());
  return names;
}

TEST_F(FrameTest, OpeningDocumentsMakesTheirEditorsCurrentWithAWindowEach) {
  EXPECT_EQ(KivFrmEditor::GetCurrentEditor(), nullptr) << "nothing open yet";
  TstLine first, second;
  second.document->SetStorageName("/data/framing.process");
  ASSERT_TRUE(KivInteraction::OpenDocument(first.document));
  KivFrmEditor* firstEditor = KivFrmEditor::GetCurrentEditor();
  ASSERT_NE(firstEditor, nullptr);
  EXPECT_EQ(firstEditor->GetDocument(), static_cast<KivBaseUnknown*>(first.document.get()));
  EXPECT_EQ(KivCSO::GetCurrent(), firstEditor->GetCSO());

  ASSERT_TRUE(KivInteraction::OpenDocument(second.document));
  KivFrmEditor* secondEditor = KivFrmEditor::GetCurrentEditor();
  EXPECT_NE(secondEditor, firstEditor);
  EXPECT_EQ(KivCSO::GetCurrent(), secondEditor->GetCSO()) << "the selection follows the editor";
  EXPECT_EQ(WindowNames(), (Strings{"underbody.process", "framing.process"}));

  ASSERT_TRUE(KivInteraction::OpenDocument(first.document));
  EXPECT_EQ(KivFrmEditor::GetCurrentEditor(), firstEditor) << "an open document keeps its editor";
  EXPECT_EQ(WindowNames().size(), 2u);

  EXPECT_EQ(KivApplicationFrame::GetFrame()->CloseEditor(firstEditor), S_OK);
  EXPECT_EQ(KivFrmEditor::GetCurrentEditor(), secondEditor);
  KivDelayedDestruction::Flush();
  EXPECT_EQ(WindowNames(), (Strings{"framing.process"})) << "closing an editor deletes its windows";
  EXPECT_EQ(KivApplicationFrame::GetFrame()->CloseEditor(firstEditor), E_FAIL);
}

TEST_F(FrameTest, LayoutListsWindowsAndTracksTheCurrentOne) {
  TstLine line;
  ASSERT_TRUE(KivInteraction::OpenDocument(line.document));
  KivFrmEditor* editor = KivFrmEditor::GetCurrentEditor();
  KivFrmLayout* layout = KivFrmLayout::GetCurrentLayout();
  auto* process = layout->GetCurrentWindow();
  auto* viewer = new KivFrmWindow("S1Product Flow Viewer", editor);
  // (That a new window becomes current, every viewer test of the plug-in needs.)
  EXPECT_EQ(viewer->GetEditor(), editor);
  EXPECT_EQ(layout->GetWindowCount(), 2);

  EXPECT_EQ(layout->SetCurrentWindow(nullptr), E_FAIL);
  // (Choosing the current window, the plug-in's viewer command test shows; a
  // resized window telling its listeners its size, the plug-in's viewer test.)

  viewer->DeleteWindow();
  EXPECT_EQ(layout->GetWindowCount(), 1);
  EXPECT_EQ(layout->GetCurrentWindow(), process) << "the last window left becomes current";
  EXPECT_EQ(layout->FindWindow("S1Product Flow Viewer"), nullptr);
  viewer->DeleteWindow();  // a second deletion does nothing
  KivDelayedDestruction::Flush();
}

// (That selection paths go from the root to the picked activity, the copy and
// paste test shows.)
TEST_F(FrameTest, ViewersOfTheEditorShowItsRegistry) {
  TstLine line;
  ASSERT_TRUE(KivInteraction::OpenDocument(line.document));
  KivFrmEditor* editor = KivFrmEditor::GetCurrentEditor();
  auto viewer = KivMake<KivViewer>("ProductFlow Viewer ", 0x40000, 800, 500);
  EXPECT_EQ(editor->GetISO()->AddViewer(viewer), S_OK);
  EXPECT_EQ(editor->GetISO()->AddViewer(viewer), E_FAIL);
  EXPECT_EQ(viewer->AttachRegistry(editor->GetVis2DRegistry()), E_FAIL)
      << "attached when it joined the interactive set";
  EXPECT_EQ(editor->GetISO()->RemoveViewer(viewer), S_OK);
  EXPECT_EQ(viewer->DetachRegistry(editor->GetVis2DRegistry()), E_FAIL)
      << "and detached on leaving";
  EXPECT_EQ(editor->GetISO()->RemoveViewer(viewer), E_FAIL);
  EXPECT_TRUE(KivApplicationFrame::GetFrame()->GetMainWindow()->IsVisible());
}

// (What the copies hold and what a delete takes with it, the model's copy
// and delete tests show; the plug-in's group command copies, pastes and cuts.)
TEST_F(FrameTest, CopyAndPasteSelectTheCopiesThenCutDeletesTheOriginals) {
  TstLine line;
  ASSERT_TRUE(KivInteraction::OpenDocument(line.document));
  KivFrmEditor* editor = KivFrmEditor::GetCurrentEditor();
  ASSERT_TRUE(
      KivInteraction::Select(Objects{line.s1, line.s2, line.document->GetStartNode(line.root)}));

  auto actor = KivMake<KivCCP_Actor>(0, editor);
  ASSERT_TRUE(actor->Init());
  EXPECT_FALSE(actor->ReadSelection()) << "no mode chosen yet";
  ASSERT_TRUE(actor->SetMode(KivCCP_Actor::CopyMode));
  ASSERT_TRUE(actor->ReadSelection());
  EXPECT_EQ(actor->GetReadActivities().Size(), 2) << "the Start node is no activity";
  ASSERT_TRUE(actor->CanCopy());
  EXPECT_EQ(actor->Copy(), S_OK);

  ASSERT_TRUE(actor->SetMode(KivCCP_Actor::PasteMode));
  EXPECT_FALSE(actor->CanPaste(editor->BuildPathElement(line.l1)))
      << "not below one of the copied activities";
  KivPathElement_var target = editor->BuildPathElement(line.s3);
  ASSERT_TRUE(actor->CanPaste(target));
  EXPECT_EQ(actor->Paste(target), S_OK);
  EXPECT_EQ(Selected(editor), (Strings{"S1", "S2"}));
  KivPathElement* firstCopy = editor->GetCSO()->GetElement(1);
  EXPECT_EQ(NameOf(firstCopy->GetFatherElement()), "S3") << "the copies, not the originals";
  EXPECT_EQ(firstCopy->GetLeaf(), actor->GetPastedObjects()[1].get());

  // Cut the originals.
  ASSERT_TRUE(KivInteraction::Select(Objects{line.s1, line.s2}));
  editor->GetHSO()->AddElement(editor->BuildPathElement(line.l1));
  ASSERT_TRUE(actor->SetMode(KivCCP_Actor::CopyMode));
  ASSERT_TRUE(actor->ReadSelection());
  ASSERT_TRUE(actor->CanCut());
  EXPECT_EQ(actor->Cut(), S_OK);
  EXPECT_FALSE(line.s1->IsAttached());
  EXPECT_TRUE(editor->GetCSO()->IsEmpty()) << "deleted objects leave the selection";
  EXPECT_TRUE(editor->GetHSO()->IsEmpty()) << "and the highlight, with what was below them";
  ASSERT_TRUE(actor->SetMode(KivCCP_Actor::PasteMode));
  EXPECT_FALSE(actor->CanPaste(target)) << "deleted activities cannot be pasted";
}

TEST_F(FrameTest, RefusesWhatItCannotDo) {
  TstLine line, other;
  ASSERT_TRUE(KivInteraction::OpenDocument(line.document));
  KivFrmEditor* editor = KivFrmEditor::GetCurrentEditor();
  EXPECT_FALSE(KivMake<KivCCP_Actor>(1, editor)->Init()) << "unknown clipboard type";
  EXPECT_FALSE(KivMake<KivCCP_Actor>(0, nullptr)->Init());

  auto actor = KivMake<KivCCP_Actor>(0, editor);
  ASSERT_TRUE(actor->Init());
  EXPECT_FALSE(actor->SetMode(2));
  actor->SetMode(KivCCP_Actor::CopyMode);
  EXPECT_FALSE(actor->ReadSelection()) << "empty selection";
  EXPECT_EQ(actor->Copy(), E_FAIL);
  EXPECT_EQ(actor->Cut(), E_FAIL);

  KivInteraction::Select(Objects{line.root});
  ASSERT_TRUE(actor->ReadSelection());
  EXPECT_TRUE(actor->CanCopy());
  EXPECT_FALSE(actor->CanCut()) << "the root cannot be deleted";

  KivInteraction::Select(Objects{line.s2});
  actor->ReadSelection();
  actor->Copy();
  actor->SetMode(KivCCP_Actor::PasteMode);
  EXPECT_FALSE(actor->CanPaste(nullptr));
  EXPECT_FALSE(actor->CanPaste(KivMake<KivPathElement>(other.s1.get())))
      << "a target in another document";
  EXPECT_TRUE(actor->CanPaste(editor->BuildPathElement(line.s1)));
  actor->CloseClipboard();
  EXPECT_TRUE(actor->CanPaste(editor->BuildPathElement(line.s1))) << "closing keeps the content";
  actor->OpenClipboard();
  actor->CloseClipboard();
  EXPECT_FALSE(actor->CanPaste(editor->BuildPathElement(line.s1))) << "opening emptied it";
  EXPECT_EQ(actor->Paste(editor->BuildPathElement(line.s1)), E_FAIL);
  EXPECT_EQ(line.document->ActivityCount(), 5) << "nothing was pasted";
}

}  // namespace
