#include "MoxIPertPosition.h"
#include "MoxPertTestSupport.h"

using MoxPertNode = MoxPertTest;

TEST_F(MoxPertNode, PositionIsStoredInTheDocumentFlagOneCountsAsPlacingAndNaNIsRefused) {
  MoxIPertNode_var node(s1_.get());
  ASSERT_TRUE(node);
  ASSERT_EQ(node->SetPosition(30.0, -40.0, 0), S_OK);
  EXPECT_TRUE(NotPlaced(s1_)) << "flag 0 only moves the anchor";
  ASSERT_EQ(node->SetPosition(62.5, 37.5, 1), S_OK);
  EXPECT_FALSE(NotPlaced(s1_));
  const KivPertNodeData data = doc_->GetPertNodeData(s1_.get());
  EXPECT_EQ(XY(data.x, data.y), XY(62.5, 37.5));
  double w = 0, h = 0;
  ASSERT_EQ(node->GetSize(w, h, 1), S_OK);
  EXPECT_EQ(XY(w, h), XY(16.0, 8.0));
  // Non-finite coordinates are refused through either interface and nothing moves.
  EXPECT_EQ(node->SetPosition(NAN, 0.0, 1), E_INVALIDARG);
  EXPECT_EQ(MoxIPertNodeExt_var(s1_.get())->SetPosition(0.0, INFINITY, 1), E_INVALIDARG);
  EXPECT_EQ(At(s1_), XY(62.5, 37.5));
}

TEST_F(MoxPertNode, SuperNodeStateIsPlainWithoutChildActivitiesAndCollapsedByDefault) {
  EXPECT_EQ(SuperState(s1_), MoxIPertNodeExt::kPlainNode);
  EXPECT_EQ(SuperState(start_), MoxIPertNodeExt::kPlainNode);
  EXPECT_EQ(SuperState(s2_), MoxIPertNodeExt::kCollapsed);
  EXPECT_EQ(SuperState(s2_, 0), 0) << "flag 0 reads what the document stores";
}

TEST_F(MoxPertNode, MovingASuperNodeCarriesItsChildrenButFlagZeroLeavesThem) {
  Place(s2_, 100.0, 100.0);
  Place(load_, 125.0, 100.0);
  Place(s2_, 110.0, 90.0);
  EXPECT_EQ(At(load_), XY(135.0, 90.0));
  MoxIPertNode_var(s2_.get())->SetPosition(0.0, 0.0, 0);
  EXPECT_EQ(At(load_), XY(135.0, 90.0));
}

TEST_F(MoxPertNode, AnExpandedSuperNodeReportsTheBoxThatEnclosesItsChildren) {
  Place(s2_, 0.0, 0.0);
  Place(load_, 40.0, 0.0);
  Place(weld_, 40.0, -30.0);
  Expand(s2_);
  // Start and Stop of S2 were never placed: they sit at the origin, inside
  // the station's own box.
  EXPECT_EQ(At(s2_).first, 0.0);
  double w, h;
  MoxIPertNode_var(s2_.get())->GetSize(w, h, 1);
  // x: -8 .. 48 plus 2 each side; y: -34 .. 4, plus 2 below, 2 + 3 above.
  EXPECT_EQ(XY(w, h), XY(60.0, 45.0));
  EXPECT_EQ(At(s2_, 1), XY(20.0, -13.5));
  // The extended position places that box: the whole group moves.
  ASSERT_EQ(MoxIPertNodeExt_var(s2_.get())->SetPosition(30.0, -13.5, 1), S_OK);
  EXPECT_EQ(At(load_).first, 50.0);
  EXPECT_EQ(At(s2_).first, 10.0);
}

TEST_F(MoxPertNode, EveryNodeReportsTheDocumentsRootActivityAsPositionOwner) {
  for (const auto& node : {s1_, weld_, start_, root_}) {
    MoxIPertPosition_var position(node.get());
    ASSERT_TRUE(position);
    EXPECT_TRUE(position->GetPertPositionOwner() == root_);
  }
}
