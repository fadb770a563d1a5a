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
  KivLineBuilder line{document.get(),
                      {"Cell > G1:Grouping G2:Grouping G3:Grouping S4", "G1 > A B", "G2 > C D",
                       "G3 > E", "Start -> G1 -> G2 -> G3 -> S4 -> Stop", "A -> B", "C -> D"}};
  KivBaseUnknown_var root = line["Cell"], g1 = line["G1"], g2 = line["G2"], g3 = line["G3"],
                     s4 = line["S4"], a = line["A"], d = line["D"], e = line["E"];
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
  const Place g1Before = AnchorOf(line.g1), aBefore = AnchorOf(line.a);
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
  // Child A kept its offset from G1's anchor.
  EXPECT_DOUBLE_EQ(AnchorOf(line.a).x - AnchorOf(line.g1).x, aBefore.x - g1Before.x);
  EXPECT_DOUBLE_EQ(AnchorOf(line.a).y - AnchorOf(line.g1).y, aBefore.y - g1Before.y);
  // The one that was collapsed stays collapsed.
  EXPECT_EQ(StateOf(line.g3), MoxIPertNodeExt::kCollapsed);
  EXPECT_FALSE(controller->IsNodeDrawn(line.e));
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
