// The layout core on hand-made levels: levels, columns, canvas, placements,
// the partial layout, precedence cycles and very deep levels.
#include <gtest/gtest.h>

#include <stdexcept>

#include "MoxPFVModelLayout.h"

namespace {

enum : int { A = 1, B, C, D, E, X, Y };

using Records = std::vector<MoxPFVPlacementRecord>;

MoxPFVFlowModel Level(std::vector<int> children, std::map<int, std::vector<int>> successors) {
  MoxPFVFlowModel model;
  model.children = std::move(children);
  model.successors = std::move(successors);
  model.gridSnap = false;
  return model;
}

MoxPFVFlowModel Placed(MoxPFVFlowModel model, std::map<int, std::pair<double, double>> at,
                       std::set<int> withoutPertNode = {}, bool snap = false) {
  model.positions = std::move(at);
  model.withoutPertNode = std::move(withoutPertNode);
  model.gridSnap = snap;
  return model;
}

std::vector<int> LevelsOf(const MoxPFVModelLayout& layout, std::initializer_list<int> ids) {
  std::vector<int> levels;
  for (const int id : ids) levels.push_back(layout.LevelOf(id));
  return levels;
}

// Fixed points for the layouts the equivalence test compares at random (it
// also covers partial layouts that follow links through other levels): the
// whole level (no nodes given) or the partial layout of the nodes given.
TEST(MoxPFVLayout, PlacesLevelsInColumnsFromTheTopDown) {
  const struct {
    const char* what;
    MoxPFVFlowModel model;
    std::vector<int> moved;
    Records placed;
  } cases[] = {
      {"a chain takes one column per level", Level({C, A, B}, {{A, {B}}, {B, {C}}}), {},
       {{A, 0, 50}, {B, 50, 50}, {C, 100, 50}}},
      // Canvas 100 x 100, dx = 100: (0, 50) snaps to (12.5, 62.5); the second
      // column starts at 112.5, its top row y = 75 snaps to 87.5, then 87.5 - 50.
      {"snapped coordinates carry on across and down",
       Placed(Level({A, B, C}, {{A, {B, C}}}), {}, {}, true), {},
       {{A, 12.5, 62.5}, {B, 112.5, 87.5}, {C, 112.5, 37.5}}},
      {"independent nodes share the first column, the first child on top",
       Level({A, B, C}, {}), {}, {{A, 0, 125}, {B, 0, 75}, {C, 0, 25}}},
      // B has no flow view: its link to C does not count. C has no PERT node
      // view: it keeps its column slot but takes no row.
      {"nodes without a view are skipped", Placed(Level({A, B, C, D}, {{A, {C, D}}}), {}, {C}), {},
       {{A, 0, 75}, {B, 0, 25}, {D, 100, 75}}},
      {"a partial layout of a level-zero node starts one column right",
       Placed(Level({A, B, C}, {{A, {B}}, {B, {C}}}),
              {{A, {500, 500}}, {B, {500, 500}}, {C, {500, 500}}}),
       {A}, {{A, 50, 50}, {B, 100, 50}, {C, 150, 50}}},
      // A -> B, A -> C, C -> D. Placing C starts right of A's current place;
      // B stays but keeps its row slot (the top one), so C takes the second
      // row. Canvas 100 x 100 (M = 2, C = 2), dx = 50.
      {"a partial layout moves only the node and what follows it",
       Placed(Level({A, B, C, D}, {{A, {B, C}}, {C, {D}}}),
              {{A, {10, 0}}, {B, {-1, -1}}, {C, {-1, -1}}, {D, {-1, -1}}}),
       {C}, {{C, 60, 25}, {D, 110, 50}}},
      {"a partial layout skips nodes outside the level", Level({A, B}, {{A, {B}}}), {X}, {}},
  };
  for (auto c : cases) {
    SCOPED_TRACE(c.what);
    MoxPFVModelLayout layout(c.model, true);
    if (c.moved.empty())
      layout.Arrange(0, 0);
    else
      layout.PositionNew(c.moved);
    EXPECT_EQ(c.model.placements, c.placed);
  }
}

TEST(MoxPFVLayout, LevelsAreLongestChainsAndColumnsFollowTheirPredecessors) {
  // A -> B -> D and A -> D: D is two links from A. X is outside the level,
  // so C -> X -> D does not lift D, and neither does a repeated link.
  MoxPFVFlowModel model = Level({D, C, B, A}, {{A, {B, D, D}}, {B, {D}}, {C, {X}}, {X, {D}}});
  MoxPFVModelLayout layout(model, true);
  EXPECT_EQ(LevelsOf(layout, {A, B, C, D}), std::vector<int>({0, 1, 0, 2}));
  EXPECT_TRUE(layout.Levels().IgnoredLinks().empty());
  // Column 0 keeps the child order (B before A); column 1 lists B's
  // successors first, in B's order, then A's, each node once.
  MoxPFVFlowModel ordered = Level({X, Y, B, A, C}, {{A, {C, X}}, {B, {Y, X, Y}}});
  MoxPFVModelLayout columns(ordered, false);
  EXPECT_EQ(columns.ColumnIds(0), (std::vector<int>{B, A}));
  EXPECT_EQ(columns.ColumnIds(1), (std::vector<int>{Y, X, C}));
}

TEST(MoxPFVLayout, CycleIsBrokenAtTheLinkThatClosesIt) {
  // D -> A -> B -> C -> A: the walk from D meets C -> A last; without it the
  // level is a chain D, A, B, C. E hangs off the cycle and is laid out too.
  MoxPFVFlowModel model = Level({D, A, B, C, E}, {{D, {A}}, {A, {B}}, {B, {C}}, {C, {A, E}}});
  MoxPFVModelLayout layout(model, false);
  EXPECT_EQ(layout.Levels().IgnoredLinks(), (std::vector<MoxPFVIgnoredLink>{{3, 1}}));
  EXPECT_EQ(LevelsOf(layout, {D, A, B, C, E}), std::vector<int>({0, 1, 2, 3, 4}));
  layout.Arrange(0, 0);
  EXPECT_EQ(model.placements.size(), 5u);
}

TEST(MoxPFVLayout, CycleIsEnteredWhereTheFlowEntersIt) {
  // C comes first in child order, but A is where the flow starts:
  // A -> B -> C -> B loses C -> B, not B -> C.
  MoxPFVFlowModel model = Level({C, A, B}, {{A, {B}}, {B, {C}}, {C, {B}}});
  MoxPFVModelLayout layout(model, false);
  EXPECT_EQ(LevelsOf(layout, {A, B, C}), std::vector<int>({0, 1, 2}));
  EXPECT_EQ(layout.Levels().IgnoredLinks(), (std::vector<MoxPFVIgnoredLink>{{0, 2}}));
}

TEST(MoxPFVLayout, AcyclicPartKeepsItsLevelsBesideACycle) {
  // A -> B is plain; X <-> Y is a cycle with a self-link on Y.
  MoxPFVFlowModel model = Level({A, X, B, Y}, {{A, {B}}, {X, {Y}}, {Y, {X, Y}}});
  MoxPFVModelLayout layout(model, true);
  EXPECT_EQ(LevelsOf(layout, {A, B, X, Y}), std::vector<int>({0, 1, 0, 1}));
  EXPECT_EQ(layout.Levels().IgnoredLinks().size(), 2u);
  layout.Arrange(0, 0);
  EXPECT_EQ(model.placements.size(), 4u);
  // Downstream of X is the whole cycle, and the walk there ends.
  model.placements.clear();
  layout.PositionNew({X});
  EXPECT_EQ(model.placements.size(), 2u);
}

TEST(MoxPFVLayout, DeepLevelNeedsNoDeepStack) {
  // A chain 10,000 long given in reverse child order: a recursive walk
  // would nest 10,000 calls deep.
  constexpr int kDepth = 10000;
  MoxPFVFlowModel model;
  model.gridSnap = false;
  for (int i = kDepth - 1; i >= 0; --i) {
    model.children.push_back(i);
    if (i + 1 < kDepth) model.successors[i] = {i + 1};
  }
  model.successors[kDepth - 1] = {kDepth / 2};  // and a cycle over its second half
  MoxPFVModelLayout layout(model, true);
  EXPECT_EQ(layout.Levels().HighestLevel(), kDepth - 1);
  EXPECT_EQ(LevelsOf(layout, {0, kDepth - 1}), std::vector<int>({0, kDepth - 1}));
  EXPECT_EQ(layout.Levels().IgnoredLinks(),
            (std::vector<MoxPFVIgnoredLink>{{0, kDepth / 2 - 1}}));  // indices: reverse order
  layout.PositionNew({0});
  EXPECT_EQ(model.placements.size(), static_cast<size_t>(kDepth));
}

TEST(MoxPFVLayout, EmptyLevelKeepsTheGivenCanvasAndPlacesNothing) {
  MoxPFVFlowModel model;
  MoxPFVModelLayout layout(model, false);
  EXPECT_EQ(layout.Levels().HighestLevel(), -1);
  EXPECT_EQ(std::pair(layout.Canvas().width, layout.Canvas().height), std::pair(300.0f, 200.0f));
  layout.Arrange(0, 0);
  EXPECT_TRUE(model.placements.empty());
}

TEST(MoxPFVLevelGraph, RefusesLinksToUnknownNodesAndExtraNodes) {
  MoxPFVLevelGraph graph(1);
  EXPECT_THROW(graph.AddSuccessor(1), std::out_of_range);
  EXPECT_THROW(graph.AddSuccessor(-1), std::out_of_range);
  graph.AddSuccessor(0);
  graph.FinishNode();
  EXPECT_THROW(graph.FinishNode(), std::logic_error);
  const int outside = graph.AddOutsideNode();
  EXPECT_EQ(outside, 1);
  EXPECT_FALSE(graph.IsLevelNode(outside));
  EXPECT_TRUE(graph.Successors(outside).empty());
}

TEST(MoxPFVLevelGraphBuilder, RepeatedChildIsOneNodeAndOutsideNodesAreAskedOnlyWhenFollowed) {
  std::vector<int> asked;
  auto successorsOf = [&asked](int node, std::vector<int>& out) {
    asked.push_back(node);
    if (node == A) out = {X, B};
    if (node == X) out = {Y};
  };
  MoxPFVLevelGraphBuilder<int> level(std::vector<int>{A, B, A}, successorsOf, false);
  EXPECT_EQ(level.Graph().LevelNodeCount(), 2);
  EXPECT_EQ(level.Nodes(), (std::vector<int>{A, B, X}));
  EXPECT_EQ(asked, (std::vector<int>{A, B}));
  asked.clear();
  MoxPFVLevelGraphBuilder<int> followed(std::vector<int>{A, B}, successorsOf, true);
  EXPECT_EQ(followed.Nodes(), (std::vector<int>{A, B, X, Y}));
  EXPECT_EQ(asked, (std::vector<int>{A, B, X, Y}));
  EXPECT_EQ(followed.Find(Y), 3);
  EXPECT_EQ(followed.Find(C), -1);
}

}  // namespace
