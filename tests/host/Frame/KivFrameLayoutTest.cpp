#include <string>
#include <vector>

#include "KivFrameTestSupport.h"
#include "KivFrmWindow.h"
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
  EXPECT_EQ(WindowNames(), (std::vector<std::string>{"underbody.process", "framing.process"}));

  ASSERT_TRUE(KivInteraction::OpenDocument(first.document));
  EXPECT_EQ(KivFrmEditor::GetCurrentEditor(), firstEditor) << "an open document keeps its editor";
  EXPECT_EQ(WindowNames().size(), 2u);

  EXPECT_EQ(KivApplicationFrame::GetFrame()->CloseEditor(firstEditor), S_OK);
  EXPECT_EQ(KivFrmEditor::GetCurrentEditor(), secondEditor);
  KivDelayedDestruction::Flush();
  EXPECT_EQ(WindowNames(), (std::vector<std::string>{"framing.process"}))
      << "closing an editor deletes its windows";
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

}  // namespace
