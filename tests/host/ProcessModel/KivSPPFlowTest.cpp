// Precedence links, children with their Start and Stop nodes, the graph node
// view and flows with cycles.
#include <cmath>
#include <limits>

#include "KivIGENode.h"
#include "KivISPPAbstractActivity.h"
#include "KivISPPNodeData.h"
#include "KivProcessModelTestSupport.h"
#include "KivSPPLinkServices.h"
#include "KivSPPNodeDataNotification.h"

using FlowTest = ProcessModelTest;

TEST_F(FlowTest, LinksAreSeenFromBothEndsNotifyBothAndStayWithinOneLevel) {
  auto a = Station("A"), b = Station("B"), c = Station("C");
  KivISPPFlowMgt_var fa(a), fb(b), fc(c);
  EXPECT_EQ(KivSPPLinkServices::AreAllreadyLinked(fa, fb), 1) << "1 while not linked";
  Listen();
  EXPECT_EQ(fa->AddNextLink(fb), S_OK);
  EXPECT_EQ(Count(SPPDataModified, a, b), 1);
  EXPECT_EQ(Count(SPPDataModified, b, a), 1);
  EXPECT_EQ(fa->AddNextLink(fc), S_OK);
  EXPECT_EQ(fa->AddNextLink(fb), S_FALSE) << "a link exists once";
  EXPECT_EQ(Names(fa->NextActivities("Activity")), (Strings{"B", "C"}));
  EXPECT_EQ(Names(fc->PreviousActivities("Activity")), Strings{"A"});
  EXPECT_EQ(KivSPPLinkServices::AreAllreadyLinked(fa, fb), 0);
  EXPECT_EQ(KivSPPLinkServices::AreAllreadyLinked(fb, fa), 1) << "links have a direction";
  EXPECT_EQ(KivSPPLinkServices::AreAllreadyLinked(fa, nullptr), 0);

  notices_.clear();
  EXPECT_EQ(fc->RemoveLink(fa), S_OK) << "removal works from the successor's side too";
  EXPECT_EQ(Count(SPPDataModified, a, c), 1);
  EXPECT_EQ(Count(SPPDataModified, c, a), 1);
  EXPECT_EQ(Names(fa->NextActivities("Activity")), Strings{"B"});
  EXPECT_TRUE(fc->PreviousActivities("Activity")->IsEmpty());
  EXPECT_EQ(fc->RemoveLink(fa), S_FALSE);

  KivISPPFlowMgt_var weld(Child(a, "BIWActivitySpotWelding", "Weld"));
  EXPECT_EQ(fa->AddNextLink(fa), E_FAIL) << "no link to itself";
  EXPECT_EQ(weld->AddNextLink(fc), E_FAIL) << "no link across levels";
  EXPECT_EQ(KivISPPFlowMgt_var(root_)->AddNextLink(fa), E_FAIL) << "the root has no level";
  EXPECT_TRUE(fc->PreviousActivities("")->IsEmpty());
}

TEST_F(FlowTest, ContainerActivitiesHaveStartAndStopAroundTheirChildren) {
  auto station = Station("S1");
  auto load = Child(station, "BIWActivityLoading", "Load");
  auto weld = Child(station, "BIWActivitySpotWelding", "Weld");
  KivISPPChildManagement_var children(station);
  EXPECT_EQ(Names(children->ChildActivities("")), (Strings{"Start", "Load", "Weld", "Stop"}));
  EXPECT_EQ(Names(children->ChildActivities("Activity")), (Strings{"Load", "Weld"}));
  EXPECT_EQ(Names(children->ChildActivities("BIWActivitySpotWelding")), Strings{"Weld"});

  KivIModelObject_var start(children->GetStartNode()), stop(children->GetStopNode());
  ASSERT_TRUE(start && stop);
  EXPECT_EQ(start->ObjectType(), KivString("Start"));
  EXPECT_FALSE(KivISPPActivity_var(start.get())) << "a Start node is no activity";
  EXPECT_EQ(start->GetOwner(), KivBaseUnknown_var(station));
  EXPECT_EQ(doc_->IdOf(start), doc_->IdOf(station) + "/Start");

  // Start and Stop link, but flow queries for activities leave them out.
  Link(start, load);
  Link(load, stop);
  KivISPPFlowMgt_var fload(load);
  EXPECT_TRUE(fload->PreviousActivities("Activity")->IsEmpty());
  EXPECT_EQ(Names(fload->PreviousActivities("")), Strings{"Start"});
  EXPECT_EQ(Names(fload->NextActivities("")), Strings{"Stop"});

  // A leaf activity gets its nodes with its first child.
  KivISPPChildManagement_var leaf(weld);
  EXPECT_FALSE(leaf->GetStartNode());
  Child(weld, "BIWActivityClinching", "Clinch");
  EXPECT_TRUE(leaf->GetStartNode() && leaf->GetStopNode());

  // The graph node view lists a level with its Start and Stop.
  KivIGENode_var node(root_);
  ASSERT_TRUE(node);
  EXPECT_EQ(Names(node->GetChildNodes()), (Strings{"Start", "S1", "Stop"}));
  KivIGENode_var child(station);
  EXPECT_EQ(child->GetParentNode(), KivBaseUnknown_var(root_));
  EXPECT_EQ(child->GetNodeName(), KivUnicodeString("S1"));
  EXPECT_TRUE(KivIGENode_var(start.get()));
}

TEST_F(FlowTest, AddChildActivityCreatesOnlyKnownChildTypes) {
  KivISPPChildManagement_var children(root_);
  Listen();
  auto group = children->AddChildActivity("BIWActivityGrouping");
  ASSERT_TRUE(group);
  EXPECT_EQ(group->TypeName(), KivUnicodeString("BIWActivityGrouping"));
  EXPECT_EQ(group->ParentActivity(), root_);
  EXPECT_EQ(Count(SPPDataModified, root_, group), 1);
  EXPECT_FALSE(children->AddChildActivity(""));
  EXPECT_FALSE(children->AddChildActivity("BIWActivityRoot"));
  EXPECT_FALSE(children->AddChildActivity("Painting"));
  EXPECT_EQ(children->ChildActivities("Activity")->Size(), 1);
}

TEST_F(FlowTest, PertNodeDataIsKeptWithinTheFileLimitsAndAnnouncedOnTheLevel) {
  // Only what a saved file can hold is stored, so that it always loads again.
  KivPertNodeData kept;
  kept.x = 1.0e9;  // the limit itself is stored
  kept.y = -1.0e9;
  ASSERT_EQ(doc_->SetPertNodeData(root_, kept), S_OK);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const KivPertNodeData refused[] = {{2.0e9, 0, 16, 8}, {0, -1.0e9 - 1, 16, 8},
                                     {nan, 0, 16, 8},   {0, 0, 1.0e10, 8},
                                     {0, 0, 16, -1},    {0, 0, 16, INFINITY}};
  for (const KivPertNodeData& r : refused) {
    EXPECT_EQ(doc_->SetPertNodeData(root_, r), E_INVALIDARG) << r.x << " " << r.y;
    EXPECT_EQ(doc_->GetPertNodeData(root_), kept);
  }

  auto a = Station("A");
  int heard = 0;
  KivIModelEvents_var level(root_);
  level->GetNotificationDispatcher()->AddCallback(
      "KivSPPNodeDataNotification", [&](KivBaseUnknown*, KivNotification* n, void*) {
        auto* data = dynamic_cast<KivSPPNodeDataNotification*>(n);
        EXPECT_EQ(KivBaseUnknown_var(data->GetNode()), KivBaseUnknown_var(a));
        EXPECT_DOUBLE_EQ(data->GetPertNodeData().x, 37.5);
        ++heard;
      });
  KivISPPNodeData_var node(a);
  EXPECT_FALSE(node->GetPertNodeData().placed);
  const KivPertNodeData data{37.5, 12.5, 16.0, 8.0, 2, true};
  EXPECT_EQ(node->SetPertNodeData(data), S_OK);
  EXPECT_EQ(doc_->GetPertNodeData(a), data);
  EXPECT_EQ(heard, 1);
}

TEST_F(FlowTest, WalksOverACycleEndAndListEachPredecessorOnce) {
  Build({"Underbody > A B C D", "A -> B -> C -> A", "C -> D"});  // a cycle is accepted data
  KivListValKivBaseUnknown_var preceding;
  MoxIBIWItemInfo_var(Act("D"))->GetPrecedingActivities(preceding);
  EXPECT_EQ(Names(preceding), (Strings{"C", "B", "A"}));
  preceding.RemoveAll();
  MoxIBIWItemInfo_var(Act("A"))->GetPrecedingActivities(preceding);
  EXPECT_EQ(Names(preceding), (Strings{"C", "B"})) << "itself left out";

  // Copying and deleting the cycle end as well.
  const KivListValKivBaseUnknown_var cycle{Act("A"), Act("B"), Act("C")};
  auto copies = doc_->CopyActivities(cycle, root_);
  ASSERT_EQ(copies.Size(), 3);
  EXPECT_EQ(Names(KivISPPFlowMgt_var(copies[3].get())->NextActivities("Activity")), Strings{"A"});
  EXPECT_EQ(doc_->DeleteActivities(cycle), S_OK);
  EXPECT_TRUE(KivISPPFlowMgt_var(Act("D"))->PreviousActivities("")->IsEmpty());
}

TEST_F(FlowTest, LabelsAreReadBackAndAnnounced) {
  auto a = Station("A");
  Listen();
  KivISPPAbstractActivity_var abstract(a);
  EXPECT_EQ(abstract->SetActivityLabel("Framing"), S_OK);
  EXPECT_EQ(abstract->GetActivityLabel(), KivUnicodeString("Framing"));
  EXPECT_EQ(KivIModelObject_var(a)->ObjectName(), KivUnicodeString("Framing"));
  EXPECT_EQ(abstract->GetActivityType(), KivUnicodeString("BIWActivityStation"));
  EXPECT_EQ(Count(SPPDataModified, a, a), 1);
  EXPECT_EQ(abstract->GetParentActivity(), KivBaseUnknown_var(root_));
}
