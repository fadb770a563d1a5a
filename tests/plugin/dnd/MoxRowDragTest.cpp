// Rows dragged in a product flow viewer opened as a user opens it: the
// cursor while they move, the move on the release, and every component
// released afterwards (the fixture counts them).
#include "Kiv2DBagRep.h"
#include "KivFrmLayout.h"
#include "KivFrmWindow.h"
#include "KivISPPFlowMgt.h"
#include "KivIVisu.h"
#include "KivInteraction.h"
#include "KivPertInteraction.h"
#include "MoxIPertNode.h"
#include "MoxIPertWindow.h"
#include "MoxIScrollListZitBlt.h"
#include "MoxIZitBltMgr.h"
#include "MoxPertViewer.h"
#include "MoxZitBltTestSupport.h"

namespace {
class MoxRowDragTest : public ZitBltFixture {
 protected:
  void SetUp() override {
    ZitBltFixture::SetUp();
    setenv("KivStartupPath", KIV_SOURCE_DIR "/resources", 1);
    auto root = document_->CreateRootActivity("Line");
    s1_ = document_->CreateActivity(root, "BIWActivityStation", "S1").get();
    s2_ = document_->CreateActivity(root, "BIWActivityStation", "S2").get();
    document_->AddPrecedence(s1_.get(), s2_.get());
    robot_ = document_->CreateResource(nullptr, "Robot", "Robot").get();
    document_->AssignResource(s1_.get(), robot_.get());
    ASSERT_TRUE(KivInteraction::OpenDocument(document_.get()));
    ASSERT_TRUE(KivInteraction::StartCommand("MoxPexProductFlowViewerCmd"));
    ASSERT_TRUE(KivInteraction::Pick(root.get()));
    viewer_ = MoxIPertWindow_var(KivFrmLayout::GetCurrentLayout()->GetCurrentWindow())
                  ->GetPertViewer();
    MoxIZitBltMgr_var(s1_.get())->GetZitBltButton("Resources")->Click();
  }
  void TearDown() override {
    s1_ = s2_ = robot_ = NULL_var;
    ZitBltFixture::TearDown();
  }
  KivMathPoint2Df RowCentre() {
    MoxScrollListRow row;
    MoxIScrollListZitBlt_var(MoxIZitBltMgr_var(s1_.get())->GetZitBltButton("Resources").get())
        ->GetRow(1, row);
    auto* bag = dynamic_cast<Kiv2DBagRep*>(KivIVisu_var(row.visu.get())->GiveRep());
    Kiv2DRep* label = bag->GetChild(1);
    const Kiv2DBoundingBox box =
        label->GetFather()->GetWorldMatrix().Apply(label->GetBoundingElement());
    return {(box.xmin + box.xmax) / 2, (box.ymin + box.ymax) / 2};
  }
  static KivMathPoint2Df Centre(const KivBaseUnknown_var& node) {
    double x = 0, y = 0;
    MoxIPertNode_var(node.get())->GetPosition(x, y, 1);
    return {static_cast<float>(x), static_cast<float>(y)};
  }
  static int Resources(const KivBaseUnknown_var& activity) {
    return MoxIScrollListZitBlt_var(
               MoxIZitBltMgr_var(activity.get())->GetZitBltButton("Resources").get())
        ->GetRowCount();
  }
  KivBaseUnknown_var s1_, s2_, robot_;
  KivViewer* viewer_ = nullptr;
};

TEST_F(MoxRowDragTest, TheCursorFollowsWhatIsUnderTheRowAndTheReleaseMovesIt) {
  const KivMathPoint2Df from = RowCentre(), s1 = Centre(s1_), s2 = Centre(s2_);
  ASSERT_TRUE(viewer_->DragStart(from.x, from.y));
  ASSERT_TRUE(viewer_->DragStep(s1.x, s1.y));
  EXPECT_EQ(viewer_->GetCursor(), 5);
  ASSERT_TRUE(viewer_->DragStep(s2.x + 100, s2.y + 100));
  EXPECT_EQ(viewer_->GetCursor(), 5);
  ASSERT_TRUE(viewer_->DragStep(s2.x, s2.y));
  EXPECT_EQ(viewer_->GetCursor(), 8);
  ASSERT_TRUE(viewer_->DragEnd(s2.x, s2.y));
  EXPECT_EQ(viewer_->GetCursor(), 0);
  EXPECT_EQ(Resources(s1_), 0);
  EXPECT_EQ(Resources(s2_), 1);
}

TEST_F(MoxRowDragTest, ARowReleasedOverNothingGoesBack) {
  const KivMathPoint2Df from = RowCentre();
  ASSERT_TRUE(KivPertInteraction::Drag(viewer_, from, {{from.x + 60, from.y - 60}}));
  EXPECT_EQ(Resources(s1_), 1);
  EXPECT_EQ(RowCentre(), from);
}
}  // namespace
