#include "Kiv2DManipulator.h"
#include "Kiv2DPolygonRep.h"
#include "KivApplicationFrame.h"
#include "KivDlgNotifications.h"
#include "KivFrmLayout.h"
#include "KivManipulatorNotification.h"
#include "KivPertInteraction.h"
#include "MoxPertTestSupport.h"
#include "MoxPexPertChartWindow.h"

// A command that owns a square rep with a manipulator along x and records
// the kinds of what reaches it, with the axis origin at each move; on a
// context request it offers one menu item.
class SquareCommand : public KivCommand {
 public:
  explicit SquareCommand(KivViewer* viewer) {
    auto square =
        KivMake<Kiv2DPolygonRep>(std::vector<KivMathPoint2Df>{{0, 0}, {4, 0}, {4, 4}, {0, 4}});
    viewer->GetRootBag()->AddChild(square);
    square_ = square.get();  // the viewer's scene holds it
    manipulator_ =
        KivVar<Kiv2DManipulator>::Adopt(new Kiv2DManipulator(this, "SquareManip", square_, 1));
    manipulator_->SetDirection(KivMathDirection2D(1.0, 0.0));
  }
  ~SquareCommand() override { manipulator_->RemoveAllRepsToManipulate(); }
  int AnalyseNotification(KivCommand*, KivNotification* n) override {
    heard_.push_back(n->IsA());
    if (heard_.back() == "KivManipulateNotification")
      origins_.push_back(manipulator_->GetCurrentAxis().GetOrigin());
    if (auto* context = dynamic_cast<KivContext*>(n))
      (new KivDlgPushItem(
           dynamic_cast<KivDlgContextualMenu*>(context->GetContextualMenu()->GetImpl()), "Hide"))
          ->SetFather(this);
    return 1;
  }

  Kiv2DPolygonRep* square_;
  KivVar<Kiv2DManipulator> manipulator_;
  std::vector<std::string> heard_;
  std::vector<KivMathPoint2Df> origins_;
};

using KivPertInteractionTest = MoxPertTest;

TEST_F(KivPertInteractionTest, ClickDragAndContextMenuReachTheFatherCommand) {
  auto viewer = KivMake<KivViewer>("pointer");
  auto command = KivMake<SquareCommand>(viewer.get());
  ASSERT_TRUE(KivPertInteraction::ClickRep(viewer.get(), command->square_));
  EXPECT_FALSE(KivPertInteraction::ClickAt(viewer.get(), 50.0f, 50.0f)) << "nothing there";

  // Steps along the manipulator's axis: only the x part counts.
  KivStepResult drag = KivPertInteraction::DragRep(viewer.get(), command->square_, {6.0f, 3.0f}, 3);
  ASSERT_TRUE(drag) << drag.message;
  EXPECT_EQ(command->origins_, (std::vector<KivMathPoint2Df>{{2, 0}, {4, 0}, {6, 0}}));
  EXPECT_NE(drag.message.find("axis origin (6, 0)"), std::string::npos) << drag.message;

  KivStepResult menu = KivPertInteraction::OpenContextMenu(viewer.get(), 2.0f, 2.0f);
  ASSERT_TRUE(menu) << menu.message;
  EXPECT_FALSE(KivPertInteraction::ChooseMenuItem("Show"));
  ASSERT_TRUE(KivPertInteraction::ChooseMenuItem("Hide"));
  EXPECT_FALSE(KivPertInteraction::ChooseMenuItem("Hide")) << "choosing closes the menu";
  const std::string move = "KivManipulateNotification";
  EXPECT_EQ(command->heard_, (std::vector<std::string>{"KivActivateNotification", move, move, move,
                                                       "KivEndManipulateNotification", "KivContext",
                                                       "KivDlgMenuIActivateNotification"}));
}

TEST_F(KivPertInteractionTest, MovingANodeByHandInTheChartWindowSnapsAndNotifies) {
  ASSERT_TRUE(KivInteraction::OpenDocument(doc_.get()));
  KivFrmEditor* editor = KivInteraction::GetCurrentEditor();
  auto* window = new MoxPexPertChartWindow("PERT", editor, root_);
  MoxIPertWindow_var asPertWindow(window);
  ASSERT_TRUE(asPertWindow);
  MoxPertController* controller = window->GetPertController();
  EXPECT_EQ(KivPertInteraction::GetCurrentController(), controller);
  KivBaseUnknown_var level;
  asPertWindow->GetPertLevel(level);
  EXPECT_TRUE(level == root_);
  EXPECT_EQ(window->GetTitle().ConvertToUTF8(), "PERT Chart Line");
  EXPECT_EQ(controller->GetDrawnNodes().Size(), 5);
  Listen();

  KivStepResult moved = KivPertInteraction::MovePertNode("S3", 140.0, -70.0);
  ASSERT_TRUE(moved) << moved.message;
  EXPECT_EQ(At(s3_), XY(137.5, -62.5));
  EXPECT_EQ(CountHeard(s3_, true), 1);
  EXPECT_FALSE(KivPertInteraction::MovePertNode("NoSuchStation", 0.0, 0.0));

  // Clicking a node selects it in the editor, with its path from the root.
  ASSERT_TRUE(KivPertInteraction::ClickAt(window->GetPertViewer(), 137.5f, -62.5f));
  ASSERT_EQ(editor->GetCSO()->GetSize(), 1);
  const auto* path = editor->GetCSO()->GetElement(1);
  EXPECT_EQ(std::pair(KivIdentity(path->GetLeaf()), KivIdentity(path->GetRoot())),
            std::pair(KivIdentity(s3_.get()), KivIdentity(root_.get())));

  // Another level: the chart shows S2's children.
  KivBaseUnknown_var station = s2_;
  asPertWindow->SetPertLevel(station, nullptr, 0);
  EXPECT_EQ(controller->GetDrawnNodes().Size(), 4);
  EXPECT_EQ(controller->LinkCount(), 1);
  EXPECT_EQ(window->GetTitle().ConvertToUTF8(), "PERT Chart Line/S2");

  StopListening();
  asPertWindow = NULL_var;
  window->DeleteWindow();
  KivApplicationFrame::Shutdown();
  KivDelayedDestruction::Flush();
}
