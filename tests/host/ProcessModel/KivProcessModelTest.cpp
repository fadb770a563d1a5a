// The process document model: flows with their Start and Stop nodes,
// assignments and product links, copy and delete, products, resources and
// assemblies, and extensions by late type, with the notifications each
// change sends. A fixture owns a document, records the activity
// notifications of its root and checks every component is released.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "KivIContainer.h"
#include "KivIIPDAttributeMgt.h"
#include "KivILinkableObject.h"
#include "KivIModelObject.h"
#include "KivIPointingObjects.h"
#include "KivIProductInSession.h"
#include "KivIResource.h"
#include "KivIResourceFactory.h"
#include "KivISPPAbstractActivity.h"
#include "KivISPPActivity.h"
#include "KivISPPActivityModificationEvents.h"
#include "KivISPPActivityRoot.h"
#include "KivISPPChildManagement.h"
#include "KivISPPFlowMgt.h"
#include "KivISPPItemMgt.h"
#include "KivISPPNodeData.h"
#include "KivISPPProcessContainer.h"
#include "KivISPPProductIO.h"
#include "KivISPPResourceManagement.h"
#include "KivIVisProperties.h"
#include "KivLeakCheck.h"
#include "KivLineBuilder.h"
#include "KivPrdMultiImportNotif.h"
#include "KivProcessDocument.h"
#include "KivSPPActivityNotification.h"
#include "KivSPPLinkServices.h"
#include "KivSPPNodeDataNotification.h"
#include "KivSPPReparentService.h"
#include "KivShowNotif.h"
#include "MoxIBIWActivityGrouping.h"
#include "MoxIBIWActivityStation.h"
#include "MoxIBIWItemInfo.h"
#include "MoxIUpdateManufAssly.h"

using Strings = std::vector<std::string>;

struct RecordedNotice {
  KivBaseUnknown_var father;
  KivBaseUnknown_var son;
  int kind;
};

class ProcessModelTest : public LeakCheckedTest {
 protected:
  void SetUp() override {
    LeakCheckedTest::SetUp();
    doc_ = KivProcessDocument::Create();
    line_ = std::make_unique<KivLineBuilder>(doc_.get(),
                                             std::initializer_list<const char*>{"Underbody >"});
    root_ = Act("Underbody");
  }

  // The leak check runs once the fixtures built on this one released their
  // own handles (their members are gone before this destructor's body).
  void TearDown() override {}
  ~ProcessModelTest() override {
    notices_.clear();
    line_.reset();
    root_ = NULL_var;
    doc_ = NULL_var;
    ExpectNoLeak();
  }

  // Starts recording the root's activity notifications (kind, father, son).
  void Listen() {
    doc_->GetActivityEvents()->AddCallback(
        KivSPPActivityNotificationDispatcher::DISPATCHER_SPP_VIEWS_CHANGE,
        [this](KivBaseUnknown*, KivNotification* n, void*) {
          auto* activity = dynamic_cast<KivSPPActivityNotification*>(n);
          ASSERT_NE(activity, nullptr);
          notices_.push_back({KivBaseUnknown_var(activity->GetFather()),
                              KivBaseUnknown_var(activity->GetSon()),
                              activity->GetNotificationKind()});
        });
  }

  // The recorded notifications as "kind father>son" by name, in order; then
  // forgets them.
  Strings Heard() {
    Strings heard;
    for (const auto& n : notices_)
      heard.push_back(std::to_string(n.kind) + " " + NameOf(n.father) + ">" + NameOf(n.son));
    notices_.clear();
    return heard;
  }

  // Adds activities and links written as KivLineBuilder lines (the root is
  // "Underbody") and finds them by name.
  void Build(std::initializer_list<const char*> lines) {
    for (const char* line : lines) line_->Add(line);
  }
  KivISPPActivity_var Act(const char* name) { return (*line_)[name]; }

  KivISPPActivity_var Station(const char* name, KivBaseUnknown* parent = nullptr) {
    return doc_->CreateActivity(parent ? parent : root_.get(), "BIWActivityStation", name);
  }
  KivISPPActivity_var Child(KivBaseUnknown* parent, const char* type, const char* name) {
    return doc_->CreateActivity(parent, type, name);
  }
  void Link(KivBaseUnknown* from, KivBaseUnknown* to) {
    ASSERT_EQ(doc_->AddPrecedence(from, to), S_OK);
  }

  // Whether the list holds exactly these objects, in this order.
  static bool Holds(const KivListValKivBaseUnknown_var& list,
                    std::initializer_list<KivBaseUnknown*> objects) {
    return std::equal(list.begin(), list.end(), objects.begin(), objects.end(),
                      [](const auto& a, KivBaseUnknown* b) { return a == KivBaseUnknown_var(b); });
  }
  // The labels of objects, for readable comparisons.
  static std::string NameOf(const KivBaseUnknown_var& object) {
    KivIModelObject_var named(object.get());
    return named ? named->ObjectName().ConvertToUTF8() : "?";
  }
  static Strings Names(const KivListValKivBaseUnknown_var& list) {
    Strings names;
    for (auto& object : list) names.push_back(NameOf(object));
    return names;
  }
  static Strings Names(const KivSPPList& list) {
    return list ? Names(*list) : Strings{"<no list>"};
  }

  KivVar<KivProcessDocument> doc_;
  std::unique_ptr<KivLineBuilder> line_;
  KivISPPActivity_var root_;
  std::vector<RecordedNotice> notices_;
};

// Precedence links, children with their Start and Stop nodes, the graph node
// view and flows with cycles.
TEST_F(ProcessModelTest, LinksAreSeenFromBothEndsNotifyBothAndStayWithinOneLevel) {
  auto a = Station("A"), b = Station("B"), c = Station("C");
  KivISPPFlowMgt_var fa(a), fb(b), fc(c);
  EXPECT_EQ(KivSPPLinkServices::AreAllreadyLinked(fa, fb), 1) << "1 while not linked";
  Listen();
  EXPECT_EQ(fa->AddNextLink(fb), S_OK);
  EXPECT_EQ(Heard(), (Strings{"3 A>B", "3 B>A"}));
  EXPECT_EQ(fa->AddNextLink(fc), S_OK);
  // (A link exists once, and both ends see it: the reader and the chart tests.)
  EXPECT_EQ(Names(fa->NextActivities("Activity")), (Strings{"B", "C"}));
  EXPECT_EQ(KivSPPLinkServices::AreAllreadyLinked(fa, fb), 0);
  EXPECT_EQ(KivSPPLinkServices::AreAllreadyLinked(fb, fa), 1) << "links have a direction";
  EXPECT_EQ(KivSPPLinkServices::AreAllreadyLinked(fa, nullptr), 0);

  Heard();
  EXPECT_EQ(fc->RemoveLink(fa), S_OK) << "removal works from the successor's side too";
  EXPECT_EQ(Heard(), (Strings{"3 A>C", "3 C>A"}));
  EXPECT_EQ(Names(fa->NextActivities("Activity")), Strings{"B"});
  EXPECT_TRUE(fc->PreviousActivities("Activity")->IsEmpty());
  EXPECT_EQ(fc->RemoveLink(fa), S_FALSE);

  KivISPPFlowMgt_var weld(Child(a, "BIWActivitySpotWelding", "Weld"));
  EXPECT_EQ(fa->AddNextLink(fa), E_FAIL) << "no link to itself";
  EXPECT_EQ(weld->AddNextLink(fc), E_FAIL) << "no link across levels";
  EXPECT_EQ(KivISPPFlowMgt_var(root_)->AddNextLink(fa), E_FAIL) << "the root has no level";
  EXPECT_TRUE(fc->PreviousActivities("")->IsEmpty());
}

TEST_F(ProcessModelTest, ChildrenSitBetweenStartAndStopAndAreAddedByType) {
  auto station = Station("S1");
  auto load = Child(station, "BIWActivityLoading", "Load");
  Child(station, "BIWActivitySpotWelding", "Weld");
  // (All children listed between Start and Stop, the chart tests draw; a leaf
  // getting its Start and Stop with its first child, and the "<id>/Start"
  // names of the nodes, the document tests read.)
  KivISPPChildManagement_var children(station);
  EXPECT_EQ(Names(children->ChildActivities("Activity")), (Strings{"Load", "Weld"}));
  EXPECT_EQ(Names(children->ChildActivities("BIWActivitySpotWelding")), Strings{"Weld"});

  KivIModelObject_var start(children->GetStartNode()), stop(children->GetStopNode());
  ASSERT_TRUE(start && stop);
  EXPECT_EQ(start->ObjectType(), KivString("Start"));
  EXPECT_FALSE(KivISPPActivity_var(start.get())) << "a Start node is no activity";
  EXPECT_EQ(start->GetOwner(), KivBaseUnknown_var(station));

  // Start and Stop link, but flow queries for activities leave them out.
  Link(start, load);
  Link(load, stop);
  KivISPPFlowMgt_var fload(load);
  EXPECT_TRUE(fload->PreviousActivities("Activity")->IsEmpty());
  // (Queries for every node see them: the chart and the round trip.)

  // (The graph node view of a level, every drawing of a level in the
  // plug-in's viewer tests walks.)

  // Children added by type are named after it; labels are announced.
  KivISPPChildManagement_var rootChildren(root_);
  Listen();
  auto group = rootChildren->AddChildActivity("BIWActivityGrouping");
  ASSERT_TRUE(group);
  EXPECT_EQ(group->TypeName(), KivUnicodeString("BIWActivityGrouping"));
  EXPECT_EQ(Heard(), Strings{"3 Underbody>BIWActivityGrouping"});
  // (Unknown types, the group command's tests see refused.)
  EXPECT_FALSE(rootChildren->AddChildActivity("BIWActivityRoot"));
  EXPECT_EQ(rootChildren->ChildActivities("Activity")->Size(), 2);

  KivISPPAbstractActivity_var abstract(group);
  EXPECT_EQ(abstract->SetActivityLabel("Framing"), S_OK);
  EXPECT_EQ(Heard(), Strings{"3 Framing>Framing"});
}

TEST_F(ProcessModelTest, PertNodeDataIsKeptWithinTheFileLimitsAndAnnouncedOnTheLevel) {
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

TEST_F(ProcessModelTest, WalksOverACycleEndAndListEachPredecessorOnce) {
  // A cycle is accepted data; the Start node is walked over but not listed.
  Build({"Underbody > A B C D", "Start -> A -> B -> C -> A", "C -> D"});
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

// Item and resource assignment, product links and the body-in-white item
// information, with the notifications each change sends.
class AssignmentTest : public ProcessModelTest {
 protected:
  void SetUp() override {
    ProcessModelTest::SetUp();
    body_ = doc_->CreateProduct(nullptr, "BodySide");
    panel_ = doc_->CreateProduct(body_, "OuterPanel");
    bracket_ = doc_->CreateProduct(body_, "Bracket");
    robots_ = doc_->CreateResource(nullptr, "Cell", "Cell");
    robot_ = doc_->CreateResource(robots_, "R1", "Robot");
    gun_ = doc_->CreateResource(robots_, "G1", "WeldGun");
  }
  KivIProduct_var body_, panel_, bracket_, robots_, robot_, gun_;
};

// (Kinds 17 and 18 for an assigned and a removed item, and 15 and 16 for a
// resource, the plug-in's list refresh tests hear.)
TEST_F(AssignmentTest, ItemsAreAssignedOnceAndListedByTypeAndDepth) {
  auto s = Station("S1"), t = Station("S2");
  auto weld = Child(s, "BIWActivitySpotWelding", "Weld");
  KivISPPItemMgt_var items(s);
  EXPECT_EQ(items->AssignItem(panel_, nullptr, "", 1, 2), S_OK);  // once: the refusal table
  EXPECT_EQ(Names(items->ListItems("Item", 2)), Strings{"OuterPanel"});
  EXPECT_EQ(items->RemoveItem(panel_, -1), S_OK);
  EXPECT_EQ(items->RemoveItem(panel_, -1), S_FALSE);
  EXPECT_TRUE(items->ListItems("Item", 2)->IsEmpty());
  EXPECT_EQ(items->AssignItem(robot_, nullptr, "", 1, 2), E_FAIL) << "a resource is no item";

  // Through a link, only the item that this activity's link brings.
  auto input = KivISPPFlowMgt_var(s)->CreateProductInput(panel_);
  ASSERT_TRUE(input);
  EXPECT_EQ(items->AssignItem(bracket_, input, "", 1, 2), E_FAIL) << "the link brings another item";
  EXPECT_EQ(KivISPPItemMgt_var(t)->AssignItem(panel_, input, "", 1, 2), E_FAIL);
  EXPECT_EQ(items->AssignItem(panel_, input, "", 1, 2), S_OK);

  // Listed by type; mode 1 adds the items of the descendants.
  doc_->AssignItem(s, doc_->CreateAssembly("SideAssy"));
  doc_->AssignItem(weld, bracket_);
  doc_->AssignItem(weld, panel_);
  EXPECT_EQ(Names(items->ListItems("ASMPRODUCT", 2)), Strings{"OuterPanel"});
  EXPECT_EQ(Names(items->ListItems("MoxMfgAssy", 2)), Strings{"SideAssy"});
  EXPECT_EQ(Names(items->ListItems("Item", 1)), (Strings{"OuterPanel", "SideAssy", "Bracket"}));
}

TEST_F(AssignmentTest, ResourcesAreAssignedOnceAndFilteredByType) {
  auto s = Station("S1");
  KivISPPResourceManagement_var resources(s);
  EXPECT_EQ(resources->AssignResource(robot_, 1, 1), S_OK);
  EXPECT_EQ(resources->AssignResource(gun_, 1, 1), S_OK);
  EXPECT_EQ(resources->AssignResource(robot_, 1, 1), S_FALSE);
  EXPECT_EQ(resources->AssignResource(panel_, 1, 1), E_FAIL) << "a product is no resource";
  EXPECT_EQ(Names(resources->AssignedResources("Resource", 0)), (Strings{"R1", "G1"}));
  EXPECT_EQ(Names(resources->AssignedResources("WeldGun", 0)), (Strings{"G1"}));
  EXPECT_EQ(resources->RemoveResource(robot_, 1), S_OK);
  EXPECT_EQ(Names(resources->AssignedResources("Resource", 0)), (Strings{"G1"}));
}

TEST_F(AssignmentTest, ProductLinksAreRemovedFromTheirActivityWithKind29) {
  auto s = Station("S1"), t = Station("S2");
  KivISPPFlowMgt_var flow(s);
  auto input = flow->CreateProductInput(panel_);
  auto output = flow->CreateProductOutput(body_);
  // (What a link brings, and that an item is assigned, the reassign rules ask.)
  ASSERT_TRUE(input && output);
  EXPECT_FALSE(input->GetOutputProduct());
  EXPECT_EQ(Names(flow->ProductLinks("ProductInput")), (Strings{"OuterPanel"}));
  EXPECT_EQ(flow->LinksWithItem(body_)->Size(), 1);
  EXPECT_FALSE(flow->CreateProductInput(robot_)) << "resources are not linked as products";

  EXPECT_EQ(KivISPPFlowMgt_var(t)->RemoveProductLink(input), E_FAIL) << "not S2's link";
  Listen();
  EXPECT_EQ(flow->RemoveProductLink(input), S_OK);
  EXPECT_EQ(Heard(), Strings{"29 S1>"}) << "the removed link";
  EXPECT_EQ(flow->ProductLinks("")->Size(), 1);
}

TEST_F(AssignmentTest, ItemInformationListsInputsChildOutputsAndPredecessors) {
  auto line = Child(root_, "BIWActivityGrouping", "Line");
  auto s1 = Station("S1", line), s2 = Station("S2", line), s3 = Station("S3", line);
  auto weld = Child(s2, "BIWActivitySpotWelding", "Weld");
  auto deep = Child(weld, "BIWActivityClinching", "Clinch");
  Link(s1, s2);
  Link(s2, s3);
  doc_->AddProductInput(s2, panel_);
  doc_->AddProductInput(s2, bracket_);
  doc_->AddProductInput(s2, panel_);  // a second link to the same product
  doc_->AddProductOutput(s2, body_);  // its own, no child output (own outputs: the reassign rules)
  auto childOut = doc_->AddProductOutput(weld, bracket_);
  auto deepOut = doc_->AddProductOutput(deep, panel_);

  MoxIBIWItemInfo_var info(s2);
  KivListValKivBaseUnknown_var a, c, cAll, d;
  info->GetInputProducts(a);
  info->GetChildOutputs(c, 0);
  info->GetChildOutputs(cAll, 1);
  info->GetPrecedingActivities(d);
  EXPECT_EQ(Names(a), (Strings{"OuterPanel", "Bracket"})) << "each product once";
  EXPECT_TRUE(Holds(c, {childOut}));
  EXPECT_TRUE(Holds(cAll, {childOut, deepOut}));
  EXPECT_EQ(Names(d), (Strings{"S1"}));
}

TEST_F(AssignmentTest, ReplaceOutputSwapsTheLinkAndSendsKind39) {
  auto s = Station("S1");
  auto old = doc_->AddProductOutput(s, panel_);
  auto input = doc_->AddProductInput(s, bracket_);
  auto foreign = doc_->AddProductOutput(Station("S2"), bracket_);
  MoxIBIWItemInfo_var info(s);
  Listen();
  EXPECT_EQ(info->ReplaceOutput(old, robot_), E_FAIL) << "a resource cannot be an output";
  // Only an output of the activity itself is replaced.
  EXPECT_EQ(std::pair(info->ReplaceOutput(input, panel_), info->ReplaceOutput(foreign, panel_)),
            std::pair(E_FAIL, E_FAIL));
  EXPECT_TRUE(old->GetItem() && input->GetItem() && foreign->GetItem())
      << "a refused replace changes nothing";
  EXPECT_EQ(info->ReplaceOutput(old, bracket_), S_OK);
  KivListValKivBaseUnknown_var outputs;
  info->GetOutputs(outputs);
  ASSERT_EQ(outputs.Size(), 1);
  KivISPPProductIO_var replaced(outputs[1].get());
  EXPECT_EQ(std::pair(replaced->GetOutputProduct(), replaced->GetInputProduct()),
            std::pair(KivBaseUnknown_var(bracket_), KivBaseUnknown_var()));
  EXPECT_EQ(Heard(), Strings{"39 S1>Bracket"}) << "the new link";
  EXPECT_EQ(info->ReplaceOutput(replaced, nullptr), S_OK) << "no replacement: just removed";
  EXPECT_EQ(Heard(), Strings{"39 S1>"}) << "the son is then the removed link";
  outputs.RemoveAll();
  info->GetOutputs(outputs);
  EXPECT_TRUE(outputs.IsEmpty());
}

TEST_F(AssignmentTest, CycleTimesAndUserAttributesAreDataOfTheActivity) {
  auto s = Station("S1");
  auto load = Child(s, "BIWActivityLoading", "Load");
  MoxIBIWActivityStation_var station(s);
  ASSERT_TRUE(station);
  EXPECT_FALSE(MoxIBIWActivityGrouping_var(s));
  EXPECT_EQ(station->SetStationCycleTime(45.5), S_OK);
  EXPECT_DOUBLE_EQ(station->StationCycleTime(), 45.5);
  // (A grouping's cycle time, the group command's tests set.)
  EXPECT_FALSE(MoxIBIWActivityStation_var(load));

  // User attributes keep their type and order.
  KivIIPDAttributeMgt_var attributes(s);
  attributes->SetAttributeValue("Shift", KivIPDValue(2L));
  attributes->SetAttributeValue("Takt", KivIPDValue(52.5));
  attributes->SetAttributeValue("Owner", KivIPDValue(KivUnicodeString("Ünal")));
  attributes->SetAttributeValue("Shift", KivIPDValue(3L));
  KivIPDValue value;
  ASSERT_EQ(attributes->GetAttributeValue("Shift", value), S_OK);
  EXPECT_EQ(std::get<long>(value), 3L);
  // (Doubles and text keep their type too: the round trip's typed attributes.)
  // (Their names, in the order first set, the round trips write.)
  EXPECT_EQ(attributes->SetAttributeValue("Takt", KivIPDValue()), S_OK);
  EXPECT_EQ(attributes->GetAttributeValue("Takt", value), E_FAIL);
}

// Copying activities into a target (paste) and deleting them (cut), and what
// stale handles answer afterwards.
class CopyDeleteTest : public ProcessModelTest {
 protected:
  void SetUp() override {
    ProcessModelTest::SetUp();
    Build({"Underbody > X A B C Y", "X -> A -> B -> Y", "A -> C",
           "A > Load:Loading Weld:SpotWelding", "A.Start -> Load -> Weld -> A.Stop",
           "Underbody > Group:Grouping"});
    a_ = Act("A");
    panel_ = doc_->CreateProduct(nullptr, "Panel");
    robot_ = doc_->CreateResource(nullptr, "R1", "Robot");
    doc_->AddProductInput(a_, panel_);
    doc_->AssignItem(a_, panel_);
    doc_->AssignResource(Act("Weld"), robot_);
    doc_->SetCycleTime(a_, 42.0);
    doc_->SetAttribute(a_, "Shift", KivIPDValue(2L));
  }
  using List = KivListValKivBaseUnknown_var;
  static KivBaseUnknown_var Find(const KivListValKivBaseUnknown_var& list, const char* name) {
    for (auto& o : list)
      if (KivIModelObject_var(o.get())->ObjectName() == KivUnicodeString(name)) return o;
    return NULL_var;
  }

  KivISPPActivity_var a_;
  KivIProduct_var panel_, robot_;
};

TEST_F(CopyDeleteTest, CopiesKeepOnlyTheLinksAmongThemselves) {
  Listen();
  auto copies = doc_->CopyActivities(List{a_, Act("B")}, Act("Group"));
  ASSERT_EQ(copies.Size(), 2);
  KivISPPFlowMgt_var copyA(copies[1].get()), copyB(copies[2].get());
  EXPECT_EQ(KivISPPActivity_var(copyA)->ParentActivity(), Act("Group"));
  EXPECT_EQ(Names(copyA->NextActivities("")), (Strings{"B"}));
  EXPECT_TRUE(copyA->PreviousActivities("")->IsEmpty()) << "X stayed outside";
  EXPECT_TRUE(copyB->NextActivities("")->IsEmpty()) << "Y stayed outside";
  EXPECT_EQ(Heard(), (Strings{"3 Group>A", "3 Group>B"}));
  // The originals are untouched.
  EXPECT_EQ(Names(KivISPPFlowMgt_var(a_)->NextActivities("")), (Strings{"B", "C"}));
}

TEST_F(CopyDeleteTest, ACopyCarriesChildrenItemsResourcesLinksAndData) {
  auto copies = doc_->CopyActivities(List{a_}, Act("Group"));
  ASSERT_EQ(copies.Size(), 1);
  KivISPPActivity_var copy(copies[1].get());
  KivISPPChildManagement_var children(copy);
  auto all = children->ChildActivities("");
  EXPECT_EQ(Names(all), (Strings{"Start", "Load", "Weld", "Stop"}));
  // Start -> Load -> Weld -> Stop inside the copy, none back to the original.
  KivISPPFlowMgt_var copyLoad(Find(*all, "Load").get());
  EXPECT_EQ(KivBaseUnknown_var(copyLoad->PreviousActivities("")->Get(1)), children->GetStartNode());
  KivISPPFlowMgt_var copyWeld(Find(*all, "Weld").get());
  EXPECT_EQ(KivBaseUnknown_var(copyWeld->NextActivities("")->Get(1)), children->GetStopNode());
  EXPECT_NE(KivBaseUnknown_var(copyWeld), KivBaseUnknown_var(Act("Weld")));

  EXPECT_EQ(Names(KivISPPItemMgt_var(copy)->ListItems("Item", 2)), (Strings{"Panel"}));
  EXPECT_EQ(Names(KivISPPFlowMgt_var(copy)->ProductLinks("ProductInput")), Strings{"Panel"});
  EXPECT_EQ(KivISPPResourceManagement_var(copyWeld)->AssignedResources("Resource", 0)->Size(), 1);
  EXPECT_DOUBLE_EQ(doc_->GetCycleTime(copy), 42.0);
  EXPECT_EQ(std::get<long>(doc_->GetAttribute(copy, "Shift")), 2L);
  EXPECT_NE(doc_->IdOf(copy), doc_->IdOf(a_));
}

TEST_F(CopyDeleteTest, PastingIntoACopiedSubtreeIsRefused) {
  EXPECT_TRUE(doc_->CopyActivities(List{a_}, Act("Weld")).IsEmpty());
  EXPECT_TRUE(doc_->CopyActivities(List{a_}, a_).IsEmpty());
  EXPECT_EQ(KivISPPChildManagement_var(Act("Weld"))->ChildActivities("Activity")->Size(), 0);
  // A child listed with its parent is copied once, with the parent.
  auto copies = doc_->CopyActivities(List{a_, Act("Weld")}, Act("Group"));
  EXPECT_EQ(copies.Size(), 1);
}

TEST_F(CopyDeleteTest, DeleteRemovesTheSubtreeWithItsLinksAndAssignments) {
  const int activitiesBefore = doc_->ActivityCount();
  const std::string aId = doc_->IdOf(a_);
  Listen();
  EXPECT_EQ(doc_->DeleteActivities(List{a_}), S_OK);
  EXPECT_EQ(doc_->ActivityCount(), activitiesBefore - 3);
  // (The deleted activity gone from its parent's children, the chart tests see.)
  EXPECT_TRUE(KivISPPFlowMgt_var(Act("X"))->NextActivities("")->IsEmpty());
  EXPECT_TRUE(KivISPPFlowMgt_var(Act("B"))->PreviousActivities("")->IsEmpty());
  EXPECT_FALSE(doc_->FindById(aId));
  EXPECT_FALSE(doc_->FindById(aId + "/Start"));
  KivListValKivBaseUnknown_var linking;
  KivILinkableObject_var(panel_)->GetLinkingObjects(linking);
  EXPECT_TRUE(linking.IsEmpty()) << "the deleted input link is gone from the product";

  // Kind 8 for each deleted activity, descendants first; kind 3 for survivors.
  EXPECT_EQ(Heard(), (Strings{"8 Load>Load", "8 Weld>Weld", "8 A>A", "3 B>A", "3 C>A", "3 X>A",
                              "3 Underbody>A"}));
}

TEST_F(CopyDeleteTest, TheRootIsNeverDeletedAndStaleHandlesAnswerEmptyAndNeverCrash) {
  EXPECT_EQ(doc_->DeleteActivities(List{Act("B"), root_}), E_FAIL);
  EXPECT_TRUE(Act("B")->IsAttached()) << "a refused delete deletes nothing";

  doc_->DeleteActivities(List{a_});
  EXPECT_FALSE(a_->IsAttached());
  EXPECT_FALSE(a_->ParentActivity());
  EXPECT_FALSE(a_->GetRootActivity());
  EXPECT_TRUE(KivISPPChildManagement_var(a_)->ChildActivities("")->IsEmpty());
  EXPECT_FALSE(Act("Load")->ParentActivity());
  EXPECT_EQ(KivISPPFlowMgt_var(a_)->AddNextLink(KivISPPFlowMgt_var(Act("B"))), E_FAIL);
  EXPECT_FALSE(KivISPPFlowMgt_var(a_)->CreateProductInput(panel_));
  EXPECT_EQ(KivISPPItemMgt_var(a_)->AssignItem(panel_, nullptr, "", 1, 2), E_FAIL);
  EXPECT_EQ(KivISPPAbstractActivity_var(a_)->SetActivityLabel("Again"), E_FAIL);
  EXPECT_EQ(doc_->DeleteActivities(List{a_}), S_FALSE) << "nothing of the document listed";

  // Handles outlive the document without keeping it alive.
  KivISPPActivity_var held = Act("B");
  const long live = KivBaseUnknown::LiveInstances();
  doc_ = NULL_var;
  EXPECT_LT(KivBaseUnknown::LiveInstances(), live) << "the document went away";
  EXPECT_FALSE(held->IsAttached());
  EXPECT_FALSE(held->ParentActivity());
  EXPECT_FALSE(KivIProduct_var(panel_)->FatherProduct());
  EXPECT_FALSE(KivISPPFlowMgt_var(held)->NextActivities("")->Size());
}

TEST_F(CopyDeleteTest, MovingAnActivityDropsTheLinksOfItsOldLevel) {
  Listen();
  EXPECT_EQ(doc_->MoveActivity(Act("C"), Act("Group")), S_OK);
  EXPECT_EQ(Act("C")->ParentActivity(), Act("Group"));
  EXPECT_EQ(Names(KivISPPFlowMgt_var(a_)->NextActivities("")), (Strings{"B"}));
  EXPECT_EQ(Heard(), (Strings{"3 A>C", "3 Underbody>C", "3 Group>C"}));
}

// Products, resources and assemblies: trees, show states, pointing and linking
// queries, reparenting and deletion.
TEST_F(ProcessModelTest, ShowStatesAggregateChildrenAndChangesAreHeardAndImported) {
  auto body = doc_->CreateProduct(nullptr, "Body");
  auto left = doc_->CreateProduct(body, "Left");
  auto right = doc_->CreateProduct(body, "Right");
  auto pin = doc_->CreateProduct(left, "Pin");
  // (That a change is told on every father too, the plug-in's list refresh
  // tests show.)
  Strings heard;
  KivIModelEvents_var(pin)->GetNotificationDispatcher()->AddCallback(
      "KivShowNotif", [&heard](KivBaseUnknown*, KivNotification* n, void*) {
        auto* show = dynamic_cast<KivShowNotif*>(n);
        heard.push_back(KivIModelObject_var(show->GetObject())->ObjectName().ConvertToUTF8() +
                        (show->GetShowAttribut() == KivNoShow ? " hidden" : " shown"));
      });
  EXPECT_EQ(doc_->ShowState(body), KivUnicodeString("SHOW"));
  doc_->SetShow(right, KivNoShow);
  EXPECT_EQ(doc_->ShowState(body), KivUnicodeString("PARTIAL"));
  heard.clear();
  KivIVisProperties_var vis(pin);
  EXPECT_EQ(vis->SetShow(KivNoShow), S_OK);
  EXPECT_EQ(vis->SetShow(KivNoShow), S_OK);  // no change, nothing sent
  EXPECT_EQ(heard, Strings{"Pin hidden"});
  EXPECT_EQ(doc_->ShowState(left), KivUnicodeString("HIDDEN")) << "all its children hidden";
  EXPECT_EQ(doc_->ShowState(body), KivUnicodeString("HIDDEN"));
  doc_->SetShow(pin, KivShow);
  doc_->SetShow(body, KivNoShow);
  EXPECT_EQ(doc_->ShowState(body), KivUnicodeString("HIDDEN")) << "hidden whatever its children";

  auto assembly = doc_->CreateAssembly("Assy");
  doc_->AddAssemblyChild(assembly, pin);
  doc_->AddAssemblyChild(assembly, right);
  EXPECT_EQ(doc_->ShowState(assembly), KivUnicodeString("PARTIAL"));
  // A partly shown child makes its father partly shown, whatever its siblings.
  auto frame = doc_->CreateProduct(nullptr, "Frame");
  auto side = doc_->CreateProduct(frame, "Side");
  doc_->CreateProduct(frame, "Roof");
  doc_->CreateProduct(side, "Pillar");
  doc_->SetShow(doc_->CreateProduct(side, "Sill"), KivNoShow);
  EXPECT_EQ(doc_->ShowState(frame), KivUnicodeString("PARTIAL"));

  // A multi-import shows the new products.
  auto cell = doc_->CreateResource(nullptr, "Cell", "Cell");
  auto robot = doc_->CreateResource(cell, "R1", "Robot");
  doc_->SetShow(robot, KivNoShow);
  int imports = 0;
  KivIModelEvents_var(cell)->GetNotificationDispatcher()->AddCallback(
      "KivPrdMultiImportNotif",
      [&imports](KivBaseUnknown*, KivNotification*, void*) { ++imports; });
  auto notification = KivMake<KivPrdMultiImportNotif>(
      cell.get(), KivListValKivBaseUnknown_var{KivBaseUnknown_var(robot)});
  EXPECT_EQ(KivIProductInSession_var(cell)->DispatchNotification(notification, 1, 1), S_OK);
  EXPECT_EQ(doc_->GetShow(robot), KivShow);
  EXPECT_EQ(imports, 1);
}

TEST_F(ProcessModelTest, PointingAndLinkingObjectsLeadToAssembliesAndActivities) {
  auto s = Station("S1");
  auto panel = doc_->CreateProduct(nullptr, "Panel");
  auto assembly = doc_->CreateAssembly("SideAssy");
  auto outer = doc_->CreateAssembly("BodyAssy");
  doc_->AddAssemblyChild(assembly, panel);
  doc_->AddAssemblyChild(outer, assembly);
  auto input = doc_->AddProductInput(s, panel);

  // (The linking objects, the plug-in's reassign rules and list tests ask for.)
  KivListValKivBaseUnknown_var pointing;
  KivIPointingObjects_var(panel)->GetPointingObjects(pointing);
  EXPECT_TRUE(Holds(pointing, {assembly, input}));
  pointing.RemoveAll();
  KivIPointingObjects_var(assembly)->GetPointingObjects(pointing);
  EXPECT_EQ(Names(pointing), (Strings{"BodyAssy"}));
  // (The activities linked to an assembly, the plug-in's viewer buttons test
  // asks for when the assembly is deleted.)
}

TEST_F(ProcessModelTest, ReparentingMovesASubtreeButNothingBecomesItsOwnAncestor) {
  auto plant = doc_->CreateResource(nullptr, "Plant", "Plant");
  auto robot = doc_->CreateResource(plant, "R1", "Robot");
  auto gun = doc_->CreateResource(robot, "G1", "WeldGun");
  // (A resource moved under another with its subtree, the plug-in's group and
  // ungroup commands show; these are the refusals.)
  auto product = doc_->CreateProduct(nullptr, "Panel");
  EXPECT_EQ(KivSPPReparentService::ReparentResource(robot, product, nullptr, nullptr), E_FAIL)
      << "resources stay in the resource tree";
  EXPECT_EQ(KivSPPReparentService::ReparentResource(plant, gun, nullptr, nullptr), E_FAIL);
  EXPECT_EQ(KivSPPReparentService::ReparentResource(plant, plant, nullptr, nullptr), E_FAIL);
  EXPECT_EQ(KivIProduct_var(gun)->FatherProduct(), robot);

  auto a = doc_->CreateAssembly("A"), b = doc_->CreateAssembly("B"), c = doc_->CreateAssembly("C");
  EXPECT_EQ(doc_->AddAssemblyChild(a, b), S_OK);
  EXPECT_EQ(doc_->AddAssemblyChild(b, c), S_OK);
  EXPECT_EQ(doc_->AddAssemblyChild(c, a), E_FAIL);
  EXPECT_EQ(doc_->AddAssemblyChild(a, a), E_FAIL);

  auto s = Station("S1");
  auto weld = Child(s, "BIWActivitySpotWelding", "Weld");
  EXPECT_EQ(doc_->MoveActivity(s, weld), E_FAIL);
  EXPECT_EQ(doc_->MoveActivity(s, s), E_FAIL);
  EXPECT_EQ(doc_->MoveActivity(root_, s), E_FAIL);
  EXPECT_EQ(weld->ParentActivity(), s);
}

TEST_F(ProcessModelTest, DeletingAProductRemovesItsLinksAssignmentsAndMemberships) {
  auto body = doc_->CreateProduct(nullptr, "Body");
  auto panel = doc_->CreateProduct(body, "Panel");
  auto clip = doc_->CreateProduct(panel, "Clip");
  auto s = Station("S1");
  auto input = doc_->AddProductInput(s, clip);
  doc_->AssignItem(s, panel);
  auto assembly = doc_->CreateAssembly("Assy");
  doc_->AddAssemblyChild(assembly, clip);
  Listen();
  EXPECT_EQ(KivIProduct_var(body)->RemoveChildProduct(panel), S_OK);
  EXPECT_EQ(Heard(), (Strings{"18 S1>Panel", "29 S1>"})) << "a removed link names no item";
  // (Its links gone from the activity, the plug-in's reassign rule tests show.)
  KivListValKivBaseUnknown_var children;
  MoxIMfgAssembly_var(assembly)->GetChildren(children);
  EXPECT_TRUE(children.IsEmpty());
  EXPECT_EQ(doc_->IdOf(clip), "") << "deleted objects leave the document";
  EXPECT_FALSE(KivIProduct_var(clip)->FatherProduct()) << "a stale handle answers empty";
  EXPECT_EQ(doc_->ListProducts().Size(), 1);
}

// (That the assembly is announced while its links still stand, and that no
// link or assignment of it is left, the plug-in's viewer buttons test shows.)
TEST_F(ProcessModelTest, DeletingAnAssemblyTellsTheActivitiesThatHeldIt) {
  auto s = Station("S1");
  auto assembly = doc_->CreateAssembly("Assy");
  doc_->AddProductInput(s, assembly);
  doc_->AssignItem(s, assembly);
  Listen();
  EXPECT_EQ(doc_->DeleteAssembly(assembly), S_OK);
  EXPECT_EQ(Heard(), (Strings{"29 S1>", "18 S1>Assy"}));
  EXPECT_TRUE(doc_->ListAssemblies().IsEmpty());
}

TEST_F(ProcessModelTest, ContainersListTheirMembersAndTheProcessMakesResources) {
  auto body = doc_->CreateProduct(nullptr, "Body");
  doc_->CreateResource(nullptr, "Cell", "Cell");
  doc_->CreateAssembly("Assy");
  KivIContainer_var ppr(doc_->GetContainer("KivSPPPPRCont"));
  ASSERT_TRUE(ppr);
  EXPECT_EQ(Names(ppr->GetMembers("PPRProduct", "KivIProduct")), Strings{"Body"});
  EXPECT_EQ(ppr->GetMembers("PPRResource", "KivIResource")->Size(), 1);
  KivIContainer_var bom(doc_->GetContainer("MoxMBomNodesCont"));
  EXPECT_EQ(bom->GetMembers("MfgAssembly", "MoxIMfgAssembly")->Size(), 1);
  EXPECT_TRUE(bom->GetMembers("MfgAssembly", "KivIProduct")->IsEmpty());

  KivISPPProcessContainer_var processes(
      KivInit_var(doc_)->RootContainer("KivISPPProcessContainer"));
  ASSERT_TRUE(processes);
  auto list = processes->GetProcesses();
  ASSERT_EQ(list->Size(), 1);
  EXPECT_TRUE(KivISPPActivityRoot_var((*list)[1].get()));
  // (The rule environment's switch, the plug-in's group command refusals show.)

  // The process container's factory makes resources; removing one unassigns it.
  KivIResourceFactory_var factory(processes);
  auto cell = factory->CreateResource("Cell", "Cell", nullptr);
  auto robot = factory->CreateResource("Robot", "R1", cell);
  ASSERT_TRUE(cell && robot);
  EXPECT_EQ(robot->GetResourceType(), KivUnicodeString("Robot"));
  auto s = Station("S1");
  doc_->AssignResource(s, robot);
  Listen();
  EXPECT_EQ(processes->RemoveResource(cell), S_OK);
  EXPECT_EQ(Heard(), Strings{"16 S1>R1"});
  EXPECT_EQ(doc_->ListResources().Size(), 1) << "only the first cell is left";
  auto door = doc_->CreateProduct(nullptr, "Door");
  EXPECT_EQ(processes->RemoveResource(door.get()), E_FAIL) << "a product is no resource";
  EXPECT_EQ(Names(ppr->GetMembers("PPRProduct", "KivIProduct")), (Strings{"Body", "Door"}));
}

// The root activity alone answers the process-wide interfaces. (Extensions
// that attach by late type, to activities but not their Start and Stop nodes
// and to input links by their direction, the plug-in's list and chart tests
// use: its managers are such extensions.)
TEST_F(ProcessModelTest, OnlyTheRootAnswersTheProcessWideInterfaces) {
  auto a = Station("A");
  auto grouping = Child(root_, "BIWActivityGrouping", "G");
  auto nested = Child(grouping, "BIWActivityStation", "Nested");
  EXPECT_TRUE(KivISPPActivityRoot_var(root_));
  EXPECT_FALSE(KivISPPActivityRoot_var(a));
  EXPECT_FALSE(KivISPPActivityModificationEvents_var(nested));

  KivISPPActivityModificationEvents_var events(root_);
  ASSERT_TRUE(events);
  EXPECT_EQ(events->GetNotificationDispatcher(), doc_->GetActivityEvents());
  MoxIUpdateManufAssly_var update(root_);
  ASSERT_TRUE(update);
  KivBoolean updating = 1;
  update->GetUpdateState(updating);
  EXPECT_EQ(updating, 0) << "not updating until told";
  EXPECT_FALSE(MoxIUpdateManufAssly_var(a));
}
