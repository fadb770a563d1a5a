#include <string>
#include <vector>

#include "Kiv2DManipulator.h"
#include "Kiv2DPolygonRep.h"
#include "KivManipulatorNotification.h"
#include "KivViewer.h"
#include "KivVisTestSupport.h"

namespace {
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

class TstActivity : public KivImplement<> {
  KIV_CLASS(TstActivity, KivBaseUnknown, "Tests")
};
}  // namespace

class ManipulatorTest : public KivVisTest {
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

TEST_F(ManipulatorTest, ADragReachesTheFatherWithTheAxisMovedAlongTheDirection) {
  auto bag = KivMake<Kiv2DBagRep>();
  bag->AddChild(NewBox(0, 0, 4, 4));
  auto manipulator = Manipulate(Show(bag));
  manipulator->SetDirection(KivMathDirection2D(0.0, 1.0));

  ASSERT_TRUE(viewer->DragStart(2, 2));
  EXPECT_EQ(viewer->GetGrabber(), manipulator.get());
  viewer->DragStep(3, 3);
  viewer->DragStep(50, 5);  // far off the rep: the grabber still gets it
  viewer->DragEnd(50, 6);
  EXPECT_EQ(viewer->GetGrabber(), nullptr);

  const std::string move = "KivManipulateNotification";
  ASSERT_EQ(father->kinds,
            (std::vector{move, move, move, std::string("KivEndManipulateNotification")}));
  // Only the vertical part of each move counts; the release point is a last step.
  EXPECT_EQ(father->origins, (std::vector<KivMathPoint2Df>{{0, 1}, {0, 3}, {0, 4}, {0, 4}}));

  // The axis is not reset between drags; ResetAxis returns to the reference.
  viewer->DragStart(1, 1);
  viewer->DragStep(1, 2);
  EXPECT_EQ(father->origins.back(), KivMathPoint2Df(0, 5));
  viewer->DragEnd(1, 2);
  manipulator->ResetAxis();
  EXPECT_EQ(manipulator->GetCurrentAxis(), KivMathAxis2D());
}

TEST_F(ManipulatorTest, AClickActivatesTheTopmostShownRepWithAManipulator) {
  auto under = Show(NewBox(0, 0, 10, 10));
  auto over = Show(NewBox(0, 0, 10, 10));
  EXPECT_FALSE(viewer->Click(2, 2)) << "no manipulator yet";
  EXPECT_FALSE(viewer->DragStart(2, 2));
  EXPECT_FALSE(viewer->DragStep(3, 3));

  auto otherFather = KivMake<TstFather>();
  auto low = Manipulate(under);
  auto high = Manipulate(over, 1, otherFather);
  EXPECT_TRUE(viewer->Click(5, 5));
  EXPECT_FALSE(viewer->Click(20, 20));
  EXPECT_TRUE(father->kinds.empty());
  EXPECT_EQ(otherFather->kinds, std::vector<std::string>{"KivActivateNotification"});

  over->SetShowMode(KivRep::kHidden);
  viewer->Click(5, 5);
  EXPECT_EQ(father->kinds.size(), 1u) << "hidden reps take no press";
}

TEST_F(ManipulatorTest, RepsFindTheirManipulatorUpTheirBags) {
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

TEST_F(ManipulatorTest, ContextAndHoverNotificationsGoToTheFather) {
  auto manipulator = Manipulate(Show(NewBox(0, 0, 4, 4)));
  int viewerHeard = 0;
  KivBaseUnknown* menuSeen = nullptr;
  auto menu = KivMake<TstActivity>();
  viewer->GetEventPublisher()->AddCallback(
      KivManipulator::GetKivContext(), [&](KivBaseUnknown*, KivNotification* n, void*) {
        ++viewerHeard;
        menuSeen = static_cast<KivContext*>(n)->GetContextualMenu();
      });
  EXPECT_EQ(viewer->ContextMenu(1, 1, menu), 2);
  EXPECT_EQ(viewerHeard, 1);
  EXPECT_EQ(menuSeen, menu.get());
  EXPECT_EQ(viewer->ContextMenu(9, 9, menu), 1) << "only the viewer's own listeners";

  viewer->MoveTo(1, 1);
  viewer->MoveTo(2, 2);  // still inside: nothing new
  viewer->MoveTo(9, 9);
  EXPECT_EQ(father->kinds, (std::vector<std::string>{"KivContext", "KivPreactivateNotification",
                                                     "KivEndPreactivateNotification"}));
}

TEST_F(ManipulatorTest, PickAllUnderReportsModelObjectsOnce) {
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
