// The PERT chart: the controller drawing a level's boxes, labels and arrows,
// super nodes expanding and collapsing, dragging and following the document;
// and the chart window that drives it by hand.
#include <sstream>

#include "Kiv2DManipulator.h"
#include "KivApplicationFrame.h"
#include "KivDrawItem.h"
#include "KivFrmLayout.h"
#include "KivPertInteraction.h"
#include "MoxPertController.h"
#include "MoxPertNodeTraverser.h"
#include "MoxPertTestSupport.h"
#include "MoxPexPertChartWindow.h"

// The root's level drawn in a row: Start, S1, S2, S3, Stop, 25 units apart.
class MoxPertChart : public MoxPertTest {
 protected:
  void SetUp() override {
    MoxPertTest::SetUp();
    viewer_ = KivMake<KivViewer>("chart");
    controller_ = NewController(1);
    double x = 12.5;
    for (const auto& node : Level()) Place(node, x, 12.5), x += 25.0;
  }
  KivVar<MoxPertController> NewController(int editable) {
    return KivVar<MoxPertController>::Adopt(
        new MoxPertController(nullptr, root_, viewer_.get(), 0, editable, 1, NULL_var));
  }
  std::vector<KivBaseUnknown_var> Level() const { return {start_, s1_, s2_, s3_, stop_}; }
  void DrawLevel() {
    for (const auto& node : Level()) ASSERT_EQ(controller_->AddPertNode(node), S_OK);
    for (const auto& node : Level()) controller_->BuildLinks(node, 0);
  }
  std::vector<KivDrawItem> Items(KivDrawItem::Kind kind) const {
    std::vector<KivDrawItem> items;
    for (const auto& item : viewer_->CollectScene())
      if (item.kind == kind) items.push_back(item);
    return items;
  }
  // Each arrow's line as "x0,y0 x1,y1".
  std::vector<std::string> Arrows() const {
    std::vector<std::string> out;
    for (const auto& l : Items(KivDrawItem::Kind::Polyline)) {
      std::ostringstream s;
      s << l.outline.front().x << ',' << l.outline.front().y << ' ' << l.outline.back().x << ','
        << l.outline.back().y;
      out.push_back(s.str());
    }
    return out;
  }
  bool HasText(const char* text) const {
    for (const auto& item : Items(KivDrawItem::Kind::Text))
      if (item.text == KivUnicodeString(text)) return true;
    return false;
  }
  KivBaseUnknown_var NodeAt(float x, float y) const {
    return controller_->FindNodeOfRep(viewer_->PickAll(x, y).front().get());
  }
  // Drawn nodes and links.
  std::pair<int, int> Drawn() const {
    return {controller_->GetDrawnNodes().Size(), controller_->LinkCount()};
  }
  KivVar<MoxPertNodeTraverser> Traverser() const {
    return KivMake<MoxPertNodeTraverser>(controller_.get());
  }

  KivViewer_var viewer_;
  KivVar<MoxPertController> controller_;
};

TEST_F(MoxPertChart, DrawsOneLabelledBoxPerNodeAndOneArrowPerLinkOfTheLevel) {
  DrawLevel();
  EXPECT_EQ(Drawn(), std::pair(5, 3));
  // Boxes: 5, plus the stacked look of the collapsed super node S2; arrow
  // heads: 3.
  EXPECT_EQ(Items(KivDrawItem::Kind::Polygon).size(), 5u + 1u + 3u);
  // Each arrow runs between the facing sides of its boxes.
  EXPECT_EQ(Arrows(), (std::vector<std::string>{"20.5,12.5 29.5,12.5", "45.5,12.5 54.5,12.5",
                                                "70.5,12.5 79.5,12.5"}));
  for (const char* text : {"S2", "Station", "Start"}) EXPECT_TRUE(HasText(text)) << text;
  EXPECT_EQ(controller_->AddPertNode(s1_), S_FALSE);
  EXPECT_EQ(controller_->AddPertNode(KivBaseUnknown_var(doc_.get())), E_FAIL);

  // Picking the box gives the activity, for drop targets.
  EXPECT_TRUE(NodeAt(62.5f, 12.5f) == s2_);
}

// Links keep clear of what a client draws around the boxes (16 units wide)
// when there is room, also when set after the links were drawn. Only the
// link between the two drawn boxes is drawn: S1's from Start is left out.
TEST_F(MoxPertChart, ArrowsStopShortOfTheBoxesWhenThereIsRoom) {
  const struct {
    const char* what;
    double s2x;
    float clearance;
    const char* arrow;
  } cases[] = {
      {"borders by default", 62.5, 0.0f, "20.5,12.5 54.5,12.5"},
      {"clear of both boxes", 62.5, 5.0f, "25.5,12.5 49.5,12.5"},
      {"boxes too close keep the borders", 37.5, 5.0f, "20.5,12.5 29.5,12.5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    controller_->RemoveAllPertNodes();
    controller_->SetLinkClearance(0.0f);
    Place(s1_, 12.5, 12.5);
    Place(s2_, c.s2x, 12.5);
    ASSERT_EQ(controller_->AddPertNode(s1_), S_OK);
    ASSERT_EQ(controller_->AddPertNode(s2_), S_OK);
    controller_->BuildLinks(s1_, 0);
    controller_->SetLinkClearance(c.clearance);  // the drawn links follow
    EXPECT_EQ(Arrows(), std::vector<std::string>{c.arrow});
  }
}

TEST_F(MoxPertChart, LongLabelsAreCutToFitTheBox) {
  // 16 characters of 0.9 units fit in the 15 units of a line.
  const char* names[] = {"Side frame inner left welding",
                         "Side frame inner left welding and sealing", "Sideframeinnerleftwelding"};
  double x = 12.5;
  for (const char* name : names) {
    KivBaseUnknown_var node = Create(root_, "BIWActivityStation", name);
    Place(node, x, 62.5), x += 25.0;
    controller_->AddPertNode(node);
  }
  for (const char* text : {"Side frame inner", "left welding", "left welding an\u2026",
                           "Sideframeinnerle", "ftwelding"})
    EXPECT_TRUE(HasText(text)) << text;
}

// (What the listeners are told, the nested test below and the plug-in's list
// and button tests show.)
TEST_F(MoxPertChart, SuperNodesExpandAndCollapseWithTheirChildren) {
  DrawLevel();
  Place(load_, 62.5, -12.5);
  Place(weld_, 87.5, -12.5);
  auto traverser = Traverser();
  ASSERT_EQ(traverser->ShowChildrenNodes(s2_), S_OK);
  ASSERT_EQ(traverser->ChangePertNodeShape(1), S_OK);
  // S2's Start, Load, Weld and Stop are drawn; Load -> Weld joins the three links.
  EXPECT_EQ(Drawn(), std::pair(9, 4));
  EXPECT_TRUE(HasText("S2  (Station)")) << "the expanded frame carries the label";

  ASSERT_EQ(traverser->HideChildrenNodes(s2_), S_OK);
  ASSERT_EQ(traverser->ChangePertNodeShape(2), S_OK);
  EXPECT_EQ(Drawn(), std::pair(5, 3));
  EXPECT_EQ(traverser->HideChildrenNodes(s2_), S_FALSE);
  EXPECT_EQ(traverser->ChangePertNodeShape(3), E_INVALIDARG);
}

TEST_F(MoxPertChart, ExpandedNodesNestedOrNotAreDrawnWithTheirChildrenAndTakenAwayTogether) {
  KivBaseUnknown_var spot = Create(weld_, "BIWActivitySpotWelding", "Spot 1");
  Place(load_, 62.5, -12.5);
  Place(weld_, 87.5, -12.5);
  Place(spot, 87.5, -37.5);
  Expand(s2_);
  Expand(weld_);
  DrawLevel();
  ASSERT_TRUE(controller_->IsNodeDrawn(load_) && controller_->IsNodeDrawn(spot));
  // The frame is drawn beneath the child boxes: a pick inside Load's box
  // gives Load first.
  EXPECT_TRUE(NodeAt(62.5f, -12.5f) == load_);
  // S2's frame encloses Weld's frame, which encloses Spot 1.
  double w = 0, h = 0;
  MoxIPertNode_var(s2_.get())->GetSize(w, h, 1);
  EXPECT_GT(h, 40.0);
  Listen();
  ASSERT_EQ(Traverser()->HideChildrenNodes(s2_), S_OK);
  EXPECT_FALSE(controller_->IsNodeDrawn(spot) || controller_->IsNodeDrawn(weld_));
  EXPECT_EQ(CountHeard(spot, false, true), 1);
  EXPECT_EQ(Drawn(), std::pair(5, 3));
}

TEST_F(MoxPertChart, MovingOrDraggingANodeRedrawsItsBoxAndLinksAndDraggingSnapsAndNotifies) {
  DrawLevel();
  // Moved, S3 is drawn again with its links (its box at the new place, the
  // other drawing tests show): the S2 -> S3 link climbs from the top of S2.
  Place(s3_, 87.5, 62.5);
  EXPECT_EQ(Arrows(), (std::vector<std::string>{"20.5,12.5 29.5,12.5", "45.5,12.5 54.5,12.5",
                                                "64.5,16.5 85.5,58.5"}));

  Listen();
  // Press in S1's box, move by (30, 41), release.
  ASSERT_TRUE(viewer_->DragStart(37.5f, 12.5f));
  viewer_->DragStep(52.5f, 32.5f);
  viewer_->DragStep(67.5f, 53.5f);
  viewer_->DragEnd(67.5f, 53.5f);
  EXPECT_EQ(At(s1_), XY(62.5, 62.5));
  ASSERT_EQ(CountHeard(s1_, true), 1);
  EXPECT_EQ(XY(heard_.back().x, heard_.back().y), XY(62.5, 62.5));
  EXPECT_EQ(controller_->GetNodeManipulator(s1_)->GetCurrentAxis().GetOrigin(),
            KivMathPoint2Df(0, 0))
      << "the next drag starts afresh";
}

TEST_F(MoxPertChart, WithoutTheMoveCallbackOrInAReadOnlyChartADragMovesNothing) {
  DrawLevel();
  controller_->RemoveNodeManipCmdCB();
  viewer_->DragStart(37.5f, 12.5f);
  viewer_->DragEnd(87.5f, 62.5f);
  EXPECT_EQ(At(s1_).first, 37.5);

  auto readOnly = NewController(0);
  controller_->RemoveAllPertNodes();
  readOnly->AddPertNode(s1_);
  viewer_->DragStart(37.5f, 12.5f);
  viewer_->DragEnd(87.5f, 62.5f);
  EXPECT_EQ(At(s1_).first, 37.5);
}

TEST_F(MoxPertChart, TheChartFollowsTheDocumentAndAReleasedControllerLeavesTheScene) {
  DrawLevel();
  KivBaseUnknown_var s4 = Create(root_, "BIWActivityStation", "S4");
  EXPECT_TRUE(controller_->IsNodeDrawn(s4)) << "a new child of the level is drawn";
  Place(s4, 112.5, -12.5);
  doc_->AddPrecedence(s3_.get(), s4.get());
  EXPECT_EQ(controller_->LinkCount(), 4);
  doc_->RemovePrecedence(s1_.get(), s2_.get());
  EXPECT_EQ(controller_->LinkCount(), 3);

  KivListValKivBaseUnknown_var gone{s3_};
  ASSERT_EQ(doc_->DeleteActivities(gone), S_OK);
  EXPECT_FALSE(controller_->IsNodeDrawn(s3_));
  EXPECT_EQ(controller_->LinkCount(), 1) << "only Start -> S1 is left";
  // (A child created under a collapsed super node is not drawn: the example
  // scripts.)

  // A reset clears the highlight; a released controller leaves the scene.
  ASSERT_TRUE(viewer_->Click(62.5f, 12.5f));
  ASSERT_EQ(controller_->SetNodeHighlight(s2_, true), S_FALSE) << "the click highlighted it";
  ASSERT_EQ(controller_->ResetPertNodeState(s2_), S_OK);
  EXPECT_EQ(controller_->SetNodeHighlight(s2_, false), S_FALSE);
  const int before = viewer_->GetRootBag()->GetChildCount();
  controller_ = NULL_var;
  EXPECT_EQ(viewer_->GetRootBag()->GetChildCount(), before - 1);
  EXPECT_TRUE(MoxIPertNodeExt_var(s1_.get())->IsNodeHidden());
}

using KivPertInteractionTest = MoxPertTest;

// (That the move is announced, the drag test above shows.)
TEST_F(KivPertInteractionTest, MovingANodeByHandInTheChartWindowSnaps) {
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

  KivStepResult moved = KivPertInteraction::MovePertNode("S3", 140.0, -70.0);
  ASSERT_TRUE(moved) << moved.message;
  EXPECT_EQ(At(s3_), XY(137.5, -62.5));
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
  EXPECT_EQ(std::pair(controller->GetDrawnNodes().Size(), controller->LinkCount()),
            std::pair(4, 1));
  EXPECT_EQ(window->GetTitle().ConvertToUTF8(), "PERT Chart Line/S2");

  asPertWindow = NULL_var;
  window->DeleteWindow();
  KivApplicationFrame::Shutdown();
}
