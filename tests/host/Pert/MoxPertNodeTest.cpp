#include <cmath>
#include <limits>

#include "MoxIPertPosition.h"
#include "MoxPertTestSupport.h"
#include "MoxPexPertBaseServices.h"

namespace {

using MoxPertNode = MoxPertTest;

TEST_F(MoxPertNode, PositionIsStoredInTheDocumentAndFlagOneCountsAsPlacing) {
  MoxIPertNode_var node(s1_.get());
  ASSERT_TRUE(node);
  ASSERT_EQ(node->SetPosition(30.0, -40.0, 0), S_OK);
  bool notPlaced = false;
  MoxPexPertBaseServices::GetPertExtension(s1_, notPlaced);
  EXPECT_TRUE(notPlaced) << "flag 0 only moves the anchor";
  ASSERT_EQ(node->SetPosition(62.5, 37.5, 1), S_OK);
  MoxPexPertBaseServices::GetPertExtension(s1_, notPlaced);
  EXPECT_FALSE(notPlaced);
  const KivPertNodeData data = doc_->GetPertNodeData(s1_.get());
  EXPECT_EQ(data.x, 62.5);
  EXPECT_EQ(data.y, 37.5);
  double w = 0, h = 0;
  ASSERT_EQ(node->GetSize(w, h, 1), S_OK);
  EXPECT_EQ(w, 16.0);
  EXPECT_EQ(h, 8.0);
}

TEST_F(MoxPertNode, NonFiniteCoordinatesAreRefusedAndNothingMoves) {
  Place(s1_, 12.5, 12.5);
  MoxIPertNode_var node(s1_.get());
  EXPECT_EQ(node->SetPosition(std::numeric_limits<double>::quiet_NaN(), 0.0, 1), E_INVALIDARG);
  MoxIPertNodeExt_var ext(s1_.get());
  EXPECT_EQ(ext->SetPosition(0.0, std::numeric_limits<double>::infinity(), 1), E_INVALIDARG);
  double x, y;
  Position(s1_, x, y);
  EXPECT_EQ(x, 12.5);
  EXPECT_EQ(y, 12.5);
}

TEST_F(MoxPertNode, MovingASuperNodeCarriesItsChildrenButFlagZeroLeavesThem) {
  Place(s2_, 100.0, 100.0);
  Place(load_, 125.0, 100.0);
  Place(s2_, 110.0, 90.0);
  double x, y;
  Position(load_, x, y);
  EXPECT_EQ(x, 135.0);
  EXPECT_EQ(y, 90.0);
  MoxIPertNode_var(s2_.get())->SetPosition(0.0, 0.0, 0);
  Position(load_, x, y);
  EXPECT_EQ(x, 135.0);
}

TEST_F(MoxPertNode, SuperNodeStateIsPlainWithoutChildActivitiesAndCollapsedByDefault) {
  int state = -1;
  ASSERT_EQ(MoxIPertNodeExt_var(s1_.get())->GetSuperNodeState(state, 1), S_OK);
  EXPECT_EQ(state, MoxIPertNodeExt::kPlainNode);
  ASSERT_EQ(MoxIPertNodeExt_var(s2_.get())->GetSuperNodeState(state, 1), S_OK);
  EXPECT_EQ(state, MoxIPertNodeExt::kCollapsed);
  ASSERT_EQ(MoxIPertNodeExt_var(s2_.get())->GetSuperNodeState(state, 0), S_OK);
  EXPECT_EQ(state, 0) << "flag 0 reads what the document stores";
  ASSERT_EQ(MoxIPertNodeExt_var(start_.get())->GetSuperNodeState(state, 1), S_OK);
  EXPECT_EQ(state, MoxIPertNodeExt::kPlainNode);
}

TEST_F(MoxPertNode, AnExpandedSuperNodeReportsTheBoxThatEnclosesItsChildren) {
  Place(s2_, 0.0, 0.0);
  Place(load_, 40.0, 0.0);
  Place(weld_, 40.0, -30.0);
  KivPertNodeData data = doc_->GetPertNodeData(s2_.get());
  data.superNodeState = 1;
  doc_->SetPertNodeData(s2_.get(), data);
  // Start and Stop of S2 were never placed: they sit at the origin, inside
  // the station's own box.
  MoxIPertNode_var node(s2_.get());
  double x, y, w, h;
  node->GetPosition(x, y, 0);
  EXPECT_EQ(x, 0.0);
  node->GetSize(w, h, 1);
  // x: -8 .. 48 plus 2 each side; y: -34 .. 4, plus 2 below, 2 + 3 above.
  EXPECT_FLOAT_EQ(w, 60.0f);
  EXPECT_FLOAT_EQ(h, 45.0f);
  node->GetPosition(x, y, 1);
  EXPECT_FLOAT_EQ(x, 20.0f);
  EXPECT_FLOAT_EQ(y, -13.5f);
  // The extended position places that box: the whole group moves.
  ASSERT_EQ(MoxIPertNodeExt_var(s2_.get())->SetPosition(30.0, -13.5, 1), S_OK);
  double lx, ly;
  Position(load_, lx, ly);
  EXPECT_EQ(lx, 50.0);
  node->GetPosition(x, y, 0);
  EXPECT_EQ(x, 10.0);
}

TEST_F(MoxPertNode, EveryNodeReportsTheDocumentsRootActivityAsPositionOwner) {
  for (const auto& node : {s1_, weld_, start_, root_}) {
    MoxIPertPosition_var position(node.get());
    ASSERT_TRUE(position);
    EXPECT_TRUE(position->GetPertPositionOwner() == root_);
  }
  MoxIPertPosition_var position(weld_.get());
  ASSERT_EQ(position->SetPertPosition(5.0, 6.0), S_OK);
  double x, y;
  ASSERT_EQ(position->GetPertPosition(x, y), S_OK);
  EXPECT_EQ(x, 5.0);
  EXPECT_EQ(y, 6.0);
}

}  // namespace
