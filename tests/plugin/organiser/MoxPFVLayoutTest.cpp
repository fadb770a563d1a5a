// The layout core on hand-made levels: levels, columns, canvas, precedence
// cycles and very deep levels. Placements are compared with the literal
// procedure by the equivalence test and pinned on a real document by the
// organiser's tests.
#include <gtest/gtest.h>

#include <stdexcept>

#include "MoxPFVModelLayout.h"

namespace {

enum : int { A = 1, B, C, D, E, X, Y };

MoxPFVFlowModel Level(std::vector<int> children, std::map<int, std::vector<int>> successors) {
  MoxPFVFlowModel model;
  model.children = std::move(children);
  model.successors = std::move(successors);
  model.gridSnap = false;
  return model;
}

std::vector<int> LevelsOf(const MoxPFVModelLayout& layout, std::initializer_list<int> ids) {
  std::vector<int> levels;
  for (const int id : ids) levels.push_back(layout.LevelOf(id));
  return levels;
}

TEST(MoxPFVLayout, CycleIsBrokenAtTheLinkThatClosesIt) {
  // D -> A -> B -> C -> A: the walk from D meets C -> A last; without it the
  // level is a chain D, A, B, C. E hangs off the cycle, links to itself and
  // is laid out too.
  MoxPFVFlowModel model =
      Level({D, A, B, C, E}, {{D, {A}}, {A, {B}}, {B, {C}}, {C, {A, E}}, {E, {E}}});
  MoxPFVModelLayout layout(model, false);
  EXPECT_EQ(layout.Levels().IgnoredLinks(), (std::vector<MoxPFVIgnoredLink>{{3, 1}, {4, 4}}));
  EXPECT_EQ(LevelsOf(layout, {D, A, B, C, E}), std::vector<int>({0, 1, 2, 3, 4}));
  layout.Arrange(0, 0);
  EXPECT_EQ(model.placements.size(), 5u);
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
}

}  // namespace
