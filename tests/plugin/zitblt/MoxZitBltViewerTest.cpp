// The status buttons in a product flow viewer opened as a user opens it: each
// node of the level gets its buttons, they follow a node the user moves, and
// closing the window takes them away.
#include "KivFrmLayout.h"
#include "KivFrmWindow.h"
#include "KivInteraction.h"
#include "KivPertInteraction.h"
#include "MoxIPertNode.h"
#include "MoxIPertWindow.h"
#include "MoxIZitBltMgr.h"
#include "MoxPertViewer.h"
#include "MoxZitBltRep.h"
#include "MoxZitBltTestSupport.h"

namespace {
class MoxZitBltViewerTest : public ZitBltFixture {
 protected:
  void SetUp() override {
    ZitBltFixture::SetUp();
    setenv("KivStartupPath", KIV_SOURCE_DIR "/resources", 1);
    auto root = document_->CreateRootActivity("Line");
    station_ = document_->CreateActivity(root, "BIWActivityStation", "S1");
    load_ = document_->CreateActivity(station_, "BIWActivityLoading", "Load");
    weld_ = document_->CreateActivity(station_, "BIWActivitySpotWelding", "Weld");
  }
  void TearDown() override {
    station_ = load_ = weld_ = NULL_var;
    ZitBltFixture::TearDown();
  }
  static MoxZitBltRep* Button(const KivISPPActivity_var& node, const char* name) {
    MoxZitBltRep* rep = nullptr;
    MoxIZitBltMgr_var(node.get())->FindZitBlt(name, &rep);
    return rep;
  }
  static KivMathVector2Df At(MoxZitBltRep* rep) {
    return rep->GetZitBltBtn()->GetMatrix()->GetTranslation();
  }
  static KivMathVector2Df Centre(const KivISPPActivity_var& node) {
    double x = 0, y = 0;
    MoxIPertNode_var(node.get())->GetPosition(x, y, 1);
    return {static_cast<float>(x), static_cast<float>(y)};
  }
  KivISPPActivity_var station_, load_, weld_;
};
}  // namespace

TEST_F(MoxZitBltViewerTest, EveryNodeOfTheLevelCarriesItsButtonsAndTheyFollowAMove) {
  ASSERT_TRUE(KivInteraction::OpenDocument(document_.get()));
  ASSERT_TRUE(KivInteraction::StartCommand("MoxPexProductFlowViewerCmd"));
  ASSERT_TRUE(KivInteraction::Pick(station_.get()));
  MoxIPertWindow_var window(KivFrmLayout::GetCurrentLayout()->GetCurrentWindow());
  ASSERT_TRUE(window);

  MoxZitBltRep* input = Button(weld_, "ProductInput");
  MoxZitBltRep* fastening = Button(weld_, "BIWPointFasteningStatusBars");
  ASSERT_NE(input, nullptr);
  ASSERT_NE(fastening, nullptr);
  ASSERT_NE(Button(load_, "Resources"), nullptr);
  EXPECT_EQ(input->GetViewer(), static_cast<KivViewer*>(window->GetPertViewer()));
  KivMathVector2Df centre = Centre(weld_);
  EXPECT_EQ(At(input), (KivMathVector2Df{centre.x - 8, centre.y + 4}));
  EXPECT_EQ(At(fastening), (KivMathVector2Df{centre.x, centre.y + 4}));

  ASSERT_TRUE(KivPertInteraction::MovePertNode("Weld", 312.5, 212.5));
  centre = Centre(weld_);
  EXPECT_EQ(centre, (KivMathVector2Df{312.5f, 212.5f}));
  EXPECT_EQ(At(input), (KivMathVector2Df{centre.x - 8, centre.y + 4}));
  EXPECT_EQ(At(fastening), (KivMathVector2Df{centre.x, centre.y + 4}));

  // A click on the icon, beside the node below its top corner, opens the
  // button's list.
  const KivMathVector2Df icon = At(input);
  EXPECT_TRUE(KivPertInteraction::ClickAt(window->GetPertViewer(), icon.x - 2, icon.y - 2));
  EXPECT_FALSE(input->IsButtonCollapse());

  KivFrmLayout::GetCurrentLayout()->GetCurrentWindow()->DeleteWindow();
  EXPECT_EQ(Button(weld_, "ProductInput"), nullptr);
}
