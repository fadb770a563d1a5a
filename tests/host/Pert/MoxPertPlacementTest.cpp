// PERT nodes and their placement: positions stored in the document, super
// node states and boxes, snapping, first cells, the grid, and the chart's
// configuration and matrices.
#include <cmath>
#include <gtest/gtest.h>

#include "KivSettingRepository.h"
#include "KivTestSupport.h"
#include "MoxGE0Config.h"
#include "MoxIPertPosition.h"
#include "MoxPertClientVisuServices.h"
#include "MoxPertController.h"
#include "MoxPertGrid.h"
#include "MoxPertTestSupport.h"
#include "MoxPexPertVisuServices.h"

using MoxPertNode = MoxPertTest;

// (That flag 1 places the node and flag 0 does not, the placement tests below
// show.)
TEST_F(MoxPertNode, PositionIsStoredInTheDocumentAndNaNIsRefused) {
  MoxIPertNode_var node(s1_.get());
  ASSERT_TRUE(node);
  ASSERT_EQ(node->SetPosition(62.5, 37.5, 1), S_OK);
  const KivPertNodeData data = doc_->GetPertNodeData(s1_.get());
  EXPECT_EQ(XY(data.x, data.y), XY(62.5, 37.5));
  double w = 0, h = 0;
  ASSERT_EQ(node->GetSize(w, h, 1), S_OK);
  EXPECT_EQ(XY(w, h), XY(16.0, 8.0));
  // Non-finite coordinates are refused through either interface and nothing moves.
  EXPECT_EQ(node->SetPosition(NAN, 0.0, 1), E_INVALIDARG);
  EXPECT_EQ(MoxIPertNodeExt_var(s1_.get())->SetPosition(0.0, INFINITY, 1), E_INVALIDARG);
  EXPECT_EQ(At(s1_), XY(62.5, 37.5));
  // Every node reports the document's root activity as position owner.
  for (const auto& each : {s1_, weld_, start_, root_})
    EXPECT_TRUE(MoxIPertPosition_var(each.get())->GetPertPositionOwner() == root_);
}

// (That a node without children is plain and a super node collapsed unless
// stored expanded, the chart's drawing tests and the plug-in's rearranging
// test show.)
TEST_F(MoxPertNode, MovingASuperNodeCarriesItsChildrenButFlagZeroLeavesThem) {
  Place(s2_, 100.0, 100.0);
  Place(load_, 125.0, 100.0);
  Place(s2_, 110.0, 90.0);
  EXPECT_EQ(At(load_), XY(135.0, 90.0));
  MoxIPertNode_var(s2_.get())->SetPosition(0.0, 0.0, 0);
  EXPECT_EQ(At(load_), XY(135.0, 90.0));
}

TEST_F(MoxPertNode, AnExpandedSuperNodeReportsTheBoxThatEnclosesItsChildren) {
  Place(s2_, 0.0, 0.0);
  Place(load_, 40.0, 0.0);
  Place(weld_, 40.0, -30.0);
  Expand(s2_);
  // Start and Stop of S2 were never placed: they sit at the origin, inside
  // the station's own box.
  EXPECT_EQ(At(s2_).first, 0.0);
  double w, h;
  MoxIPertNode_var(s2_.get())->GetSize(w, h, 1);
  // x: -8 .. 48 plus 2 each side; y: -34 .. 4, plus 2 below, 2 + 3 above.
  EXPECT_EQ(XY(w, h), XY(60.0, 45.0));
  EXPECT_EQ(At(s2_, 1), XY(20.0, -13.5));
  // The extended position places that box: the whole group moves.
  ASSERT_EQ(MoxIPertNodeExt_var(s2_.get())->SetPosition(30.0, -13.5, 1), S_OK);
  EXPECT_EQ(At(load_).first, 50.0);
  EXPECT_EQ(At(s2_).first, 10.0);
}

static HRESULT Snap(double& x, double& y, int index) {
  return MoxPertClientVisuServices::CalculateSnapPositionInPert(x, y, index, NULL_var);
}

TEST(MoxPertSnap, SnapsToCellCentresOrGridCrossingsAndRefusesWhatItCannotSnap) {
  const double samples[][2] = {{0.0, 12.5},       {12.5, 12.5},    {24.999, 12.5},
                               {25.0, 37.5},      {-0.001, -12.5}, {-12.5, -12.5},
                               {-25.0, -12.5},    {-37.4, -37.5},  {1e6 + 3.0, 1e6 + 12.5},
                               {49.999999, 37.5}, {50.0, 62.5}};
  for (const auto& s : samples) {
    double x = s[0], y = -s[0];
    ASSERT_EQ(Snap(x, y, 1), S_OK);
    EXPECT_DOUBLE_EQ(x, s[1]) << "x = " << s[0];
    EXPECT_DOUBLE_EQ(std::fmod(std::fabs(y) - 12.5, 25.0), 0.0) << "y = " << -s[0];
    double x2 = x, y2 = y;
    Snap(x2, y2, 1);
    EXPECT_EQ(XY(x2, y2), XY(x, y)) << "snapping again changes nothing";
  }
  double x = 37.4, y = -12.6;
  ASSERT_EQ(Snap(x, y, 2), S_OK);
  EXPECT_EQ(XY(x, y), XY(25.0, -25.0)) << "index 2 goes to the nearest grid crossing";

  // An unknown index or a non-finite coordinate leaves the point as given.
  x = 3.0, y = 4.0;
  EXPECT_EQ(Snap(x, y, 0), E_INVALIDARG);
  EXPECT_EQ(XY(x, y), XY(3.0, 4.0));
  double nan = NAN, inf = INFINITY;
  EXPECT_EQ(Snap(nan, y, 1), E_INVALIDARG);
  EXPECT_EQ(Snap(x, inf, 1), E_INVALIDARG);
  EXPECT_EQ(x, 3.0);
}

using MoxPertPlacement = MoxPertTest;

TEST_F(MoxPertPlacement, UnplacedChildrenTakeFreeCellsUnderTheParentAndSkipPlacedOnes) {
  Place(root_, 3.0, 20.0);  // in the cell centred on (12.5, 12.5)
  Place(s2_, 37.5, -12.5);  // the second cell of the row under it is taken
  ASSERT_EQ(MoxPertClientVisuServices::SetChildPertPositions(root_, 1), S_OK);
  std::vector<XY> placed;
  for (const auto& n : {start_, s1_, s2_, s3_, stop_}) placed.push_back(At(n));
  EXPECT_EQ(placed,
            (std::vector<XY>{
                {12.5, -12.5}, {62.5, -12.5}, {37.5, -12.5}, {87.5, -12.5}, {112.5, -12.5}}));
  EXPECT_FALSE(NotPlaced(stop_));
  EXPECT_EQ(MoxPertClientVisuServices::SetChildPertPositions(root_, 1), S_FALSE)
      << "nothing left to place";
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

// What keeps large charts cheap must not change what they show: the cached
// first cells follow every change that can move them, and the grid stays
// bounded whatever the chart's extent.
// Child order: Start, S1, S2, S3, Stop; all unplaced at first.
TEST_F(MoxPertPlacement, FirstCellsAreStableFollowPlacementsAndReparentingAndSpareThePlaced) {
  auto firstCellOfS3 = [this] {
    EXPECT_EQ(MoxPexPertBaseServices::InitNodePosition(s3_), S_OK);
    return At(s3_).first;
  };
  EXPECT_EQ(firstCellOfS3(), 87.5) << "fourth unplaced child, fourth cell";
  EXPECT_EQ(firstCellOfS3(), 87.5) << "the same again";
  EXPECT_TRUE(NotPlaced(s3_)) << "a first position is not a placement";
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
  // A placed node keeps its place; what is no activity has no PERT extension.
  const XY s1 = At(s1_);
  EXPECT_EQ(MoxPexPertBaseServices::InitNodePosition(s1_), S_FALSE);
  EXPECT_EQ(At(s1_), s1);
  bool notPlaced;
  EXPECT_EQ(MoxPexPertBaseServices::GetPertExtension(KivBaseUnknown_var(doc_.get()), notPlaced),
            E_FAIL);
}

TEST_F(MoxPertPlacement, GridLinesStayBoundedWhateverTheChartsExtent) {
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

// (How a given angle and translation place a rep, the plug-in's list tests show.)
TEST(MoxPexPertVisuServices, CreateMatrixWithoutArgumentsIsTheIdentity) {
  EXPECT_TRUE(MoxPexPertVisuServices::CreateMatrix(nullptr).IsIdentity());
}

// Reads the chart configuration from a scratch settings folder.
class MoxGE0ConfigTest : public testing::Test {
 protected:
  MoxGE0ConfigTest() { KivSettingRepository::ForgetAll(); }
  ~MoxGE0ConfigTest() override {
    MoxGE0Config::SetCurrent(NULL_var);
    KivSettingRepository::ForgetAll();
  }
  void WriteSettings(const std::string& text) {
    tmp_.Write("PertChartSettings.kivsettings", text);
    KivSettingRepository::ForgetAll();
  }
  TempFolder tmp_;
  ScopedEnv folder_{"KivUserSettingsPath", tmp_.Path().c_str()};
};

TEST_F(MoxGE0ConfigTest, TheSettingsOrAnInstalledConfigurationGiveTheGridAndColour) {
  EXPECT_FALSE(MoxGE0Config::GetCurrent()) << "no settings, no configuration";
  struct Case {
    const char* settings;
    bool grid;
    HRESULT colour;
    double r, g;
  };
  // Unreadable values keep the defaults.
  for (const Case& c : {Case{"Grid=no\nBackgroundColor=0.9, 0.95 1\n", false, S_OK, 0.9, 0.95},
                        Case{"Grid=maybe\nBackgroundColor=0.5 2.0 0.1\n", true, S_FALSE, -1, -1}}) {
    SCOPED_TRACE(c.settings);
    WriteSettings(c.settings);
    MoxIGE0Config_var config = MoxGE0Config::GetCurrent();
    ASSERT_TRUE(config);
    double r = -1, g = -1, b = -1;
    const HRESULT colour = config->GetBackgroundColor(r, g, b);
    EXPECT_EQ(std::tuple(config->IsGridWanted(), colour, r, g),
              std::tuple(c.grid, c.colour, c.r, c.g));
  }

  // An installed configuration wins over settings that turn the grid off.
  WriteSettings("Grid=no\n");
  auto installed = KivMake<MoxGE0Config>();
  installed->SetBackgroundColor(0.2, -1.0, 7.0);
  MoxGE0Config::SetCurrent(MoxIGE0Config_var(installed.get()));
  MoxIGE0Config_var config = MoxGE0Config::GetCurrent();
  EXPECT_TRUE(config->IsGridWanted());
  double r, g, b;
  ASSERT_EQ(config->GetBackgroundColor(r, g, b), S_OK);
  EXPECT_EQ(std::tuple(r, g, b), std::tuple(0.2, 0.0, 1.0)) << "clamped";
}
