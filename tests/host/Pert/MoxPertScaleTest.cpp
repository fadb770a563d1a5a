// What keeps large charts cheap must not change what they show: the cached
// first cells follow every change that can move them, a redraw batch draws
// what refreshing node by node drew, and the grid stays bounded whatever the
// chart's extent.
#include "MoxPertClientVisuServices.h"
#include "MoxPertController.h"
#include "MoxPertGrid.h"
#include "MoxPertTestSupport.h"
#include "MoxPexPertBaseServices.h"

namespace {

using MoxPertScale = MoxPertTest;

// Child order: Start, S1, S2, S3, Stop; all unplaced at first.
TEST_F(MoxPertScale, FirstCellsFollowPlacementsReparentingAndNewChildren) {
  double x = 0.0, y = 0.0;
  ASSERT_EQ(MoxPexPertBaseServices::InitNodePosition(s3_), S_OK);
  Position(s3_, x, y);
  EXPECT_EQ(x, 87.5) << "fourth unplaced child, fourth cell";

  Place(s1_, 400.0, 400.0);  // one unplaced sibling fewer before S3
  ASSERT_EQ(MoxPexPertBaseServices::InitNodePosition(s3_), S_OK);
  Position(s3_, x, y);
  EXPECT_EQ(x, 62.5);

  Place(s2_, 37.5, -12.5);  // now S3 is second unplaced, and the cell is taken
  ASSERT_EQ(MoxPexPertBaseServices::InitNodePosition(s3_), S_OK);
  Position(s3_, x, y);
  EXPECT_EQ(x, 62.5);

  Place(root_, 112.5, 12.5);  // the anchor moves the row
  ASSERT_EQ(MoxPexPertBaseServices::InitNodePosition(s3_), S_OK);
  Position(s3_, x, y);
  EXPECT_EQ(x, 137.5);

  Place(s2_, 137.5, -12.5);
  ASSERT_EQ(MoxPexPertBaseServices::InitNodePosition(s3_), S_OK);
  Position(s3_, x, y);
  EXPECT_EQ(x, 162.5);

  ASSERT_EQ(doc_->MoveActivity(s2_.get(), s1_.get()), S_OK);  // its cell is free again
  ASSERT_EQ(MoxPexPertBaseServices::InitNodePosition(s3_), S_OK);
  Position(s3_, x, y);
  EXPECT_EQ(x, 137.5);
  EXPECT_EQ(y, -12.5);
}

TEST_F(MoxPertScale, ABatchDrawsEachNodeAndLinkOnceWithTheResultOfRefreshingOneByOne) {
  auto viewer = KivMake<KivViewer>("batch");
  auto controller = KivVar<MoxPertController>::Adopt(
      new MoxPertController(nullptr, root_, viewer.get(), 0, 1, 1, NULL_var));
  const std::vector<KivBaseUnknown_var> nodes{start_, s1_, s2_, s3_};
  for (const auto& n : nodes) controller->AddPertNode(n);
  for (const auto& n : nodes) controller->BuildLinks(n, 0);
  const long linksBefore = controller->GetLinkDrawCount();
  {
    const MoxPertController::RedrawBatch batch(controller.get());
    double x = 12.5;
    for (const auto& n : nodes) {
      Place(n, x, 62.5);  // refreshes the node everywhere, links included
      controller->RefreshPertNode(n, 1);
      x += 50.0;
    }
    EXPECT_EQ(controller->GetNodeDrawCount(s1_), 1) << "nothing is drawn inside the batch";
  }
  for (const auto& n : nodes) EXPECT_EQ(controller->GetNodeDrawCount(n), 2);
  EXPECT_EQ(controller->GetLinkDrawCount() - linksBefore, controller->LinkCount());
  EXPECT_EQ(controller->LinkCount(), 3);
  const Kiv2DBagRep* rep = controller->GetNodeRep(s3_);
  ASSERT_TRUE(rep);
  EXPECT_EQ(rep->GetBoundingElement(), Kiv2DBoundingBox::FromCorners(154.5, 58.5, 170.5, 66.5))
      << "drawn at its new place";
  controller = NULL_var;
}

TEST_F(MoxPertScale, GridLinesStayBoundedWhateverTheChartsExtent) {
  struct Case {
    double far;
    double spacing;
  };
  const Case cases[] = {{100.0, 25.0}, {12000.0, 25.0}, {13000.0, 50.0}, {1e9, 3276800.0}};
  for (const Case& c : cases) {
    auto viewer = KivMake<KivViewer>("grid");
    MoxPertGrid* grid = MoxPertClientVisuServices::CreateGrid(viewer.get());
    ASSERT_TRUE(grid);
    grid->Extend(Kiv2DBoundingBox::FromCorners(0.0f, 0.0f, 10.0f, 10.0f));
    grid->Extend(Kiv2DBoundingBox::FromCorners(static_cast<float>(c.far), static_cast<float>(c.far),
                                               static_cast<float>(c.far) + 16.0f,
                                               static_cast<float>(c.far) + 8.0f));
    EXPECT_EQ(grid->GetLineSpacing(), c.spacing) << c.far;
    EXPECT_LE(grid->GetLineCount(), 2 * (MoxPertGrid::kMaxLines + 2)) << c.far;
    EXPECT_GE(grid->GetBoundingElement().xmax, static_cast<float>(c.far)) << "covers the chart";
    EXPECT_FALSE(viewer->CollectScene().empty());
  }
}

}  // namespace
