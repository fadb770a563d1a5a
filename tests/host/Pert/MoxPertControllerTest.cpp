#include "Kiv2DManipulator.h"
#include "KivDrawItem.h"
#include "MoxPertController.h"
#include "MoxPertNodeTraverser.h"
#include "MoxPertTestSupport.h"

namespace {

class MoxPertChart : public MoxPertTest {
 protected:
  void SetUp() override {
    MoxPertTest::SetUp();
    viewer_ = KivMake<KivViewer>("chart");
    controller_ = KivVar<MoxPertController>::Adopt(
        new MoxPertController(nullptr, root_, viewer_.get(), 0, 1, 1, NULL_var));
    const KivBaseUnknown_var level[] = {start_, s1_, s2_, s3_, stop_};
    double x = 12.5;
    for (const auto& node : level) {
      Place(node, x, 12.5);
      x += 25.0;
    }
  }
  void TearDown() override {
    controller_ = NULL_var;
    viewer_ = NULL_var;
    MoxPertTest::TearDown();
  }
  void DrawLevel() {
    for (const auto& node : {start_, s1_, s2_, s3_, stop_})
      ASSERT_EQ(controller_->AddPertNode(node), S_OK);
    for (const auto& node : {start_, s1_, s2_, s3_, stop_}) controller_->BuildLinks(node, 0);
  }
  int CountItems(KivDrawItem::Kind kind) const {
    int n = 0;
    for (const auto& item : viewer_->CollectScene())
      if (item.kind == kind) ++n;
    return n;
  }
  bool HasText(const char* text) const {
    for (const auto& item : viewer_->CollectScene())
      if (item.kind == KivDrawItem::Kind::Text && item.text == KivUnicodeString(text)) return true;
    return false;
  }

  KivViewer_var viewer_;
  KivVar<MoxPertController> controller_;
};

TEST_F(MoxPertChart, DrawsOneLabelledBoxPerNodeAndOneArrowPerLinkOfTheLevel) {
  DrawLevel();
  EXPECT_EQ(controller_->GetDrawnNodes().Size(), 5);
  EXPECT_EQ(controller_->LinkCount(), 3);
  // Boxes: 5, plus the stacked look of the collapsed super node S2; arrow
  // heads: 3.
  EXPECT_EQ(CountItems(KivDrawItem::Kind::Polygon), 5 + 1 + 3);
  EXPECT_EQ(CountItems(KivDrawItem::Kind::Polyline), 3);
  EXPECT_TRUE(HasText("S2"));
  EXPECT_TRUE(HasText("Station"));
  EXPECT_TRUE(HasText("Start"));
  EXPECT_EQ(controller_->AddPertNode(s1_), S_FALSE);
  EXPECT_EQ(controller_->AddPertNode(KivBaseUnknown_var(doc_.get())), E_FAIL);

  // The arrow of S1 -> S2 runs between the facing sides of the boxes.
  int between = 0;
  for (const auto& item : viewer_->CollectScene())
    if (item.kind == KivDrawItem::Kind::Polyline && item.outline.front().x == 45.5f &&
        item.outline.back().x == 54.5f && item.outline.back().y == 12.5f)
      ++between;
  EXPECT_EQ(between, 1);
  // Picking the box gives the activity, for drop targets.
  KivBaseUnknown_var picked =
      controller_->FindNodeOfRep(viewer_->PickAll(62.5f, 12.5f).front().get());
  EXPECT_TRUE(picked == s2_);
}

TEST_F(MoxPertChart, LinksToNodesThatAreNotDrawnAreLeftOutUntilBothEndsAreThere) {
  for (const auto& node : {s1_, s3_}) controller_->AddPertNode(node);
  for (const auto& node : {s1_, s3_}) controller_->BuildLinks(node, 0);
  EXPECT_EQ(controller_->LinkCount(), 0);
  controller_->AddPertNode(s2_);
  controller_->BuildLinks(s2_, 0);
  EXPECT_EQ(controller_->LinkCount(), 2);
}

TEST_F(MoxPertChart, LongLabelsAreCutToFitTheBox) {
  // 16 characters of 0.9 units fit in the 15 units of a line.
  KivBaseUnknown_var twoLines(
      doc_->CreateActivity(root_.get(), "BIWActivityStation", "Side frame inner left welding")
          .get());
  KivBaseUnknown_var cut(doc_->CreateActivity(root_.get(), "BIWActivityStation",
                                              "Side frame inner left welding and sealing")
                             .get());
  KivBaseUnknown_var oneWord(
      doc_->CreateActivity(root_.get(), "BIWActivityStation", "Sideframeinnerleftwelding").get());
  Place(twoLines, 12.5, 62.5);
  Place(cut, 37.5, 62.5);
  Place(oneWord, 62.5, 62.5);
  for (const auto& node : {twoLines, cut, oneWord}) controller_->AddPertNode(node);
  EXPECT_TRUE(HasText("Side frame inner"));
  EXPECT_TRUE(HasText("left welding"));
  EXPECT_TRUE(HasText("left welding an\u2026"));
  EXPECT_TRUE(HasText("Sideframeinnerle"));
  EXPECT_TRUE(HasText("ftwelding"));
}

TEST_F(MoxPertChart, SuperNodesExpandAndCollapseWithTheirChildrenAndTellTheListeners) {
  DrawLevel();
  Listen();
  Place(load_, 62.5, -12.5);
  Place(weld_, 87.5, -12.5);
  auto traverser = KivMake<MoxPertNodeTraverser>(controller_.get());
  MoxIPertNodeExt_var weldExt(weld_.get());
  EXPECT_TRUE(weldExt->IsNodeHidden());

  ASSERT_EQ(traverser->ShowChildrenNodes(s2_), S_OK);
  ASSERT_EQ(traverser->ChangePertNodeShape(1), S_OK);
  EXPECT_TRUE(controller_->IsNodeDrawn(weld_));
  EXPECT_FALSE(weldExt->IsNodeHidden());
  EXPECT_EQ(controller_->GetDrawnNodes().Size(), 9) << "S2's Start, Load, Weld, Stop";
  EXPECT_EQ(controller_->LinkCount(), 4) << "Load -> Weld joins the three links";
  EXPECT_EQ(CountHeard(weld_, false, false), 1);
  EXPECT_TRUE(HasText("S2  (Station)")) << "the expanded frame carries the label";
  int state = 0;
  MoxIPertNodeExt_var(s2_.get())->GetSuperNodeState(state, 1);
  EXPECT_EQ(state, 1);

  ASSERT_EQ(traverser->HideChildrenNodes(s2_), S_OK);
  ASSERT_EQ(traverser->ChangePertNodeShape(2), S_OK);
  EXPECT_FALSE(controller_->IsNodeDrawn(load_));
  EXPECT_TRUE(weldExt->IsNodeHidden());
  EXPECT_EQ(controller_->GetDrawnNodes().Size(), 5);
  EXPECT_EQ(controller_->LinkCount(), 3);
  EXPECT_EQ(CountHeard(weld_, false, true), 1);
  EXPECT_EQ(CountHeard(load_, false, true), 1);
  EXPECT_EQ(traverser->HideChildrenNodes(s2_), S_FALSE);
  EXPECT_EQ(traverser->ChangePertNodeShape(3), E_INVALIDARG);
}

TEST_F(MoxPertChart, AnExpandedNodeIsDrawnWithItsChildrenWhenTheChartIsBuilt) {
  Place(load_, 62.5, -12.5);
  Place(weld_, 87.5, -12.5);
  KivPertNodeData data = doc_->GetPertNodeData(s2_.get());
  data.superNodeState = 1;
  doc_->SetPertNodeData(s2_.get(), data);
  DrawLevel();
  EXPECT_TRUE(controller_->IsNodeDrawn(load_));
  // The frame is drawn beneath the child boxes: a pick inside Load's box
  // gives Load first, a pick in the frame's empty corner gives S2.
  EXPECT_TRUE(controller_->FindNodeOfRep(viewer_->PickAll(62.5f, -12.5f).front().get()) == load_);
}

TEST_F(MoxPertChart, MovingANodeThroughItsInterfaceRedrawsItsBoxAndLinks) {
  DrawLevel();
  Place(s3_, 87.5, 62.5);
  const Kiv3x3Matrix* m = controller_->GetNodeRep(s3_)->GetMatrix();
  ASSERT_TRUE(m);
  double tx, ty;
  m->GetTranslation(tx, ty);
  EXPECT_EQ(tx, 87.5);
  EXPECT_EQ(ty, 62.5);
  bool found = false;
  for (const auto& item : viewer_->CollectScene())
    if (item.kind == KivDrawItem::Kind::Polyline && item.outline.back().y > 50.0f) found = true;
  EXPECT_TRUE(found) << "the S2 -> S3 link now climbs to S3";
  EXPECT_EQ(controller_->LinkCount(), 3);
}

TEST_F(MoxPertChart, DraggingANodeSnapsItStoresItAndSendsItsNotification) {
  DrawLevel();
  Listen();
  // Press in S1's box, move by (30, 41), release.
  ASSERT_TRUE(viewer_->DragStart(37.5f, 12.5f));
  viewer_->DragStep(52.5f, 32.5f);
  viewer_->DragStep(67.5f, 53.5f);
  viewer_->DragEnd(67.5f, 53.5f);
  double x, y;
  Position(s1_, x, y);
  EXPECT_EQ(x, 62.5);
  EXPECT_EQ(y, 62.5);
  ASSERT_EQ(CountHeard(s1_, true), 1);
  EXPECT_EQ(heard_.back().x, 62.5);
  EXPECT_EQ(heard_.back().y, 62.5);
  EXPECT_TRUE(doc_->GetPertNodeData(s1_.get()).placed);
  EXPECT_EQ(controller_->GetNodeManipulator(s1_)->GetCurrentAxis().GetOrigin(),
            KivMathPoint2Df(0, 0))
      << "the next drag starts afresh";
}

TEST_F(MoxPertChart, WithoutTheMoveCallbackOrInAReadOnlyChartADragMovesNothing) {
  DrawLevel();
  controller_->RemoveNodeManipCmdCB();
  viewer_->DragStart(37.5f, 12.5f);
  viewer_->DragEnd(87.5f, 62.5f);
  double x, y;
  Position(s1_, x, y);
  EXPECT_EQ(x, 37.5);

  auto readOnly = KivVar<MoxPertController>::Adopt(
      new MoxPertController(nullptr, root_, viewer_.get(), 0, 0, 1, NULL_var));
  controller_->RemoveAllPertNodes();
  readOnly->AddPertNode(s1_);
  viewer_->DragStart(37.5f, 12.5f);
  viewer_->DragEnd(87.5f, 62.5f);
  Position(s1_, x, y);
  EXPECT_EQ(x, 37.5);
}

TEST_F(MoxPertChart, ResetClearsTheHighlightAndAControllerLeavesTheSceneWhenReleased) {
  DrawLevel();
  ASSERT_TRUE(viewer_->Click(62.5f, 12.5f));
  ASSERT_EQ(controller_->SetNodeHighlight(s2_, true), S_FALSE) << "the click highlighted it";
  ASSERT_EQ(controller_->ResetPertNodeState(s2_), S_OK);
  EXPECT_EQ(controller_->SetNodeHighlight(s2_, false), S_FALSE);
  const int before = viewer_->GetRootBag()->GetChildCount();
  controller_ = NULL_var;
  EXPECT_EQ(viewer_->GetRootBag()->GetChildCount(), before - 1);
  EXPECT_TRUE(MoxIPertNodeExt_var(s1_.get())->IsNodeHidden());
}

}  // namespace

namespace {

TEST_F(MoxPertChart, TheChartFollowsActivitiesCreatedLinkedAndDeletedInTheDocument) {
  DrawLevel();
  KivBaseUnknown_var s4(doc_->CreateActivity(root_.get(), "BIWActivityStation", "S4").get());
  EXPECT_TRUE(controller_->IsNodeDrawn(s4)) << "a new child of the level is drawn";
  Place(s4, 112.5, -12.5);
  doc_->AddPrecedence(s3_.get(), s4.get());
  EXPECT_EQ(controller_->LinkCount(), 4);
  doc_->RemovePrecedence(s1_.get(), s2_.get());
  EXPECT_EQ(controller_->LinkCount(), 3);

  KivListValKivBaseUnknown_var gone;
  gone.Append(s3_);
  ASSERT_EQ(doc_->DeleteActivities(gone), S_OK);
  EXPECT_FALSE(controller_->IsNodeDrawn(s3_));
  EXPECT_EQ(controller_->LinkCount(), 1) << "only Start -> S1 is left";
  // A child created under a collapsed super node is not drawn.
  doc_->CreateActivity(s2_.get(), "BIWActivityLoading", "Load 2");
  EXPECT_EQ(controller_->GetDrawnNodes().Size(), 5);
}

}  // namespace

namespace {

TEST_F(MoxPertChart, NestedExpandedSuperNodesAreDrawnAndTakenAwayTogether) {
  KivBaseUnknown_var spot(
      doc_->CreateActivity(weld_.get(), "BIWActivitySpotWelding", "Spot 1").get());
  Place(load_, 62.5, -12.5);
  Place(weld_, 87.5, -12.5);
  Place(spot, 87.5, -37.5);
  for (const auto& node : {s2_, weld_}) {
    KivPertNodeData data = doc_->GetPertNodeData(node.get());
    data.superNodeState = 1;
    doc_->SetPertNodeData(node.get(), data);
  }
  DrawLevel();
  ASSERT_TRUE(controller_->IsNodeDrawn(spot));
  // S2's frame encloses Weld's frame, which encloses Spot 1.
  double w = 0, h = 0;
  MoxIPertNode_var(s2_.get())->GetSize(w, h, 1);
  EXPECT_GT(h, 40.0);
  Listen();
  auto traverser = KivMake<MoxPertNodeTraverser>(controller_.get());
  ASSERT_EQ(traverser->HideChildrenNodes(s2_), S_OK);
  EXPECT_FALSE(controller_->IsNodeDrawn(spot));
  EXPECT_FALSE(controller_->IsNodeDrawn(weld_));
  EXPECT_EQ(CountHeard(spot, false, true), 1);
  EXPECT_EQ(controller_->GetDrawnNodes().Size(), 5);
  EXPECT_EQ(controller_->LinkCount(), 3);
}

}  // namespace
