// The status buttons of a product flow viewer window over its life: moved to
// another level, drawn inside an expanded group node, hidden with a
// collapsed group, and refreshed when an assembly goes.
#include <set>

#include "KivDelayedDestruction.h"
#include "KivFrmLayout.h"
#include "KivFrmWindow.h"
#include "KivISPPFlowMgt.h"
#include "KivISPPItemMgt.h"
#include "KivInteraction.h"
#include "KivPertInteraction.h"
#include "MoxIMfgAssembly.h"
#include "MoxIPertNode.h"
#include "MoxIPertWindow.h"
#include "MoxListTestSupport.h"
#include "MoxPertAppInfoNotify.h"
#include "MoxPertNodeTraverser.h"
#include "MoxPertViewer.h"

namespace {
class MoxViewerButtonsTest : public ListFixture {
 protected:
  static KivFrmWindow* Window() { return KivFrmLayout::GetCurrentLayout()->GetCurrentWindow(); }
  // Where the node's input button should sit: the top left corner of its 16 x 8 box.
  static KivMathVector2Df InputCorner(const KivBaseUnknown_var& node) {
    double x = 0, y = 0;
    MoxIPertNode_var(node.get())->GetPosition(x, y, 1);
    return {static_cast<float>(x) - 8, static_cast<float>(y) + 4};
  }
  static KivMathVector2Df InputAt(const KivBaseUnknown_var& node) {
    MoxZitBltRep* input = Button(node, "ProductInput");
    return input && input->GetZitBltBtn() ? input->GetZitBltBtn()->GetMatrix()->GetTranslation()
                                          : KivMathVector2Df{-1e6f, -1e6f};
  }
};
}  // namespace

TEST_F(MoxViewerButtonsTest, ARetargetedWindowMovesTheButtonsAndCallbacksToTheNewLevel) {
  MoxIPertWindow_var window = Open(line_.cell);
  ASSERT_TRUE(window);
  ASSERT_NE(Button(line_.s1, "ProductInput"), nullptr);
  ASSERT_EQ(Button(line_.load, "ProductInput"), nullptr);
  KivEventPublisher* events = KivIModelEvents_var(line_.root.get())->GetNotificationDispatcher();
  const int callbacks = events->CallbackCount();

  KivBaseUnknown_var s1 = line_.s1;
  window->SetPertLevel(s1, nullptr, 0);
  EXPECT_EQ(Button(line_.s1, "ProductInput"), nullptr) << "the old level's buttons go";
  EXPECT_EQ(Button(line_.s2, "ProductInput"), nullptr);
  ASSERT_NE(Button(line_.weld, "ProductInput"), nullptr) << "the new level's buttons come";
  EXPECT_EQ(Button(line_.load, "ProductInput")->GetViewer(),
            static_cast<KivViewer*>(window->GetPertViewer()));
  EXPECT_EQ(events->CallbackCount(), callbacks) << "the old callbacks were replaced, not doubled";
  // The new level's moves reach its buttons.
  ASSERT_TRUE(KivPertInteraction::MovePertNode("Weld", 300.5, 200.5));
  EXPECT_EQ(InputAt(line_.weld), InputCorner(line_.weld));
  // A click on the icon, beside the node below its top corner, opens the list.
  const KivMathVector2Df icon = InputAt(line_.weld);
  EXPECT_TRUE(KivPertInteraction::ClickAt(window->GetPertViewer(), icon.x - 2, icon.y - 2));
  EXPECT_FALSE(Button(line_.weld, "ProductInput")->IsButtonCollapse());
}

TEST_F(MoxViewerButtonsTest, ButtonsInsideAnExpandedGroupFollowTheFirstLayoutAndGoWithTheWindow) {
  MoxIPertWindow_var window = Open(line_.cell, {&line_.s1});
  ASSERT_TRUE(window);
  for (const KivBaseUnknown_var* node : {&line_.load, &line_.weld}) {
    ASSERT_NE(Button(*node, "ProductInput"), nullptr);
    EXPECT_EQ(InputAt(*node), InputCorner(*node)) << "placed with the node after the layout";
  }
  Window()->DeleteWindow();
  KivDelayedDestruction::Flush();
  for (const KivBaseUnknown_var* node : {&line_.s1, &line_.load, &line_.weld})
    EXPECT_EQ(Button(*node, "ProductInput"), nullptr) << "gone with the window";
}

TEST_F(MoxViewerButtonsTest, ANoticeOnANodeHiddenInACollapsedGroupRemovesItsButtons) {
  MoxIPertWindow_var window = Open(line_.cell, {&line_.s1});
  ASSERT_TRUE(window);
  ASSERT_NE(Button(line_.load, "ProductInput"), nullptr);
  auto traverser = KivMake<MoxPertNodeTraverser>(window->GetPertController());
  ASSERT_EQ(traverser->HideChildrenNodes(line_.s1), S_OK);
  ASSERT_EQ(traverser->ChangePertNodeShape(2), S_OK);
  EXPECT_EQ(Button(line_.load, "ProductInput"), nullptr) << "collapsing hides the inner buttons";
  // Even a notice that asks to attach: the node is not shown any more.
  KivIModelEvents_var(line_.root.get())
      ->Dispatch(KivMake<MoxPertAppInfoNotify>(line_.load, 0.0, 0.0, MoxPertAppInfoNotify::kAttach));
  EXPECT_EQ(Button(line_.load, "ProductInput"), nullptr);
  EXPECT_NE(Button(line_.s2, "ProductInput"), nullptr) << "a shown node keeps its buttons";
}

TEST_F(MoxViewerButtonsTest, ADeletedAssemblyRefreshesTheLinkedActivitiesAndTheirParents) {
  MoxIPertWindow_var window = Open(line_.cell, {&line_.s1});
  ASSERT_TRUE(window);
  MoxIMfgAssembly_var kit = document_->CreateAssembly("Floor kit", "ma1");
  ASSERT_EQ(document_->AssignItem(line_.load.get(), kit.get()), S_OK);
  ASSERT_TRUE(document_->AddProductInput(line_.weld.get(), kit.get()));
  const auto before = RefreshCounts();
  ASSERT_EQ(document_->DeleteAssembly(kit.get()), S_OK);
  KivSPPList assigned = KivISPPItemMgt_var(line_.load.get())->ListItems("Item", 2);
  EXPECT_TRUE(!assigned || assigned->Locate(KivBaseUnknown_var(kit.get())) == 0)
      << "no assignment of it is left";
  KivSPPList links = KivISPPFlowMgt_var(line_.weld.get())->LinksWithItem(kit.get());
  EXPECT_TRUE(!links || links->IsEmpty()) << "nor a link to it";
  std::set<std::string> rebuilt;
  for (const auto& [list, count] : RefreshCounts())
    if (count != before.at(list)) rebuilt.insert(list);
  // Every list of the linked activities and of their parents, not only those
  // the document's own notices reach.
  for (const char* list : {"Load.ProductInput", "Load.Resources", "Weld.ProductInput",
                           "Weld.Resources", "S1.ProductInput", "S1.Resources"})
    EXPECT_TRUE(rebuilt.count(list)) << list;
}
