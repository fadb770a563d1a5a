// Item and resource assignment, product links and the body-in-white item
// information, with the notifications each change sends.
#include "KivIIPDAttributeMgt.h"
#include "KivISPPItemMgt.h"
#include "KivISPPProductIO.h"
#include "KivISPPResourceManagement.h"
#include "KivProcessModelTestSupport.h"
#include "MoxIBIWActivityGrouping.h"
#include "MoxIBIWActivityStation.h"

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
  void TearDown() override {
    body_ = panel_ = bracket_ = robots_ = robot_ = gun_ = NULL_var;
    ProcessModelTest::TearDown();
  }
  KivIProduct_var body_, panel_, bracket_, robots_, robot_, gun_;
};

TEST_F(AssignmentTest, ItemsAreAssignedOnceWithKinds17And18AndListedByTypeAndDepth) {
  auto s = Station("S1"), t = Station("S2");
  auto weld = Child(s, "BIWActivitySpotWelding", "Weld");
  KivISPPItemMgt_var items(s);
  Listen();
  EXPECT_EQ(items->AssignItem(panel_, nullptr, "", 1, 2), S_OK);
  EXPECT_EQ(items->AssignItem(panel_, nullptr, "", 1, 2), S_FALSE);
  EXPECT_EQ(Count(SPPItemAssigned, s, panel_), 1);
  EXPECT_EQ(Names(items->ListItems("Item", 2)), Strings{"OuterPanel"});
  EXPECT_TRUE(items->IsItemAssigned(panel_));
  EXPECT_EQ(items->RemoveItem(panel_, -1), S_OK);
  EXPECT_EQ(items->RemoveItem(panel_, -1), S_FALSE);
  EXPECT_EQ(Count(SPPItemUnassigned, s, panel_), 1);
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

TEST_F(AssignmentTest, ResourceAssignmentSendsKinds15And16AndFiltersByType) {
  auto s = Station("S1");
  KivISPPResourceManagement_var resources(s);
  Listen();
  EXPECT_EQ(resources->AssignResource(robot_, 1, 1), S_OK);
  EXPECT_EQ(resources->AssignResource(gun_, 1, 1), S_OK);
  EXPECT_EQ(resources->AssignResource(robot_, 1, 1), S_FALSE);
  EXPECT_EQ(resources->AssignResource(panel_, 1, 1), E_FAIL) << "a product is no resource";
  EXPECT_EQ(Count(SPPResourceAssigned, s, robot_), 1);
  EXPECT_EQ(Names(resources->AssignedResources("Resource", 0)), (Strings{"R1", "G1"}));
  EXPECT_EQ(Names(resources->AssignedResources("WeldGun", 0)), (Strings{"G1"}));
  EXPECT_EQ(resources->RemoveResource(robot_, 1), S_OK);
  EXPECT_EQ(Count(SPPResourceUnassigned, s, robot_), 1);
  EXPECT_EQ(Names(resources->AssignedResources("Resource", 0)), (Strings{"G1"}));
}

TEST_F(AssignmentTest, ProductLinksSendKind29WithTheLinkAndAreRemovedFromTheirActivity) {
  auto s = Station("S1"), t = Station("S2");
  KivISPPFlowMgt_var flow(s);
  Listen();
  auto input = flow->CreateProductInput(panel_);
  auto output = flow->CreateProductOutput(body_);
  ASSERT_TRUE(input && output);
  EXPECT_EQ(input->GetInputProduct(), KivBaseUnknown_var(panel_));
  EXPECT_FALSE(input->GetOutputProduct());
  EXPECT_EQ(output->GetOutputProduct(), KivBaseUnknown_var(body_));
  EXPECT_EQ(KivIModelObject_var(input)->GetOwner(), KivBaseUnknown_var(s));
  EXPECT_EQ(Count(SPPProductLinkChanged, s, input), 1);
  EXPECT_EQ(Names(flow->ProductLinks("ProductInput")), (Strings{"OuterPanel"}));
  EXPECT_EQ(flow->LinksWithItem(body_)->Size(), 1);
  EXPECT_FALSE(flow->CreateProductInput(robot_)) << "resources are not linked as products";

  EXPECT_EQ(KivISPPFlowMgt_var(t)->RemoveProductLink(input), E_FAIL) << "not S2's link";
  EXPECT_EQ(flow->RemoveProductLink(input), S_OK);
  EXPECT_EQ(Count(SPPProductLinkChanged, s, input), 2);
  EXPECT_FALSE(input->GetItem()) << "a removed link answers empty";
  EXPECT_EQ(flow->ProductLinks("")->Size(), 1);
}

TEST_F(AssignmentTest, ItemInformationGivesTheFourLists) {
  auto line = Child(root_, "BIWActivityGrouping", "Line");
  auto s1 = Station("S1", line), s2 = Station("S2", line), s3 = Station("S3", line);
  auto weld = Child(s2, "BIWActivitySpotWelding", "Weld");
  auto deep = Child(weld, "BIWActivityClinching", "Clinch");
  Link(s1, s2);
  Link(s2, s3);
  doc_->AddProductInput(s2, panel_);
  doc_->AddProductInput(s2, bracket_);
  doc_->AddProductInput(s2, panel_);  // a second link to the same product
  auto own = doc_->AddProductOutput(s2, body_);
  auto childOut = doc_->AddProductOutput(weld, bracket_);
  auto deepOut = doc_->AddProductOutput(deep, panel_);

  MoxIBIWItemInfo_var info(s2);
  KivListValKivBaseUnknown_var a, b, c, cAll, d;
  info->GetInputProducts(a);
  info->GetOutputs(b);
  info->GetChildOutputs(c, 0);
  info->GetChildOutputs(cAll, 1);
  info->GetPrecedingActivities(d);
  EXPECT_EQ(Names(a), (Strings{"OuterPanel", "Bracket"})) << "each product once";
  ASSERT_EQ(b.Size(), 1);
  EXPECT_EQ(b[1], KivBaseUnknown_var(own));
  ASSERT_EQ(c.Size(), 1);
  EXPECT_EQ(c[1], KivBaseUnknown_var(childOut));
  ASSERT_EQ(cAll.Size(), 2);
  EXPECT_EQ(cAll[2], KivBaseUnknown_var(deepOut));
  EXPECT_EQ(Names(d), (Strings{"S1"}));
}

TEST_F(AssignmentTest, ReplaceOutputSwapsTheLinkAndSendsKind39) {
  auto s = Station("S1");
  auto old = doc_->AddProductOutput(s, panel_);
  MoxIBIWItemInfo_var info(s);
  Listen();
  EXPECT_EQ(info->ReplaceOutput(old, robot_), E_FAIL) << "a resource cannot be an output";
  EXPECT_TRUE(old->GetItem()) << "a refused replace changes nothing";
  EXPECT_EQ(info->ReplaceOutput(old, bracket_), S_OK);
  KivListValKivBaseUnknown_var outputs;
  info->GetOutputs(outputs);
  ASSERT_EQ(outputs.Size(), 1);
  KivISPPProductIO_var replaced(outputs[1].get());
  EXPECT_EQ(replaced->GetOutputProduct(), KivBaseUnknown_var(bracket_));
  EXPECT_EQ(Count(SPPOutputsReplaced, s, replaced), 1);
  EXPECT_FALSE(old->GetItem());
  EXPECT_EQ(info->ReplaceOutput(replaced, nullptr), S_OK) << "no replacement: just removed";
  EXPECT_EQ(Count(SPPOutputsReplaced, s, replaced), 2) << "the son is then the removed link";
  outputs.RemoveAll();
  info->GetOutputs(outputs);
  EXPECT_TRUE(outputs.IsEmpty());
}

TEST_F(AssignmentTest, CycleTimesAndUserAttributesAreDataOfTheActivityAndSendKind3) {
  auto s = Station("S1");
  auto g = Child(root_, "BIWActivityGrouping", "G");
  auto load = Child(s, "BIWActivityLoading", "Load");
  Listen();
  MoxIBIWActivityStation_var station(s);
  ASSERT_TRUE(station);
  EXPECT_FALSE(MoxIBIWActivityGrouping_var(s));
  EXPECT_EQ(station->SetStationCycleTime(45.5), S_OK);
  EXPECT_DOUBLE_EQ(station->StationCycleTime(), 45.5);
  EXPECT_EQ(Count(SPPDataModified, s, s), 1);
  MoxIBIWActivityGrouping_var grouping(g);
  ASSERT_TRUE(grouping);
  grouping->SetGroupCycleTime(30.0);
  EXPECT_DOUBLE_EQ(doc_->GetCycleTime(g), 30.0);
  EXPECT_FALSE(MoxIBIWActivityStation_var(load));
  EXPECT_EQ(doc_->SetCycleTime(load, 3.0), E_FAIL);

  // User attributes keep their type and order, and send kind 3 too.
  KivIIPDAttributeMgt_var attributes(s);
  notices_.clear();
  attributes->SetAttributeValue("Shift", KivIPDValue(2L));
  attributes->SetAttributeValue("Takt", KivIPDValue(52.5));
  attributes->SetAttributeValue("Owner", KivIPDValue(KivUnicodeString("Ünal")));
  attributes->SetAttributeValue("Shift", KivIPDValue(3L));
  KivIPDValue value;
  ASSERT_EQ(attributes->GetAttributeValue("Shift", value), S_OK);
  EXPECT_EQ(std::get<long>(value), 3L);
  ASSERT_EQ(attributes->GetAttributeValue("Takt", value), S_OK);
  EXPECT_DOUBLE_EQ(std::get<double>(value), 52.5);
  EXPECT_EQ(std::get<KivUnicodeString>(doc_->GetAttribute(s, "Owner")), KivUnicodeString("Ünal"));
  KivListValKivUnicodeString names;
  attributes->ListAttributeNames(names);
  EXPECT_EQ(names.Size(), 3);
  EXPECT_EQ(names[1], KivUnicodeString("Shift"));
  EXPECT_EQ(CountKind(SPPDataModified), 4);
  EXPECT_EQ(attributes->SetAttributeValue("Takt", KivIPDValue()), S_OK);
  EXPECT_EQ(attributes->GetAttributeValue("Takt", value), E_FAIL);
}
