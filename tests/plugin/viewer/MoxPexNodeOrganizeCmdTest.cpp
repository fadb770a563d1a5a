// The re-arrange command: it lays out the current viewer's level with every
// expanded super node collapsed, then expands the same super nodes again.
#include "MoxIPertNodeExt.h"
#include "MoxPertController.h"
#include "MoxPertNodeTraverser.h"
#include "MoxPexPertChartWindow.h"
#include "MoxPexViewerTestSupport.h"

namespace {

// Root "Cell": Start -> G1 -> G2 -> G3 -> S4 -> Stop, where the groupings
// G1 (A, B), G2 (C, D) and G3 (E) are super nodes.
struct SuperLine {
  KivVar<KivProcessDocument> document = KivProcessDocument::Create();
  KivBaseUnknown_var root, g1, g2, g3, s4, a, b, c, d, e, start, stop;
  SuperLine() {
    root = document->CreateRootActivity("Cell", "root").get();
    g1 = document->CreateActivity(root.get(), "BIWActivityGrouping", "G1", "g1").get();
    g2 = document->CreateActivity(root.get(), "BIWActivityGrouping", "G2", "g2").get();
    g3 = document->CreateActivity(root.get(), "BIWActivityGrouping", "G3", "g3").get();
    s4 = document->CreateActivity(root.get(), "BIWActivityStation", "S4", "s4").get();
    a = document->CreateActivity(g1.get(), "BIWActivityStation", "A", "a").get();
    b = document->CreateActivity(g1.get(), "BIWActivityStation", "B", "b").get();
    c = document->CreateActivity(g2.get(), "BIWActivityStation", "C", "c").get();
    d = document->CreateActivity(g2.get(), "BIWActivityStation", "D", "d").get();
    e = document->CreateActivity(g3.get(), "BIWActivityStation", "E", "e").get();
    start = document->GetStartNode(root.get());
    stop = document->GetStopNode(root.get());
    document->AddPrecedence(start.get(), g1.get());
    document->AddPrecedence(g1.get(), g2.get());
    document->AddPrecedence(g2.get(), g3.get());
    document->AddPrecedence(g3.get(), s4.get());
    document->AddPrecedence(s4.get(), stop.get());
    document->AddPrecedence(a.get(), b.get());
    document->AddPrecedence(c.get(), d.get());
  }
};

int StateOf(const KivBaseUnknown_var& node) {
  int state = -1;
  MoxIPertNodeExt_var(node.get())->GetSuperNodeState(state, 1);
  return state;
}

Place AnchorOf(const KivBaseUnknown_var& node) {
  Place p{0, 0};
  MoxIPertNode_var(node.get())->GetPosition(p.x, p.y, 0);
  return p;
}

class MoxPexNodeOrganizeCmdTest : public ViewerFixture {
 protected:
  void Expand(MoxPertController* controller, const KivBaseUnknown_var& node) {
    auto traverser = KivMake<MoxPertNodeTraverser>(controller);
    ASSERT_EQ(traverser->ShowChildrenNodes(node), S_OK);
    ASSERT_EQ(traverser->ChangePertNodeShape(MoxIPertNodeExt::kExpanded), S_OK);
  }
};

TEST_F(MoxPexNodeOrganizeCmdTest, LaysOutWithSuperNodesCollapsedAndExpandsThemAgain) {
  SuperLine line;
  KivInteraction::OpenDocument(line.document.get());
  ASSERT_TRUE(OpenViewer(line.root));
  MoxPertController* controller = CurrentViewer()->GetPertController();
  Expand(controller, line.g1);
  Expand(controller, line.g2);
  // Scatter the level, then re-arrange.
  for (const auto& node : {line.g1, line.g2, line.g3, line.s4}) PlaceAt(node, 600, 600);
  ASSERT_TRUE(KivInteraction::StartCommand("MoxPexNodeOrganizeCmd"));
  EXPECT_EQ(KivCommandStarter::RunningCount(), 0);
  // Laid out as plain boxes: levels 1 to 4 in one row, Stop on 5 (canvas
  // 250, dx 50).
  EXPECT_EQ(AnchorOf(line.g1), (Place{62.5, 137.5}));
  EXPECT_EQ(AnchorOf(line.g2), (Place{112.5, 137.5}));
  EXPECT_EQ(AnchorOf(line.g3), (Place{162.5, 137.5}));
  EXPECT_EQ(AnchorOf(line.s4), (Place{212.5, 137.5}));
  // The super nodes that were expanded are expanded again, with their children drawn.
  EXPECT_EQ(StateOf(line.g1), MoxIPertNodeExt::kExpanded);
  EXPECT_EQ(StateOf(line.g2), MoxIPertNodeExt::kExpanded);
  EXPECT_TRUE(controller->IsNodeDrawn(line.a));
  EXPECT_TRUE(controller->IsNodeDrawn(line.d));
  // The one that was collapsed stays collapsed.
  EXPECT_EQ(StateOf(line.g3), MoxIPertNodeExt::kCollapsed);
  EXPECT_FALSE(controller->IsNodeDrawn(line.e));
}

TEST_F(MoxPexNodeOrganizeCmdTest, ChildrenMoveWithTheirSuperNode) {
  SuperLine line;
  KivInteraction::OpenDocument(line.document.get());
  ASSERT_TRUE(OpenViewer(line.root));
  MoxPertController* controller = CurrentViewer()->GetPertController();
  Expand(controller, line.g1);
  const Place g1Before = AnchorOf(line.g1);
  const Place aBefore = AnchorOf(line.a);
  PlaceAt(line.g1, 600, 600);
  ASSERT_TRUE(KivInteraction::StartCommand("MoxPexNodeOrganizeCmd"));
  const Place g1After = AnchorOf(line.g1);
  const Place aAfter = AnchorOf(line.a);
  // Child A keeps its offset from G1's anchor.
  EXPECT_DOUBLE_EQ(aAfter.x - g1After.x, aBefore.x - g1Before.x);
  EXPECT_DOUBLE_EQ(aAfter.y - g1After.y, aBefore.y - g1Before.y);
}

TEST_F(MoxPexNodeOrganizeCmdTest, DoesNothingWhenTheCurrentWindowIsNoViewer) {
  SuperLine line;
  KivInteraction::OpenDocument(line.document.get());
  ASSERT_TRUE(OpenViewer(line.root));
  PlaceAt(line.s4, 600, 600);
  new MoxPexPertChartWindow("PERT", KivInteraction::GetCurrentEditor(), line.root);
  ASSERT_TRUE(KivInteraction::StartCommand("MoxPexNodeOrganizeCmd"));
  EXPECT_EQ(PlaceOf(line.s4), (Place{600, 600}));
}

}  // namespace
