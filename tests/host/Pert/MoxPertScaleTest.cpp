// What keeps large charts cheap must not change what they show: the cached
// first cells follow every change that can move them, and the grid stays
// bounded whatever the chart's extent.
#include "MoxPertClientVisuServices.h"
#include "MoxPertGrid.h"
#include "MoxPertTestSupport.h"

using MoxPertScale = MoxPertTest;

// Child order: Start, S1, S2, S3, Stop; all unplaced at first.
TEST_F(MoxPertScale, FirstCellsFollowPlacementsReparentingAndNewChildren) {
  auto firstCellOfS3 = [this] {
    EXPECT_EQ(MoxPexPertBaseServices::InitNodePosition(s3_), S_OK);
    return At(s3_).first;
  };
  EXPECT_EQ(firstCellOfS3(), 87.5) << "fourth unplaced child, fourth cell";
  Place(s1_, 400.0, 400.0);  // one unplaced sibling fewer before S3
  EXPECT_EQ(firstCellOfS3(), 62.5);
  Place(s2_, 37.5, -12.5);  // now S3 is second unplaced, and the cell is taken
  EXPECT_EQ(firstCellOfS3(), 62.5);
  Place(root_, 112.5, 12.5);  // the anchor moves the row
  EXPECT_EQ(firstCellOfS3(), 137.5);
  Place(s2_, 137.5, -12.5);
  EXPECT_EQ(firstCellOfS3(), 162.5);
  ASSERT_EQ(doc_->MoveActivity(s2_.get(), s1_.get()), S_OK);  // its cell is free again
  EXPECT_EQ(firstCellOfS3(), 137.5);
  EXPECT_EQ(At(s3_).second, -12.5);
}

TEST_F(MoxPertScale, GridLinesStayBoundedWhateverTheChartsExtent) {
  const double cases[][2] = {{100.0, 25.0}, {12000.0, 25.0}, {13000.0, 50.0}, {1e9, 3276800.0}};
  for (const auto& [far, spacing] : cases) {
    SCOPED_TRACE(far);
    auto viewer = KivMake<KivViewer>("grid");
    MoxPertGrid* grid = MoxPertClientVisuServices::CreateGrid(viewer.get());
    ASSERT_TRUE(grid);
    const auto f = static_cast<float>(far);
    grid->Extend(Kiv2DBoundingBox::FromCorners(0.0f, 0.0f, 10.0f, 10.0f));
    grid->Extend(Kiv2DBoundingBox::FromCorners(f, f, f + 16.0f, f + 8.0f));
    EXPECT_EQ(grid->GetLineSpacing(), spacing);
    EXPECT_LE(grid->GetLineCount(), 2 * (MoxPertGrid::kMaxLines + 2));
    EXPECT_GE(grid->GetBoundingElement().xmax, f) << "covers the chart";
    EXPECT_FALSE(viewer->CollectScene().empty());
  }
}
