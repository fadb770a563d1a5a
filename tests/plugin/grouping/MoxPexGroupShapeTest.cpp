// The shape checks of a picked set: the cases that decide a grouping, and the
// re-entry walks against the walk without a visited set on random levels.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "KivProcessDocument.h"
#include "MoxPexGroupShape.h"
#include "MoxPexLiteralReEntry.h"

namespace {

// A level of stations under one root, linked by "a>b" pairs.
struct Level {
  KivVar<KivProcessDocument> document = KivProcessDocument::Create();
  KivBaseUnknown_var root;
  std::vector<KivBaseUnknown_var> nodes;
  explicit Level(int count) {
    root = document->CreateRootActivity("Root", "root").get();
    for (int i = 0; i < count; ++i)
      nodes.push_back(document->CreateActivity(root.get(), "BIWActivityStation",
                                               "N" + std::to_string(i), "n" + std::to_string(i))
                          .get());
  }
  void Link(int from, int to) { document->AddPrecedence(nodes[from].get(), nodes[to].get()); }
  KivListValKivBaseUnknown_var Pick(const std::vector<int>& picked) const {
    KivListValKivBaseUnknown_var list;
    for (int i : picked) list.Append(nodes[i]);
    return list;
  }
};

TEST(MoxPexGroupShapeTest, DecidesTheShape) {
  const struct {
    const char* name;
    int count;
    std::vector<std::pair<int, int>> links;
    std::vector<int> picked;
    bool reEntry, ruleOne, ruleTwo;
  } cases[] = {
      // 0 -> 1 -> 2 -> 3, {1, 2}: one way in, one way out.
      {"Chain", 4, {{0, 1}, {1, 2}, {2, 3}}, {1, 2}, false, false, false},
      // 0 -> 1 -> 2 -> 3 -> 4, {1, 3}: the path through 2 comes back.
      {"GapInChain", 5, {{0, 1}, {1, 2}, {2, 3}, {3, 4}}, {1, 3}, true, true, true},
      // 0 -> 2, 1 -> 3, 2 -> 4, 3 -> 4, {2, 3}: two predecessors, two entries.
      {"TwoFeeds", 5, {{0, 2}, {1, 3}, {2, 4}, {3, 4}}, {2, 3}, false, true, false},
      // 0 -> 2, 1 -> 2, 2 -> 3, 3 -> 4, {2, 3}: two predecessors of one entry.
      {"JoinIntoOne", 5, {{0, 2}, {1, 2}, {2, 3}, {3, 4}}, {2, 3}, false, false, false},
      // 0 -> 1 -> 2, {0, 1}: nothing before the set.
      {"NoPredecessor", 3, {{0, 1}, {1, 2}}, {0, 1}, false, true, false},
      // 0 -> 1 -> 2 -> 1 (a cycle through the set) ends.
      {"Cycle", 4, {{0, 1}, {1, 2}, {2, 3}, {3, 2}}, {1, 2}, true, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Level level(c.count);
    for (auto [from, to] : c.links) level.Link(from, to);
    const MoxPexGroupShape shape(level.Pick(c.picked));
    EXPECT_EQ(std::vector({shape.HasReEntry(), shape.IsRuleOneViolated(),
                           shape.IsRuleTwoViolated(), shape.IsSound()}),
              std::vector({c.reEntry, c.ruleOne, c.ruleTwo,
                           !c.reEntry && !c.ruleOne && !c.ruleTwo}));
  }
}

// Random small acyclic levels: the walk with a visited set answers as the
// literal walk does, for random picks.
TEST(MoxPexGroupShapeTest, ReEntryAgreesWithTheLiteralWalkOnRandomLevels) {
  std::mt19937 random(20261206);
  int reEntries = 0;
  for (int round = 0; round < 300; ++round) {
    const int count = 3 + static_cast<int>(random() % 8);
    Level level(count);
    for (int from = 0; from < count; ++from)
      for (int to = from + 1; to < count; ++to)
        if (random() % 3 == 0) level.Link(from, to);
    std::vector<int> picked;
    for (int i = 0; i < count; ++i)
      if (random() % 3 == 0) picked.push_back(i);
    if (picked.empty()) picked.push_back(static_cast<int>(random() % count));
    const auto group = level.Pick(picked);
    const bool literal = LiteralReEntry(group);
    reEntries += literal;
    ASSERT_EQ(MoxPexGroupShape(group).HasReEntry(), literal) << "round " << round;
  }
  EXPECT_GT(reEntries, 20);  // the rounds exercise both answers
  EXPECT_LT(reEntries, 280);
}

// A ladder of 40 diamonds: the literal walk would take 2^40 steps.
TEST(MoxPexGroupShapeTest, DiamondLadderIsWalkedOnce) {
  const int diamonds = 40;
  Level level(3 * diamonds + 2);
  for (int d = 0; d < diamonds; ++d) {
    const int top = 3 * d;
    level.Link(top, top + 1);
    level.Link(top, top + 2);
    level.Link(top + 1, top + 3);
    level.Link(top + 2, top + 3);
  }
  level.Link(3 * diamonds, 3 * diamonds + 1);
  // The first and last activities picked: every path between them re-enters.
  EXPECT_TRUE(MoxPexGroupShape(level.Pick({0, 3 * diamonds + 1})).HasReEntry());
  EXPECT_FALSE(MoxPexGroupShape(level.Pick({3 * diamonds + 1})).HasReEntry());
}

}  // namespace
