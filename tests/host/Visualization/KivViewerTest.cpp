#include "Kiv2DImagePixelRep.h"
#include "Kiv2DLineRep.h"
#include "Kiv2DPolygonRep.h"
#include "KivViewer.h"
#include "KivVisManager.h"
#include "KivVisTestSupport.h"

namespace {
// A filled square of side 2 centred on (x, y).
KivVar<Kiv2DPolygonRep> NewSquare(float x, float y) {
  auto square = KivMake<Kiv2DPolygonRep>(
      std::vector<KivMathPoint2Df>{{x - 1, y - 1}, {x + 1, y - 1}, {x + 1, y + 1}, {x - 1, y + 1}});
  square->SetFill(true);
  return square;
}

std::vector<Kiv2DRep*> Raw(const std::vector<KivVar<Kiv2DRep>>& reps) {
  std::vector<Kiv2DRep*> out;
  for (const auto& r : reps) out.push_back(r.get());
  return out;
}
}  // namespace

class ViewerTest : public KivVisTest {
 protected:
  KivViewer_var viewer = KivMake<KivViewer>("Test viewer");
};

TEST_F(ViewerTest, PicksTopmostFirstSkipsHiddenRepsAndPicksLinesWithinTheTolerance) {
  auto bottom = NewSquare(0, 0);
  auto top = NewSquare(0.5f, 0);
  auto bag = KivMake<Kiv2DBagRep>(Kiv3x3Matrix::Translation(5, 0));
  auto moved = NewSquare(-5, 0);  // lands on the origin through the bag
  bag->AddChild(moved);
  viewer->GetRootBag()->AddChild(bottom);
  viewer->GetRootBag()->AddChild(top);
  viewer->GetRootBag()->AddChild(bag);

  EXPECT_EQ(Raw(viewer->PickAll(0.2f, 0.2f)), (std::vector<Kiv2DRep*>{moved, top, bottom}));
  EXPECT_EQ(Raw(viewer->PickAll(-1.2f, 0)), (std::vector<Kiv2DRep*>{moved, bottom}));
  EXPECT_TRUE(viewer->PickAll(50, 50).empty());

  bag->SetShowMode(KivRep::kHidden);  // hides what it holds
  top->SetShowMode(KivRep::kHidden);
  EXPECT_EQ(Raw(viewer->PickAll(0.2f, 0.2f)), (std::vector<Kiv2DRep*>{bottom}));

  // Lines are picked within the tolerance, not beyond their ends.
  viewer->GetRootBag()->AddChild(
      KivMake<Kiv2DLineRep>(KivMathPoint2Df(20, 0), KivMathPoint2Df(30, 0)));
  EXPECT_EQ(viewer->PickAll(25, 0.4f).size(), 1u);
  EXPECT_TRUE(viewer->PickAll(25, 0.6f).empty());
  EXPECT_TRUE(viewer->PickAll(30.6f, 0).empty());
}

TEST_F(ViewerTest, RegistryModelsAreDrawnAndPickedAboveTheViewersOwnScene) {
  viewer->GetRootBag()->AddChild(NewSquare(0, 0));
  auto registry = KivMake<KivVis2DRegistry>();
  auto model = KivMake<KivModelForRep2D>();
  KivVar<Kiv2DRep> square = NewSquare(0, 0);
  model->SetRep(square);
  ASSERT_EQ(registry->AddModel(model), S_OK);
  EXPECT_EQ(registry->AddModel(model), E_FAIL) << "a model is registered once";

  EXPECT_EQ(viewer->PickAll(0, 0).size(), 1u) << "not attached yet";
  ASSERT_EQ(viewer->AttachRegistry(registry), S_OK);
  const auto picked = viewer->PickAll(0, 0);
  ASSERT_EQ(picked.size(), 2u);
  EXPECT_EQ(picked[0].get(), square.get());
  EXPECT_EQ(viewer->CollectScene().size(), 2u);

  ASSERT_EQ(registry->RemoveModel(model), S_OK);
  EXPECT_EQ(viewer->PickAll(0, 0).size(), 1u);
  EXPECT_EQ(viewer->DetachRegistry(registry), S_OK);
  EXPECT_EQ(viewer->DetachRegistry(registry), E_FAIL);
}

TEST_F(ViewerTest, CommitRedrawsOnlyViewersWhoseSceneChanged) {
  KivViewer_var other = KivMake<KivViewer>("Other");
  KivVisManager* manager = KivVisManager::GetVisManager();
  EXPECT_TRUE(manager->IsLiveViewer(viewer));
  manager->Commit();
  const int drawn = viewer->GetRedrawCount();
  EXPECT_EQ(manager->Commit(), 0) << "nothing changed";

  auto line = KivMake<Kiv2DLineRep>(KivMathPoint2Df(0, 0), KivMathPoint2Df(1, 0));
  viewer->GetRootBag()->AddChild(line);
  EXPECT_TRUE(viewer->NeedsRedraw());
  EXPECT_GE(manager->Commit(), 1);
  EXPECT_EQ(viewer->GetRedrawCount(), drawn + 1);
  EXPECT_FALSE(viewer->NeedsRedraw());

  // Changing an image that a rep draws is a change of the scene too.
  auto image = KivMake<KivPixelImage>(2, 2, KivPixelImage::kRgb);
  viewer->GetRootBag()->AddChild(KivMake<Kiv2DImagePixelRep>(KivMathPoint2Df(0, 0), image));
  manager->Commit();
  image->Convert(KivPixelImage::kGrey);
  EXPECT_TRUE(viewer->NeedsRedraw());

  KivViewer* gone = other.get();
  other = NULL_var;
  EXPECT_FALSE(manager->IsLiveViewer(gone));
}

TEST_F(ViewerTest, ViewpointResetFramesTheScene) {
  viewer->GetRootBag()->AddChild(NewSquare(100, 50));
  viewer->GetRootBag()->AddChild(NewSquare(140, 50));
  viewer->ResetViewpoint();
  Kiv2DViewpoint* viewpoint = viewer->GetMain2DViewpoint();
  EXPECT_EQ(viewpoint->GetCentre(), KivMathPoint2Df(120, 50));
  const Kiv2DBoundingBox visible = viewpoint->GetVisibleBox();
  EXPECT_LE(visible.xmin, 99.0f);
  EXPECT_GE(visible.xmax, 141.0f);
  double px, py;
  viewpoint->WorldToPixel({120, 50}, px, py);
  EXPECT_EQ(std::pair(px, py), std::pair(400.0, 250.0));
  EXPECT_EQ(viewpoint->PixelToWorld(px + 8, py - 8), KivMathPoint2Df(121, 51))
      << "8 pixels per unit, y up";

  // A scene too large for the window lowers the scale.
  viewer->GetRootBag()->AddChild(NewSquare(1000, 50));
  viewer->ResetViewpoint();
  EXPECT_LT(viewpoint->GetScale(), 1.0);
  EXPECT_GE(viewpoint->GetVisibleBox().xmax, 1001.0f);
}
