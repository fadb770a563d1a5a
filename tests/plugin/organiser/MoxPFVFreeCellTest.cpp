// A partial layout among saved places: a moved node never lands on the cell
// of a node that stays, nor on one it placed itself a moment before.
#include <gtest/gtest.h>

#include "MoxPFVModelLayout.h"

namespace {

enum : int { A = 1, B, C, D };

using Records = std::vector<MoxPFVPlacementRecord>;

struct FreeCellCase {
  const char* what;
  std::map<int, std::pair<double, double>> saved;
  std::vector<int> newNodes;
  Records expected;
};

TEST(MoxPFVFreeCell, MovedNodeTakesTheNextFreeRowBelow) {
  // A -> B, A -> C and a lone D: column 0 is A, D and column 1 is B, C;
  // canvas 100 x 100, dx = 100, rows at y = 75 and 25 (step 50), no grid.
  const FreeCellCase cases[] = {
      {"no clash: B takes its row slot",
       {{A, {0, 75}}, {B, {900, 900}}, {C, {100, 25}}, {D, {0, 25}}},
       {B},
       {{B, 100, 75}}},
      {"the saved C sits on B's slot: B goes one row down",
       {{A, {0, 75}}, {B, {900, 900}}, {C, {100, 75}}, {D, {0, 25}}},
       {B},
       {{B, 100, 25}}},
      {"C and D sit on the two rows: B goes past both",
       {{A, {0, 75}}, {B, {900, 900}}, {C, {100, 75}}, {D, {100, 25}}},
       {B},
       {{B, 100, -25}}},
      {"a node placed a moment before counts as well",
       {{A, {900, 900}}, {B, {900, 900}}, {C, {900, 900}}, {D, {200, 75}}},
       {A},
       {{A, 100, 75}, {B, 200, 25}, {C, 200, -25}}},
  };
  for (const FreeCellCase& test : cases) {
    SCOPED_TRACE(test.what);
    MoxPFVFlowModel model;
    model.children = {A, B, C, D};
    model.successors = {{A, {B, C}}};
    model.gridSnap = false;
    model.positions = test.saved;
    MoxPFVModelLayout layout(model, false);
    layout.PositionNew(test.newNodes);
    EXPECT_EQ(model.placements, test.expected);
  }
}

}  // namespace
