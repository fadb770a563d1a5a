// Precedence links, children with their Start and Stop nodes, the graph node
// view and flows with cycles.
#include "KivIGENode.h"
#include "KivISPPAbstractActivity.h"
#include "KivISPPNodeData.h"
#include "KivProcessModelTestSupport.h"
#include "KivSPPLinkServices.h"
#include "KivSPPNodeDataNotification.h"

using FlowTest = ProcessModelTest;

TEST_F(FlowTest, LinksAreSeenFromBothEndsAndRemovedInEitherDirection) {
  auto a = Station("A"), b = Station("B"), c = Station("C");
  KivISPPFlowMgt_var fa(a), fb(b), fc(c);
  EXPECT_EQ(fa->AddNextLink(fb), S_OK);
  EXPECT_EQ(fa->AddNextLink(fc), S_OK);
  EXPECT_EQ(fa->AddNextLink(fb), S_FALSE) << "a link exists once";
  EXPECT_EQ(Names(fa->NextActivities("Activity")), (std::vector<std::string>{"B", "C"}));
  EXPECT_EQ(Names(fc->PreviousActivities("Activity")), (std::vector<std::string>{"A"}));

  EXPECT_EQ(fc->RemoveLink(fa), S_OK) << "removal works from the successor's side too";
  EXPECT_EQ(Names(fa->NextActivities("Activity")), (std::vector<std::string>{"B"}));
  EXPECT_TRUE(fc->PreviousActivities("Activity")->IsEmpty());
  EXPECT_EQ(fc->RemoveLink(fa), S_FALSE);
}

TEST_F(FlowTest, LinksStayWithinOneLevel) {
  auto a = Station("A"), b = Station("B");
  auto weld = Child(a, "BIWActivitySpotWelding", "Weld");
  KivISPPFlowMgt_var fa(a), fb(b), fweld(weld);
  EXPECT_EQ(fa->AddNextLink(fa), E_FAIL) << "no link to itself";
  EXPECT_EQ(fweld->AddNextLink(fb), E_FAIL) << "no link across levels";
  EXPECT_EQ(KivISPPFlowMgt_var(root_)->AddNextLink(fa), E_FAIL) << "the root has no level";
  EXPECT_TRUE(fb->PreviousActivities("")->IsEmpty());
}

TEST_F(FlowTest, LinkServicesAnswerOneOnlyWhileNotLinked) {
  auto a = Station("A"), b = Station("B");
  KivISPPFlowMgt_var fa(a), fb(b);
  EXPECT_EQ(KivSPPLinkServices::AreAllreadyLinked(fa, fb), 1);
  Link(a, b);
  EXPECT_EQ(KivSPPLinkServices::AreAllreadyLinked(fa, fb), 0);
  EXPECT_EQ(KivSPPLinkServices::AreAllreadyLinked(fb, fa), 1) << "links have a direction";
  EXPECT_EQ(KivSPPLinkServices::AreAllreadyLinked(fa, nullptr), 0);
}

TEST_F(FlowTest, LinkChangesNotifyBothActivities) {
  auto a = Station("A"), b = Station("B");
  Listen();
  Link(a, b);
  EXPECT_EQ(Count(SPPDataModified, a, b), 1);
  EXPECT_EQ(Count(SPPDataModified, b, a), 1);
  notices_.clear();
  KivISPPFlowMgt_var(a)->RemoveLink(KivISPPFlowMgt_var(b));
  EXPECT_EQ(Count(SPPDataModified, a, b), 1);
  EXPECT_EQ(Count(SPPDataModified, b, a), 1);
}

TEST_F(FlowTest, ContainerActivitiesHaveStartAndStopAroundTheirChildren) {
  auto station = Station("S1");
  auto load = Child(station, "BIWActivityLoading", "Load");
  auto weld = Child(station, "BIWActivitySpotWelding", "Weld");
  KivISPPChildManagement_var children(station);
  EXPECT_EQ(Names(children->ChildActivities("")),
            (std::vector<std::string>{"Start", "Load", "Weld", "Stop"}));
  EXPECT_EQ(Names(children->ChildActivities("Activity")),
            (std::vector<std::string>{"Load", "Weld"}));
  EXPECT_EQ(Names(children->ChildActivities("BIWActivitySpotWelding")),
            (std::vector<std::string>{"Weld"}));

  KivIModelObject_var start(children->GetStartNode()), stop(children->GetStopNode());
  ASSERT_TRUE(start && stop);
  EXPECT_EQ(start->ObjectType(), KivString("Start"));
  EXPECT_FALSE(KivISPPActivity_var(start.get())) << "a Start node is no activity";
  EXPECT_EQ(start->GetOwner(), KivBaseUnknown_var(station));
  EXPECT_EQ(doc_->IdOf(start), doc_->IdOf(station) + "/Start");

  // A leaf activity gets its nodes with its first child.
  KivISPPChildManagement_var leaf(weld);
  EXPECT_FALSE(leaf->GetStartNode());
  Child(weld, "BIWActivityClinching", "Clinch");
  EXPECT_TRUE(leaf->GetStartNode() && leaf->GetStopNode());
}

TEST_F(FlowTest, StartAndStopNodesLinkButAreNotActivitiesInFlowQueries) {
  auto group = Child(root_, "BIWActivityGrouping", "G");
  auto a = Child(group, "BIWActivityStation", "A");
  KivISPPChildManagement_var children(group);
  Link(children->GetStartNode(), a);
  Link(a, children->GetStopNode());
  KivISPPFlowMgt_var fa(a);
  EXPECT_TRUE(fa->PreviousActivities("Activity")->IsEmpty());
  EXPECT_EQ(Names(fa->PreviousActivities("")), (std::vector<std::string>{"Start"}));
  EXPECT_EQ(Names(fa->NextActivities("")), (std::vector<std::string>{"Stop"}));
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

TEST_F(FlowTest, GraphNodesListTheLevelWithStartAndStop) {
  auto a = Station("A");
  KivIGENode_var node(root_);
  ASSERT_TRUE(node);
  EXPECT_EQ(Names(node->GetChildNodes()), (std::vector<std::string>{"Start", "A", "Stop"}));
  KivIGENode_var child(a);
  EXPECT_EQ(child->GetParentNode(), KivBaseUnknown_var(root_));
  EXPECT_EQ(child->GetNodeName(), KivUnicodeString("A"));
  EXPECT_TRUE(KivIGENode_var(KivISPPChildManagement_var(root_)->GetStartNode()));
}

TEST_F(FlowTest, PertNodeDataIsKeptAndAnnouncedOnTheLevel) {
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
  KivPertNodeData data;
  data.x = 37.5;
  data.y = 12.5;
  data.superNodeState = 2;
  data.placed = true;
  EXPECT_EQ(node->SetPertNodeData(data), S_OK);
  EXPECT_EQ(doc_->GetPertNodeData(a), data);
  EXPECT_EQ(heard, 1);
}

TEST_F(FlowTest, WalksOverACycleEndAndListEachPredecessorOnce) {
  auto a = Station("A"), b = Station("B"), c = Station("C"), d = Station("D");
  Link(a, b);
  Link(b, c);
  Link(c, a);  // a cycle is accepted data
  Link(c, d);
  KivListValKivBaseUnknown_var preceding;
  MoxIBIWItemInfo_var(d)->GetPrecedingActivities(preceding);
  EXPECT_EQ(Names(preceding), (std::vector<std::string>{"C", "B", "A"}));
  preceding.RemoveAll();
  MoxIBIWItemInfo_var(a)->GetPrecedingActivities(preceding);
  EXPECT_EQ(Names(preceding), (std::vector<std::string>{"C", "B"})) << "itself left out";

  // Copying and deleting the cycle end as well.
  auto copies = doc_->CopyActivities(
      {KivBaseUnknown_var(a), KivBaseUnknown_var(b), KivBaseUnknown_var(c)}, root_);
  ASSERT_EQ(copies.Size(), 3);
  EXPECT_EQ(Names(KivISPPFlowMgt_var(copies[3].get())->NextActivities("Activity")),
            (std::vector<std::string>{"A"}));
  EXPECT_EQ(
      doc_->DeleteActivities({KivBaseUnknown_var(a), KivBaseUnknown_var(b), KivBaseUnknown_var(c)}),
      S_OK);
  EXPECT_TRUE(KivISPPFlowMgt_var(d)->PreviousActivities("")->IsEmpty());
}

TEST_F(FlowTest, LabelsAndTypesAreReadBack) {
  auto a = Station("A");
  Listen();
  KivISPPAbstractActivity_var abstract(a);
  EXPECT_EQ(abstract->SetActivityLabel("Framing"), S_OK);
  EXPECT_EQ(abstract->GetActivityLabel(), KivUnicodeString("Framing"));
  EXPECT_EQ(abstract->GetActivityType(), KivUnicodeString("BIWActivityStation"));
  EXPECT_EQ(KivIModelObject_var(a)->ObjectType(), KivString("BIWActivityStation"));
  EXPECT_EQ(KivIModelObject_var(a)->GetOwner(), KivBaseUnknown_var(root_));
  EXPECT_EQ(Count(SPPDataModified, a, a), 1);
  EXPECT_EQ(abstract->GetParentActivity(), KivBaseUnknown_var(root_));
  EXPECT_STREQ(a->GetLateType(), "PhysicalActivity");
}
