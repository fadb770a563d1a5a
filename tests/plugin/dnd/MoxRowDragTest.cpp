// Rows dragged in a product flow viewer opened as a user opens it: the
// cursor while they move, the move on the release, and every component
// released afterwards (the fixture counts them).
#include "Kiv2DBagRep.h"
#include "KivIVisu.h"
#include "KivPertInteraction.h"
#include "MoxIPertNode.h"
#include "MoxListTestSupport.h"
#include "MoxPertViewer.h"

namespace {
// The viewer on S1's level: Load -> Weld, Weld's robot listed.
class MoxRowDragTest : public ListFixture {
 protected:
  void SetUp() override {
    ListFixture::SetUp();
    MoxIPertWindow_var window = Open(line_.s1);
    ASSERT_TRUE(window);
    pert_ = window->GetPertViewer();
    MoxIZitBltMgr_var(line_.weld.get())->GetZitBltButton("Resources")->Click();
  }
  KivMathPoint2Df RowCentre() {
    MoxScrollListRow row;
    List(line_.weld, "Resources")->GetRow(1, row);
    Kiv2DRep* label =
        dynamic_cast<Kiv2DBagRep*>(KivIVisu_var(row.visu.get())->GiveRep())->GetChild(1);
    const Kiv2DBoundingBox box =
        label->GetFather()->GetWorldMatrix().Apply(label->GetBoundingElement());
    return {(box.xmin + box.xmax) / 2, (box.ymin + box.ymax) / 2};
  }
  static KivMathPoint2Df Centre(const KivBaseUnknown_var& node) {
    double x = 0, y = 0;
    MoxIPertNode_var(node.get())->GetPosition(x, y, 1);
    return {static_cast<float>(x), static_cast<float>(y)};
  }
  KivViewer* pert_ = nullptr;
};

TEST_F(MoxRowDragTest, TheCursorFollowsWhatIsUnderTheRowAndTheReleaseMovesIt) {
  const KivMathPoint2Df from = RowCentre(), weld = Centre(line_.weld), load = Centre(line_.load);
  ASSERT_TRUE(pert_->DragStart(from.x, from.y));
  ASSERT_TRUE(pert_->DragStep(weld.x, weld.y));
  EXPECT_EQ(pert_->GetCursor(), 5);
  ASSERT_TRUE(pert_->DragStep(load.x + 100, load.y + 100));
  EXPECT_EQ(pert_->GetCursor(), 5);
  ASSERT_TRUE(pert_->DragStep(load.x, load.y));
  EXPECT_EQ(pert_->GetCursor(), 8);
  ASSERT_TRUE(pert_->DragEnd(load.x, load.y));
  EXPECT_EQ(pert_->GetCursor(), 0);
  EXPECT_EQ(Labels(List(line_.weld, "Resources")), "");
  EXPECT_EQ(Labels(List(line_.load, "Resources")), "Robot");
}

TEST_F(MoxRowDragTest, ARowReleasedOverNothingGoesBack) {
  const KivMathPoint2Df from = RowCentre();
  ASSERT_TRUE(KivPertInteraction::Drag(pert_, from, {{from.x + 60, from.y - 60}}));
  EXPECT_EQ(Labels(List(line_.weld, "Resources")), "Robot");
  EXPECT_EQ(RowCentre(), from);
}
}  // namespace
