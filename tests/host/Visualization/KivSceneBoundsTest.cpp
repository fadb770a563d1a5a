// The viewer frames the scene by walking it without flattening it: the
// bounds must be those of the flat items, through rotated bags, hidden reps
// and decoration that does not count.
#include "Kiv2DBagRep.h"
#include "Kiv2DLineRep.h"
#include "Kiv2DPolygonRep.h"
#include "KivViewer.h"
#include "KivVisTestSupport.h"

using KivSceneBoundsTest = KivVisTest;

TEST_F(KivSceneBoundsTest, AreThoseOfTheFlatItems) {
  auto viewer = KivMake<KivViewer>("bounds");
  auto decoration = KivMake<Kiv2DBagRep>();
  decoration->AddChild(KivMake<Kiv2DLineRep>(KivMathPoint2Df(-500, -3), KivMathPoint2Df(500, 3)));
  decoration->SetCountsForFraming(false);
  viewer->GetRootBag()->AddChild(decoration);
  EXPECT_EQ(viewer->GetSceneBounds(), Kiv2DBoundingBox::FromCorners(-500, -3, 500, 3))
      << "nothing else: the decoration is the scene";

  auto turned = KivMake<Kiv2DBagRep>(Kiv3x3Matrix::Rotation(0.5, 20, 10));
  turned->AddChild(KivMake<Kiv2DPolygonRep>(
      std::vector<KivMathPoint2Df>{{0, 0}, {8, 0}, {8, 3}, {0, 3}}));
  auto hidden = KivMake<Kiv2DLineRep>(KivMathPoint2Df(0, 0), KivMathPoint2Df(900, 900));
  hidden->SetShowMode(KivRep::kHidden);
  turned->AddChild(hidden);
  viewer->GetRootBag()->AddChild(turned);
  EXPECT_EQ(viewer->GetSceneBounds(), KivViewer::FramingBounds(viewer->CollectScene()));
  EXPECT_LT(viewer->GetSceneBounds().xmax, 100.0f);
}
