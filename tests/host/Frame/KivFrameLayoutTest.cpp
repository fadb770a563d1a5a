// Editors, their windows and viewers, and copy, cut and paste in an editor.
#include <string>
#include <vector>

#include "KivCCP_Actor.h"
#include "KivClipboard.h"
#include "KivFrameTestSupport.h"
#include "KivFrmWindow.h"
#include "KivISPPChildManagement.h"
#include "KivInteraction.h"

namespace {

class FrameLayoutTest : public FrameFixture {};

std::vector<std::string> WindowNames() {
  std::vector<std::string> names;
  for (const auto& held : KivFrmLayout::GetCurrentLayout()->GetWindows())
    names.push_back(dynamic_cast<KivFrmWindow*>(held->GetImpl())->GetName().str());
  return names;
}

TEST_F(FrameLayoutTest, OpeningDocumentsMakesTheirEditorsCurrentWithAWindowEach) {
  EXPECT_EQ(KivFrmEditor::GetCurrentEditor(), nullptr) << "nothing open yet";
  TstLine first, second;
  second.document->SetStorageName("/data/framing.process");
  ASSERT_TRUE(KivInteraction::OpenDocument(first.document));
  KivFrmEditor* firstEditor = KivFrmEditor::GetCurrentEditor();
  ASSERT_NE(firstEditor, nullptr);
  EXPECT_EQ(firstEditor->GetDocument(), static_cast<KivBaseUnknown*>(first.document.get()));
  EXPECT_TRUE(firstEditor->GetDocument()->IsAKindOf("KivProcess"));
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

TEST_F(FrameLayoutTest, LayoutListsWindowsAndTracksTheCurrentOne) {
  TstLine line;
  ASSERT_TRUE(KivInteraction::OpenDocument(line.document));
  KivFrmEditor* editor = KivFrmEditor::GetCurrentEditor();
  KivFrmLayout* layout = KivFrmLayout::GetCurrentLayout();
  auto* process = layout->GetCurrentWindow();
  auto* viewer = new KivFrmWindow("S1Product Flow Viewer", editor);
  EXPECT_EQ(layout->GetCurrentWindow(), viewer) << "a new window becomes current";
  EXPECT_EQ(viewer->GetEditor(), editor);

  KivListValKivBaseUnknown_var copy = layout->GetWindows();
  copy.RemoveAll();
  EXPECT_EQ(layout->GetWindowCount(), 2) << "the caller gets a copy";

  EXPECT_EQ(layout->SetCurrentWindow(process), S_OK);
  EXPECT_EQ(layout->GetCurrentWindow(), process);
  EXPECT_EQ(layout->SetCurrentWindow(nullptr), E_FAIL);

  int resized = 0;
  viewer->AddNotificationListener("KivFrmWindowResizeNotification",
                                  [&](KivCommand*, KivNotification*) { ++resized; });
  viewer->Resize(0, 0, 200, 100);
  EXPECT_EQ(resized, 1);
  EXPECT_EQ(viewer->GetWidth(), 200);

  EXPECT_EQ(layout->SetCurrentWindow(viewer), S_OK);
  viewer->DeleteWindow();
  EXPECT_EQ(layout->GetWindowCount(), 1);
  EXPECT_EQ(layout->GetCurrentWindow(), process) << "the last window left becomes current";
  EXPECT_EQ(layout->FindWindow("S1Product Flow Viewer"), nullptr);
  viewer->DeleteWindow();  // a second deletion does nothing
  KivDelayedDestruction::Flush();
}

TEST_F(FrameLayoutTest, ViewersOfTheEditorShowItsRegistryAndPathsStartAtTheRoot) {
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

  // Selection paths go from the root to the picked activity or node.
  KivPathElement_var path = editor->BuildPathElement(line.l1);
  ASSERT_TRUE(path);
  ASSERT_EQ(path->GetSize(), 3);
  EXPECT_EQ(NameOf(path->GetRoot()), "Line");
  EXPECT_EQ(NameOf(path->GetFatherElement()), "S1");
  EXPECT_EQ(NameOf(path->GetLeaf()), "L1");
  EXPECT_EQ(editor->BuildPathElement(line.document->GetStartNode(line.s1))->GetSize(), 3);
}

class CCPActorTest : public FrameFixture {
 protected:
  // Names of the leaves of the current selection.
  static std::vector<std::string> Selected(KivFrmEditor* editor) {
    std::vector<std::string> names;
    for (const auto& element : editor->GetCSO()->GetElements())
      names.push_back(NameOf(KivAsPathElement(element.get())->GetLeaf()));
    return names;
  }
  static std::vector<std::string> Children(KivBaseUnknown* activity) {
    std::vector<std::string> names;
    KivISPPChildManagement_var children = activity;
    auto list = children->ChildActivities("");
    for (const auto& child : *list)
      if (KivISPPActivity_var(child)) names.push_back(NameOf(child));
    return names;
  }
};

TEST_F(CCPActorTest, CopyAndPasteSelectTheCopiesThenCutDeletesTheOriginals) {
  TstLine line;
  ASSERT_TRUE(KivInteraction::OpenDocument(line.document));
  KivFrmEditor* editor = KivFrmEditor::GetCurrentEditor();
  ASSERT_TRUE(
      KivInteraction::Select(Objects({line.s1, line.s2, line.document->GetStartNode(line.root)})));

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
  EXPECT_EQ(Children(line.s3), (Strings{"S1", "S2"}));
  EXPECT_EQ(Selected(editor), (Strings{"S1", "S2"}));
  ASSERT_EQ(actor->GetPastedObjects().Size(), 2);
  KivPathElement* firstCopy = editor->GetCSO()->GetElement(1);
  EXPECT_EQ(NameOf(firstCopy->GetFatherElement()), "S3") << "the copies, not the originals";
  EXPECT_EQ(firstCopy->GetLeaf(), actor->GetPastedObjects()[1].get());
  EXPECT_EQ(Children(actor->GetPastedObjects()[1]), (Strings{"L1"}))
      << "copied with their children";

  // Cut the originals.
  ASSERT_TRUE(KivInteraction::Select(Objects({line.s1, line.s2})));
  editor->GetHSO()->AddElement(editor->BuildPathElement(line.l1));
  ASSERT_TRUE(actor->SetMode(KivCCP_Actor::CopyMode));
  ASSERT_TRUE(actor->ReadSelection());
  ASSERT_TRUE(actor->CanCut());
  EXPECT_EQ(actor->Cut(), S_OK);
  EXPECT_FALSE(line.s1->IsAttached());
  EXPECT_FALSE(line.l1->IsAttached()) << "deleted with its parent";
  EXPECT_EQ(Children(line.root), (Strings{"S3"}));
  EXPECT_TRUE(editor->GetCSO()->IsEmpty()) << "deleted objects leave the selection";
  EXPECT_TRUE(editor->GetHSO()->IsEmpty()) << "and the highlight, with what was below them";
  ASSERT_TRUE(actor->SetMode(KivCCP_Actor::PasteMode));
  EXPECT_FALSE(actor->CanPaste(target)) << "deleted activities cannot be pasted";
}

TEST_F(CCPActorTest, RefusesWhatItCannotDo) {
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

  KivInteraction::Select(Objects({line.root}));
  ASSERT_TRUE(actor->ReadSelection());
  EXPECT_TRUE(actor->CanCopy());
  EXPECT_FALSE(actor->CanCut()) << "the root cannot be deleted";

  KivInteraction::Select(Objects({line.s2}));
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
