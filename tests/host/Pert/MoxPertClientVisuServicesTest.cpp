#include <cmath>
#include <limits>

#include "MoxPertClientVisuServices.h"
#include "MoxPertController.h"
#include "MoxPertGrid.h"
#include "MoxPertTestSupport.h"
#include "MoxPexPertBaseServices.h"

namespace {

TEST(MoxPertSnap, SnapsEveryPointToTheCentreOfItsCellAndSnappingAgainChangesNothing) {
  const double samples[][2] = {{0.0, 12.5},       {12.5, 12.5},    {24.999, 12.5},
                               {25.0, 37.5},      {-0.001, -12.5}, {-12.5, -12.5},
                               {-25.0, -12.5},    {-37.4, -37.5},  {1e6 + 3.0, 1e6 + 12.5},
                               {49.999999, 37.5}, {50.0, 62.5}};
  for (const auto& s : samples) {
    double x = s[0], y = -s[0];
    ASSERT_EQ(MoxPertClientVisuServices::CalculateSnapPositionInPert(x, y, 1, NULL_var), S_OK);
    EXPECT_DOUBLE_EQ(x, s[1]) << "x = " << s[0];
    EXPECT_DOUBLE_EQ(std::fmod(std::fabs(y) - 12.5, 25.0), 0.0) << "y = " << -s[0];
    double x2 = x, y2 = y;
    MoxPertClientVisuServices::CalculateSnapPositionInPert(x2, y2, 1, NULL_var);
    EXPECT_EQ(x2, x);
    EXPECT_EQ(y2, y);
  }
}

TEST(MoxPertSnap, GridLineIndexGoesToTheNearestCrossing) {
  double x = 37.4, y = -12.6;
  ASSERT_EQ(MoxPertClientVisuServices::CalculateSnapPositionInPert(x, y, 2, NULL_var), S_OK);
  EXPECT_DOUBLE_EQ(x, 25.0);
  EXPECT_DOUBLE_EQ(y, -25.0);
}

TEST(MoxPertSnap, UnknownIndexOrNonFiniteCoordinatesAreRefusedAndLeftAsGiven) {
  double x = 3.0, y = 4.0;
  EXPECT_EQ(MoxPertClientVisuServices::CalculateSnapPositionInPert(x, y, 0, NULL_var),
            E_INVALIDARG);
  EXPECT_EQ(x, 3.0);
  EXPECT_EQ(y, 4.0);
  double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(MoxPertClientVisuServices::CalculateSnapPositionInPert(nan, y, 1, NULL_var),
            E_INVALIDARG);
  double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(MoxPertClientVisuServices::CalculateSnapPositionInPert(x, inf, 1, NULL_var),
            E_INVALIDARG);
  EXPECT_EQ(x, 3.0);
}

using MoxPertPlacement = MoxPertTest;

TEST_F(MoxPertPlacement, UnplacedChildrenTakeFreeCellsUnderTheParentAndSkipPlacedOnes) {
  Place(root_, 3.0, 20.0);  // in the cell centred on (12.5, 12.5)
  Place(s2_, 37.5, -12.5);  // the second cell of the row under it is taken
  ASSERT_EQ(MoxPertClientVisuServices::SetChildPertPositions(root_, 1), S_OK);
  // Child order: Start, S1, S2 (placed), S3, Stop.
  double x, y;
  Position(start_, x, y);
  EXPECT_EQ(x, 12.5);
  EXPECT_EQ(y, -12.5);
  Position(s1_, x, y);
  EXPECT_EQ(x, 62.5);
  Position(s2_, x, y);
  EXPECT_EQ(x, 37.5);
  Position(s3_, x, y);
  EXPECT_EQ(x, 87.5);
  Position(stop_, x, y);
  EXPECT_EQ(x, 112.5);
  EXPECT_EQ(y, -12.5);
  bool notPlaced = true;
  ASSERT_EQ(MoxPexPertBaseServices::GetPertExtension(stop_, notPlaced), S_OK);
  EXPECT_FALSE(notPlaced);
  EXPECT_EQ(MoxPertClientVisuServices::SetChildPertPositions(root_, 1), S_FALSE)
      << "nothing left to place";
}

TEST_F(MoxPertPlacement, InitialPositionsAreDistinctStableAndLeaveTheNodeToBeLaidOut) {
  bool notPlaced = false;
  ASSERT_EQ(MoxPexPertBaseServices::GetPertExtension(s1_, notPlaced), S_OK);
  EXPECT_TRUE(notPlaced);
  ASSERT_EQ(MoxPexPertBaseServices::InitNodePosition(s1_), S_OK);
  ASSERT_EQ(MoxPexPertBaseServices::InitNodePosition(s3_), S_OK);
  double x1, y1, x3, y3;
  Position(s1_, x1, y1);
  Position(s3_, x3, y3);
  EXPECT_NE(x1, x3);
  ASSERT_EQ(MoxPexPertBaseServices::InitNodePosition(s1_), S_OK);
  double again, againY;
  Position(s1_, again, againY);
  EXPECT_EQ(again, x1);
  ASSERT_EQ(MoxPexPertBaseServices::GetPertExtension(s1_, notPlaced), S_OK);
  EXPECT_TRUE(notPlaced) << "a first position is not a placement";

  Place(s1_, 200.0, 200.0);
  EXPECT_EQ(MoxPexPertBaseServices::InitNodePosition(s1_), S_FALSE);
  Position(s1_, x1, y1);
  EXPECT_EQ(x1, 200.0);
  EXPECT_EQ(MoxPexPertBaseServices::GetPertExtension(KivBaseUnknown_var(doc_.get()), notPlaced),
            E_FAIL);
}

TEST_F(MoxPertPlacement, GridIsDrawnBeneathTheChartAndCoversItsCellsWithOneToSpare) {
  auto viewer = KivMake<KivViewer>("grid");
  auto controller = KivVar<MoxPertController>::Adopt(
      new MoxPertController(nullptr, root_, viewer.get(), 0, 1, 1, NULL_var));
  MoxPertGrid* grid = MoxPertClientVisuServices::CreateGrid(viewer.get());
  ASSERT_TRUE(grid);
  EXPECT_EQ(MoxPertClientVisuServices::CreateGrid(viewer.get()), grid);
  EXPECT_EQ(viewer->GetRootBag()->GetChild(1), grid) << "drawn first, beneath the chart";
  EXPECT_TRUE(grid->GetCoveredBox().IsEmpty());

  Place(s1_, 12.5, 12.5);  // box 4.5..20.5 x 8.5..16.5
  controller->AddPertNode(s1_);
  EXPECT_EQ(grid->GetCoveredBox(), Kiv2DBoundingBox::FromCorners(-25, -25, 50, 50));
  EXPECT_EQ(grid->GetLineCount(), 8) << "4 vertical and 4 horizontal lines";

  Place(s1_, 112.5, 12.5);
  EXPECT_EQ(grid->GetCoveredBox().xmax, 150.0f) << "the grid grows with a moved node";
  controller->RemoveAllPertNodes();
  EXPECT_TRUE(grid->GetCoveredBox().IsEmpty()) << "and shrinks when the chart empties";
}

}  // namespace
