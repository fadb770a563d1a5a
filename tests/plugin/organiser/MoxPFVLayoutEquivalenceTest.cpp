// The linear layout against the literal procedure on many small random
// acyclic levels: same levels, same columns, same placements in the same
// order. The levels mix in everything the host may hand over: successors
// outside the level (some leading back into it), repeated successors, nodes
// without a flow view or without a PERT node view, and child orders that
// have nothing to do with the flow.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "MoxPFVLiteralOrganiser.h"
#include "MoxPFVModelLayout.h"

namespace {

MoxPFVFlowModel RandomAcyclicLevel(std::mt19937& random) {
  auto draw = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  const int levelNodes = draw(1, 8);
  const int outsideNodes = draw(0, 2);
  const int total = levelNodes + outsideNodes;
  // Numbers that are not indices, so that a mix-up of the two shows.
  std::vector<int> ids(static_cast<size_t>(total));
  std::iota(ids.begin(), ids.end(), 100);
  std::shuffle(ids.begin(), ids.end(), random);
  // Links only go from a lower rank to a higher one: no cycle anywhere.
  std::vector<int> rank(static_cast<size_t>(total));
  std::iota(rank.begin(), rank.end(), 0);
  std::shuffle(rank.begin(), rank.end(), random);
  std::vector<int> byRank(static_cast<size_t>(total));
  for (int i = 0; i < total; ++i) byRank[static_cast<size_t>(rank[static_cast<size_t>(i)])] = i;

  MoxPFVFlowModel model;
  model.children.assign(ids.begin(), ids.begin() + levelNodes);
  for (int i = 0; i < total; ++i) {
    const int id = ids[static_cast<size_t>(i)];
    if (draw(0, 99) < 85) {
      std::vector<int>& successors = model.successors[id];
      const int r = rank[static_cast<size_t>(i)];
      if (r + 1 < total) {
        for (int count = draw(0, 3); count > 0; --count) {
          const int target = byRank[static_cast<size_t>(draw(r + 1, total - 1))];
          successors.push_back(ids[static_cast<size_t>(target)]);
        }
      }
    }
    if (draw(0, 99) < 12) model.withoutPertNode.insert(id);
    model.positions[id] = {draw(-100, 300) * 0.5, draw(-100, 300) * 0.5};
  }
  // Half of the levels end in a Stop node that some nodes lead to.
  if (draw(0, 1) == 1) {
    constexpr int kStop = 50;
    model.stopNodes.insert(kStop);
    model.successors[kStop];
    model.children.insert(model.children.begin() + draw(0, levelNodes), kStop);
    for (int i = 0; i < total; ++i) {
      if (draw(0, 2) == 0) model.successors[ids[static_cast<size_t>(i)]].push_back(kStop);
    }
    model.positions[kStop] = {draw(-100, 300) * 0.5, draw(-100, 300) * 0.5};
  }
  model.gridSnap = draw(0, 1) == 1;
  return model;
}

TEST(MoxPFVLayoutEquivalence, FullLayoutMatchesTheLiteralProcedure) {
  std::mt19937 random(20261206);
  for (int round = 0; round < 4000; ++round) {
    MoxPFVFlowModel literalModel = RandomAcyclicLevel(random);
    MoxPFVFlowModel linearModel = literalModel;
    const double startX = (round % 3 == 0) ? 37.0 : 0.0;
    const double startY = (round % 3 == 0) ? -12.0 : 0.0;

    MoxPFVLiteralOrganiser literal(literalModel);
    literal.ArrangeNodes(startX, startY);
    MoxPFVModelLayout linear(linearModel, false);
    linear.Arrange(startX, startY);

    SCOPED_TRACE(round);  // the generator draws the same levels on every run
    ASSERT_EQ(linearModel.placements, literalModel.placements);
    const auto& levelLists = literal.LevelLists();
    ASSERT_EQ(linear.Levels().ColumnCount(), static_cast<int>(levelLists.size()));
    for (size_t k = 0; k < levelLists.size(); ++k) {
      ASSERT_EQ(linear.ColumnIds(static_cast<int>(k)), levelLists[k]) << "column " << k;
    }
  }
}

TEST(MoxPFVLayoutEquivalence, PartialLayoutMatchesTheLiteralProcedure) {
  std::mt19937 random(6122026);
  for (int round = 0; round < 4000; ++round) {
    MoxPFVFlowModel literalModel = RandomAcyclicLevel(random);
    // The nodes to place: level nodes, a repeat now and then, and sometimes
    // a node that is not in the level at all.
    std::vector<int> newNodes;
    const int count = std::uniform_int_distribution<int>(0, 3)(random);
    for (int i = 0; i < count; ++i) {
      const auto pick =
          std::uniform_int_distribution<size_t>(0, literalModel.children.size())(random);
      newNodes.push_back(pick < literalModel.children.size() ? literalModel.children[pick] : 999);
    }
    MoxPFVFlowModel linearModel = literalModel;

    MoxPFVLiteralOrganiser literal(literalModel);
    literal.PositionNewNode(newNodes);
    MoxPFVModelLayout linear(linearModel, true);
    linear.PositionNew(newNodes);

    SCOPED_TRACE(round);
    ASSERT_EQ(linearModel.placements, literalModel.placements);
  }
}

TEST(MoxPFVLayoutEquivalence, DistantCycleLeavesTheOtherLevelsAlone) {
  // With a cycle anywhere the levels come from the cycle-breaking walk: on
  // the acyclic rest it must agree with the plain computation.
  std::mt19937 random(1206);
  for (int round = 0; round < 2000; ++round) {
    MoxPFVFlowModel model = RandomAcyclicLevel(random);
    MoxPFVModelLayout plain(model, false);
    MoxPFVFlowModel withCycle = model;
    withCycle.children.insert(withCycle.children.begin() + static_cast<long>(round % 2),
                              {900, 901});
    withCycle.successors[900] = {901};
    withCycle.successors[901] = {900};
    MoxPFVModelLayout broken(withCycle, false);
    SCOPED_TRACE(round);
    ASSERT_EQ(broken.Levels().IgnoredLinks().size(), 1u);
    for (const int child : model.children) ASSERT_EQ(broken.LevelOf(child), plain.LevelOf(child));
  }
}

}  // namespace
