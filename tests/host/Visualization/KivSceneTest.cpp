// The scene: bag reps and their children, matrices, boxes and attributes;
// the viewer's picking, manipulators, notifications, registries, redraws and
// viewpoint.
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "Kiv2DBagRep.h"
#include "Kiv2DImagePixelRep.h"
#include "Kiv2DLineRep.h"
#include "Kiv2DManipulator.h"
#include "Kiv2DMarkerRep.h"
#include "Kiv2DPolygonRep.h"
#include "KivManipulatorNotification.h"
#include "KivViewer.h"
#include "KivVisManager.h"
#include "KivVisTestSupport.h"

namespace {

KivVar<Kiv2DLineRep> NewLine(float x0, float y0, float x1, float y1) {
  return KivMake<Kiv2DLineRep>(KivMathPoint2Df(x0, y0), KivMathPoint2Df(x1, y1));
}
Kiv2DBoundingBox Box(float x0, float y0, float x1, float y1) {
  return Kiv2DBoundingBox::FromCorners(x0, y0, x1, y1);
}

class BagRepTest : public KivVisTest {};

TEST_F(BagRepTest, HoldsOneReferencePerChildHandsChildrenBackAndReleasesThemWithItself) {
  const long before = KivBaseUnknown::LiveInstances();
  auto bag = KivMake<Kiv2DBagRep>();
  auto line = NewLine(0, 0, 1, 1);
  ASSERT_EQ(bag->AddChild(line), S_OK);
  EXPECT_EQ(line->RefCount(), 2u) << "the caller's handle and the bag's reference";
  EXPECT_EQ(line->GetFather(), bag.get());
  auto inner = KivMake<Kiv2DBagRep>();
  inner->AddChild(NewLine(0, 0, 2, 2));
  bag->AddChild(inner);
  EXPECT_EQ(KivBaseUnknown::LiveInstances(), before + 4);

  // Taking a child out hands it back; it can go into another bag.
  KivVar<Kiv2DRep> taken = bag->RemoveChild(line);
  ASSERT_EQ(taken.get(), line.get());
  EXPECT_TRUE(line->GetFather() == nullptr && bag->GetChildCount() == 1);
  EXPECT_FALSE(bag->RemoveChild(line)) << "not a child any more";
  auto other = KivMake<Kiv2DBagRep>();
  EXPECT_EQ(other->AddChild(taken), S_OK);
  EXPECT_EQ(line->GetFather(), other.get());
  // Destroy takes a child out and releases it.
  inner.Reset();
  bag->GetChild(1)->Destroy();
  EXPECT_EQ(bag->GetChildCount(), 0);
  EXPECT_EQ(KivBaseUnknown::LiveInstances(), before + 3);
}

TEST_F(BagRepTest, ChildrenAreCountedFromOneAndChildrenThatBreakTheTreeAreRefused) {
  auto bag = KivMake<Kiv2DBagRep>();
  auto a = NewLine(0, 0, 1, 0), b = NewLine(0, 0, 2, 0), c = NewLine(0, 0, 3, 0);
  auto d = KivMake<Kiv2DBagRep>();
  bag->AddChild(b);
  ASSERT_EQ(bag->InsertChild(1, a), S_OK) << "inserted before the index";
  ASSERT_EQ(bag->InsertChild(3, d), S_OK) << "count + 1 appends";
  ASSERT_EQ(bag->InsertChild(3, c), S_OK);
  EXPECT_EQ(bag->InsertChild(0, NewLine(0, 0, 5, 0)), E_FAIL);
  EXPECT_EQ(bag->InsertChild(6, NewLine(0, 0, 5, 0)), E_FAIL);
  const Kiv2DRep* expected[] = {nullptr, a.get(), b.get(), c.get(), d.get(), nullptr};
  ASSERT_EQ(bag->GetChildCount(), 4);
  for (int i = 0; i <= 5; ++i) EXPECT_EQ(bag->GetChild(i), expected[i]) << i;

  EXPECT_EQ(bag->AddChild(nullptr), E_FAIL);
  EXPECT_EQ(d->AddChild(d), E_FAIL) << "a bag in itself";
  EXPECT_EQ(d->AddChild(bag), E_FAIL) << "a bag in its own child";
  auto elsewhere = KivMake<Kiv2DBagRep>();
  EXPECT_EQ(elsewhere->AddChild(d), E_FAIL) << "a rep has one bag";
  EXPECT_EQ(elsewhere->InsertChild(1, d), E_FAIL) << "inserted or added alike";
  EXPECT_EQ(d->GetFather(), bag.get());
  EXPECT_EQ(bag->RefCount(), 1u) << "a refused child takes no reference";

  // Children taken out of the middle leave the others in order, whatever is
  // added, inserted or taken out next.
  bag->RemoveChild(b.get()), bag->RemoveChild(a.get());
  EXPECT_EQ(bag->GetChildCount(), 2);
  auto e = NewLine(0, 0, 6, 0), f = NewLine(0, 0, 7, 0);
  ASSERT_EQ(bag->AddChild(e), S_OK);
  bag->RemoveChild(d.get());
  ASSERT_EQ(bag->InsertChild(2, f), S_OK);
  EXPECT_TRUE(bag->RemoveChild(e.get()));
  ASSERT_EQ(bag->AddChild(b), S_OK);
  std::vector<const Kiv2DRep*> order;
  for (const auto& child : bag->GetChildren()) order.push_back(child.get());
  EXPECT_EQ(order, (std::vector<const Kiv2DRep*>{c.get(), f.get(), b.get()}));
  EXPECT_EQ(bag->GetChild(3), b.get());
}

TEST_F(BagRepTest, MatricesComposeInnerFirstAndInvert) {
  // Inner bag rotates a quarter turn, outer bag translates: (1, 0) -> (0, 1) -> (10, 21).
  auto outer = KivMake<Kiv2DBagRep>(Kiv3x3Matrix::Translation(10, 20));
  auto inner = KivMake<Kiv2DBagRep>(Kiv3x3Matrix::Rotation(std::numbers::pi / 2));
  outer->AddChild(inner);
  const KivMathPoint2Df p = inner->GetWorldMatrix().Apply(KivMathPoint2Df(1, 0));
  EXPECT_NEAR(std::hypot(p.x - 10.0f, p.y - 21.0f), 0.0, 1e-5);
  Kiv3x3Matrix inverse;
  ASSERT_TRUE(inner->GetWorldMatrix().Invert(inverse));
  const KivMathPoint2Df back = inverse.Apply(p);
  EXPECT_NEAR(std::hypot(back.x - 1.0f, back.y), 0.0, 1e-5);
  EXPECT_FALSE(Kiv3x3Matrix(0, 0, 0, 0, 1, 1).Invert(inverse));
}

TEST_F(BagRepTest, BoundingBoxFollowsGeometryMatrixAndShowModeAndAttributesInherit) {
  auto bag = KivMake<Kiv2DBagRep>();
  EXPECT_TRUE(bag->GetBoundingElement().IsEmpty());
  auto line = NewLine(0, 0, 4, 2);
  bag->AddChild(line);
  auto marker = KivMake<Kiv2DMarkerRep>(KivMathPoint2Df(10, 10), 4, 1.0f);
  bag->AddChild(marker);
  EXPECT_EQ(bag->GetBoundingElement(), Box(0, 0, 10.5f, 10.5f));

  // Hiding a child shrinks its bag's box; the child keeps its own.
  ASSERT_EQ(marker->SetShowMode(1), S_OK);
  EXPECT_EQ(bag->GetBoundingElement(), Box(0, 0, 4, 2));
  EXPECT_EQ(marker->GetBoundingElement(), Box(9.5f, 9.5f, 10.5f, 10.5f));
  EXPECT_EQ(marker->SetShowMode(2), E_INVALIDARG);

  // Geometry changes deep in the tree reach the outer boxes.
  auto outer = KivMake<Kiv2DBagRep>(Kiv3x3Matrix::Translation(100, 0));
  outer->AddChild(bag);
  EXPECT_EQ(outer->GetBoundingElement(), Box(100, 0, 104, 2));
  line->Modify({0, 0}, {8, -1});
  EXPECT_EQ(outer->GetBoundingElement(), Box(100, -1, 108, 0));

  // Attributes inherit from bags.
  auto painted = KivMake<Kiv2DBagRep>();
  painted->SetColor(2);
  painted->SetThickness(3);
  painted->AddChild(NewLine(0, 0, 1, 0));
  auto blue = NewLine(0, 1, 1, 1);
  blue->SetColor(4);
  painted->AddChild(blue);
  std::vector<KivDrawItem> items;
  painted->CollectDrawItems(items, Kiv3x3Matrix(), KivGraphicAttributes::Defaults());
  ASSERT_EQ(items.size(), 2u);
  const KivGraphicAttributes& plain = items[0].attributes;
  EXPECT_EQ(std::tuple(plain.color, plain.thickness, plain.lineType), std::tuple(2, 3, 1))
      << "line type 1 is the default when nobody sets it";
  EXPECT_EQ(items[1].attributes.color, 4);
}

// A father command that records what reaches it, with the manipulator's
// current axis origin at each step.
class TstFather : public KivCommand {
  KIV_CLASS(TstFather, KivCommand, "Tests")
  std::vector<std::string> kinds;
  std::vector<KivMathPoint2Df> origins;

  int AnalyseNotification(KivCommand* sender, KivNotification* n) override {
    auto* m = dynamic_cast<Kiv2DManipulator*>(sender);
    origins.push_back(m ? m->GetCurrentAxis().origin : KivMathPoint2Df());
    kinds.push_back(n->IsA());
    return 1;
  }
};

KivVar<Kiv2DPolygonRep> NewBox(float x0, float y0, float x1, float y1) {
  return KivMake<Kiv2DPolygonRep>(
      std::vector<KivMathPoint2Df>{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

// A square of side 2 centred on (x, y).
KivVar<Kiv2DPolygonRep> NewSquare(float x, float y) { return NewBox(x - 1, y - 1, x + 1, y + 1); }

std::vector<Kiv2DRep*> Raw(const std::vector<KivVar<Kiv2DRep>>& reps) {
  std::vector<Kiv2DRep*> out;
  for (const auto& r : reps) out.push_back(r.get());
  return out;
}

class TstActivity : public KivImplement<> {
  KIV_CLASS(TstActivity, KivBaseUnknown, "Tests")
};

class ViewerTest : public KivVisTest {
 protected:
  KivVar<Kiv2DManipulator> Manipulate(Kiv2DRep* rep, int style = 1, KivCommand* by = nullptr) {
    return KivVar<Kiv2DManipulator>::Adopt(
        new Kiv2DManipulator(by ? by : father.get(), "Manip", rep, style));
  }
  template <class Rep>
  Rep* Show(const KivVar<Rep>& rep) {
    viewer->GetRootBag()->AddChild(rep);
    return rep.get();
  }
  KivViewer_var viewer = KivMake<KivViewer>();
  KivVar<TstFather> father = KivMake<TstFather>();
};

TEST_F(ViewerTest, ADragReachesTheFatherWithTheAxisMovedAlongTheDirection) {
  auto bag = KivMake<Kiv2DBagRep>();
  bag->AddChild(NewBox(0, 0, 4, 4));
  auto manipulator = Manipulate(Show(bag));
  manipulator->SetDirection(KivMathDirection2D(0.0, 1.0));

  ASSERT_TRUE(viewer->DragStart(2, 2));
  EXPECT_EQ(viewer->GetGrabber(), manipulator.get());
  viewer->DragStep(3, 3);
  viewer->DragStep(50, 5);  // far off the rep: the grabber still gets it
  viewer->DragEnd(50, 6);  // (that it lets go, the serve drag test shows)

  const std::string move = "KivManipulateNotification";
  ASSERT_EQ(father->kinds,
            (std::vector{move, move, move, std::string("KivEndManipulateNotification")}));
  // Only the vertical part of each move counts; the release point is a last step.
  EXPECT_EQ(father->origins, (std::vector<KivMathPoint2Df>{{0, 1}, {0, 3}, {0, 4}, {0, 4}}));

  // The axis is not reset between drags (the chart resets it after each, as
  // the PERT drag test shows).
  viewer->DragStart(1, 1);
  viewer->DragStep(1, 2);
  EXPECT_EQ(father->origins.back(), KivMathPoint2Df(0, 5));
  viewer->DragEnd(1, 2);
}

TEST_F(ViewerTest, AClickActivatesTheTopmostShownRepWithAManipulator) {
  auto under = Show(NewBox(0, 0, 10, 10));
  auto over = Show(NewBox(0, 0, 10, 10));
  EXPECT_FALSE(viewer->Click(2, 2) || viewer->DragStart(2, 2) || viewer->DragStep(3, 3))
      << "no manipulator yet";

  auto otherFather = KivMake<TstFather>();
  auto low = Manipulate(under);
  auto high = Manipulate(over, 1, otherFather);
  EXPECT_TRUE(viewer->Click(5, 5));
  EXPECT_FALSE(viewer->Click(20, 20));
  EXPECT_TRUE(father->kinds.empty());
  EXPECT_EQ(otherFather->kinds, std::vector<std::string>{"KivActivateNotification"});
}

TEST_F(ViewerTest, RepsFindTheirManipulatorUpTheirBags) {
  auto outer = KivMake<Kiv2DBagRep>();
  auto inner = KivMake<Kiv2DBagRep>();
  auto leaf = NewBox(0, 0, 1, 1);
  inner->AddChild(leaf);
  outer->AddChild(inner);
  auto manipulator = Manipulate(Show(outer));
  EXPECT_EQ(leaf->GetManipulator(), manipulator.get());

  // A manipulator added on the inner bag wins for what it holds.
  auto closer = Manipulate(nullptr, 2);
  ASSERT_EQ(closer->AddRepToManipulate(inner), S_OK);
  EXPECT_EQ(leaf->GetManipulator(), closer.get());
  ASSERT_EQ(closer->RemoveRepToManipulate(inner), S_OK);
  EXPECT_EQ(closer->RemoveRepToManipulate(inner), E_FAIL);
  EXPECT_EQ(leaf->GetManipulator(), manipulator.get());

  // Deleting the manipulator detaches it from its reps.
  KivCommandDeletion(manipulator.Detach());
  KivDelayedDestruction::Flush();
  EXPECT_EQ(leaf->GetManipulator(), nullptr);
}

// (The viewer's own listeners hear a context menu too, with the menu: the
// plug-in's viewer menu test.)
TEST_F(ViewerTest, ContextAndHoverNotificationsGoToTheFather) {
  auto manipulator = Manipulate(Show(NewBox(0, 0, 4, 4)));
  auto menu = KivMake<TstActivity>();
  EXPECT_EQ(viewer->ContextMenu(1, 1, menu), 1);
  EXPECT_EQ(viewer->ContextMenu(9, 9, menu), 0) << "no manipulator there";

  viewer->MoveTo(1, 1);
  viewer->MoveTo(2, 2);  // still inside: nothing new
  viewer->MoveTo(9, 9);
  EXPECT_EQ(father->kinds, (std::vector<std::string>{"KivContext", "KivPreactivateNotification",
                                                     "KivEndPreactivateNotification"}));
}

TEST_F(ViewerTest, PickAllUnderReportsModelObjectsOnce) {
  auto activity = KivMake<TstActivity>();
  auto node = KivMake<Kiv2DBagRep>();
  node->SetModelObject(activity);
  node->AddChild(NewBox(0, 0, 10, 10));
  node->AddChild(NewBox(2, 2, 8, 8));
  Show(node);
  auto dragged = Show(NewBox(4, 4, 6, 6));
  auto manipulator = Manipulate(dragged, 2);

  KivListValKivBaseUnknown_var under;
  viewer->DragStart(5, 5);
  viewer->DragStep(5.5f, 5.5f);
  manipulator->PickAllUnder(under);
  viewer->DragEnd(5.5f, 5.5f);
  ASSERT_EQ(under.Size(), 2);
  EXPECT_EQ(under[1].get(), static_cast<KivBaseUnknown*>(dragged)) << "the dragged rep is topmost";
  EXPECT_EQ(under[2], KivBaseUnknown_var(activity.get()));
}

TEST_F(ViewerTest, PicksTopmostFirstSkipsHiddenRepsAndPicksLinesWithinTheTolerance) {
  auto bottom = NewSquare(0, 0);
  auto top = NewSquare(0.5f, 0);
  auto bag = KivMake<Kiv2DBagRep>(Kiv3x3Matrix::Translation(5, 0));
  auto moved = NewSquare(-5, 0);  // lands on the origin through the bag
  bag->AddChild(moved);
  Show(bottom);
  Show(top);
  Show(bag);

  EXPECT_EQ(Raw(viewer->PickAll(0.2f, 0.2f)), (std::vector<Kiv2DRep*>{moved, top, bottom}));
  EXPECT_EQ(Raw(viewer->PickAll(-1.2f, 0)), (std::vector<Kiv2DRep*>{moved, bottom}));
  EXPECT_TRUE(viewer->PickAll(50, 50).empty());

  bag->SetShowMode(KivRep::kHidden);  // hides what it holds
  top->SetShowMode(KivRep::kHidden);
  EXPECT_EQ(Raw(viewer->PickAll(0.2f, 0.2f)), (std::vector<Kiv2DRep*>{bottom}));

  // Lines are picked within the tolerance, not beyond their ends.
  Show(KivMake<Kiv2DLineRep>(KivMathPoint2Df(20, 0), KivMathPoint2Df(30, 0)));
  EXPECT_EQ(viewer->PickAll(25, 0.4f).size(), 1u);
  EXPECT_TRUE(viewer->PickAll(25, 0.6f).empty());
  EXPECT_TRUE(viewer->PickAll(30.6f, 0).empty());
}

TEST_F(ViewerTest, RegistryModelsAreDrawnAndPickedAboveTheViewersOwnScene) {
  Show(NewSquare(0, 0));
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
  // (A model taken out of the registry leaves the scene: the plug-in's list
  // tests; a registry detached twice is refused: the frame's viewer test.)
  EXPECT_EQ(viewer->DetachRegistry(registry), S_OK);
}

TEST_F(ViewerTest, CommitRedrawsOnlyViewersWhoseSceneChanged) {
  KivViewer_var other = KivMake<KivViewer>("Other");
  KivVisManager* manager = KivVisManager::GetVisManager();
  EXPECT_TRUE(manager->IsLiveViewer(viewer));
  manager->Commit();
  const int drawn = viewer->GetRedrawCount();
  EXPECT_EQ(manager->Commit(), 0) << "nothing changed";

  Show(KivMake<Kiv2DLineRep>(KivMathPoint2Df(0, 0), KivMathPoint2Df(1, 0)));
  EXPECT_TRUE(viewer->NeedsRedraw());
  EXPECT_GE(manager->Commit(), 1);
  EXPECT_EQ(viewer->GetRedrawCount(), drawn + 1);
  EXPECT_FALSE(viewer->NeedsRedraw());

  // Changing an image that a rep draws is a change of the scene too.
  auto image = KivMake<KivPixelImage>(2, 2, KivPixelImage::kRgb);
  Show(KivMake<Kiv2DImagePixelRep>(KivMathPoint2Df(0, 0), image));
  manager->Commit();
  image->Convert(KivPixelImage::kGrey);
  EXPECT_TRUE(viewer->NeedsRedraw());

  KivViewer* gone = other.get();
  other = NULL_var;
  EXPECT_FALSE(manager->IsLiveViewer(gone));
}

TEST_F(ViewerTest, ViewpointResetFramesTheScene) {
  Show(NewSquare(100, 50));
  Show(NewSquare(140, 50));
  viewer->ResetViewpoint();
  Kiv2DViewpoint* viewpoint = viewer->GetMain2DViewpoint();
  EXPECT_EQ(viewpoint->GetCentre(), KivMathPoint2Df(120, 50));
  const Kiv2DBoundingBox visible = viewpoint->GetVisibleBox();
  EXPECT_TRUE(visible.xmin <= 99.0f && visible.xmax >= 141.0f);
  double px, py;
  viewpoint->WorldToPixel({120, 50}, px, py);
  EXPECT_EQ(std::pair(px, py), std::pair(400.0, 250.0));
  EXPECT_EQ(viewpoint->PixelToWorld(px + 8, py - 8), KivMathPoint2Df(121, 51))
      << "8 pixels per unit, y up";

  // A scene too large for the window lowers the scale.
  Show(NewSquare(1000, 50));
  viewer->ResetViewpoint();
  EXPECT_LT(viewpoint->GetScale(), 1.0);
  EXPECT_GE(viewpoint->GetVisibleBox().xmax, 1001.0f);
}

}  // namespace
