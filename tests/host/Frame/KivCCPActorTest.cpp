#include <string>
#include <vector>

#include "KivCCP_Actor.h"
#include "KivClipboard.h"
#include "KivFrameTestSupport.h"
#include "KivISPPChildManagement.h"
#include "KivInteraction.h"

namespace {

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
  KivListValKivBaseUnknown_var picked{KivBaseUnknown_var(line.s1.get()),
                                      KivBaseUnknown_var(line.s2.get()),
                                      line.document->GetStartNode(line.root)};
  ASSERT_TRUE(KivInteraction::Select(picked));

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
  EXPECT_EQ(Children(line.s3), (std::vector<std::string>{"S1", "S2"}));
  EXPECT_EQ(Selected(editor), (std::vector<std::string>{"S1", "S2"}));
  ASSERT_EQ(actor->GetPastedObjects().Size(), 2);
  KivPathElement* firstCopy = editor->GetCSO()->GetElement(1);
  EXPECT_EQ(NameOf(firstCopy->GetFatherElement()), "S3") << "the copies, not the originals";
  EXPECT_EQ(firstCopy->GetLeaf(), actor->GetPastedObjects()[1].get());
  EXPECT_EQ(Children(actor->GetPastedObjects()[1]), (std::vector<std::string>{"L1"}))
      << "copied with their children";

  // Cut the originals.
  ASSERT_TRUE(KivInteraction::Select(
      {KivBaseUnknown_var(line.s1.get()), KivBaseUnknown_var(line.s2.get())}));
  editor->GetHSO()->AddElement(editor->BuildPathElement(line.l1));
  ASSERT_TRUE(actor->SetMode(KivCCP_Actor::CopyMode));
  ASSERT_TRUE(actor->ReadSelection());
  ASSERT_TRUE(actor->CanCut());
  EXPECT_EQ(actor->Cut(), S_OK);
  EXPECT_FALSE(line.s1->IsAttached());
  EXPECT_FALSE(line.l1->IsAttached()) << "deleted with its parent";
  EXPECT_EQ(Children(line.root), (std::vector<std::string>{"S3"}));
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

  KivInteraction::Select({KivBaseUnknown_var(line.root.get())});
  ASSERT_TRUE(actor->ReadSelection());
  EXPECT_TRUE(actor->CanCopy());
  EXPECT_FALSE(actor->CanCut()) << "the root cannot be deleted";

  KivInteraction::Select({KivBaseUnknown_var(line.s2.get())});
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
