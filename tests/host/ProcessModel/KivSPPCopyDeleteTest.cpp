// Copying activities into a target (paste) and deleting them (cut), and what
// stale handles answer afterwards.
#include "KivIIPDAttributeMgt.h"
#include "KivILinkableObject.h"
#include "KivISPPAbstractActivity.h"
#include "KivISPPItemMgt.h"
#include "KivISPPProductIO.h"
#include "KivISPPResourceManagement.h"
#include "KivProcessModelTestSupport.h"

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
  void TearDown() override {
    a_ = NULL_var;
    panel_ = robot_ = NULL_var;
    ProcessModelTest::TearDown();
  }
  KivListValKivBaseUnknown_var List(std::initializer_list<KivBaseUnknown*> objects) {
    KivListValKivBaseUnknown_var list;
    for (KivBaseUnknown* o : objects) list.Append(KivBaseUnknown_var(o));
    return list;
  }
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
  auto copies = doc_->CopyActivities(List({a_, Act("B")}), Act("Group"));
  ASSERT_EQ(copies.Size(), 2);
  KivISPPFlowMgt_var copyA(copies[1].get()), copyB(copies[2].get());
  EXPECT_EQ(KivISPPActivity_var(copyA)->ParentActivity(), Act("Group"));
  EXPECT_EQ(Names(copyA->NextActivities("")), (Strings{"B"}));
  EXPECT_TRUE(copyA->PreviousActivities("")->IsEmpty()) << "X stayed outside";
  EXPECT_TRUE(copyB->NextActivities("")->IsEmpty()) << "Y stayed outside";
  EXPECT_EQ(copyB->PreviousActivities("")->Size(), 1);
  EXPECT_EQ(Count(SPPDataModified, Act("Group"), copies[1].get()), 1);
  // The originals are untouched.
  EXPECT_EQ(Names(KivISPPFlowMgt_var(a_)->NextActivities("")), (Strings{"B", "C"}));
}

TEST_F(CopyDeleteTest, ACopyCarriesChildrenItemsResourcesLinksAndData) {
  auto copies = doc_->CopyActivities(List({a_}), Act("Group"));
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
  auto links = KivISPPFlowMgt_var(copy)->ProductLinks("ProductInput");
  ASSERT_EQ(links->Size(), 1);
  EXPECT_EQ(KivISPPProductIO_var((*links)[1].get())->GetInputProduct(), KivBaseUnknown_var(panel_));
  EXPECT_EQ(KivISPPResourceManagement_var(copyWeld)->AssignedResources("Resource", 0)->Size(), 1);
  EXPECT_DOUBLE_EQ(doc_->GetCycleTime(copy), 42.0);
  EXPECT_EQ(std::get<long>(doc_->GetAttribute(copy, "Shift")), 2L);
  EXPECT_NE(doc_->IdOf(copy), doc_->IdOf(a_));
}

TEST_F(CopyDeleteTest, PastingIntoACopiedSubtreeIsRefused) {
  EXPECT_TRUE(doc_->CopyActivities(List({a_}), Act("Weld")).IsEmpty());
  EXPECT_TRUE(doc_->CopyActivities(List({a_}), a_).IsEmpty());
  EXPECT_EQ(KivISPPChildManagement_var(Act("Weld"))->ChildActivities("Activity")->Size(), 0);
  // A child listed with its parent is copied once, with the parent.
  auto copies = doc_->CopyActivities(List({a_, Act("Weld")}), Act("Group"));
  EXPECT_EQ(copies.Size(), 1);
}

TEST_F(CopyDeleteTest, DeleteRemovesTheSubtreeWithItsLinksAndAssignments) {
  const int activitiesBefore = doc_->ActivityCount();
  const std::string weldId = doc_->IdOf(Act("Weld"));
  Listen();
  EXPECT_EQ(doc_->DeleteActivities(List({a_})), S_OK);
  EXPECT_EQ(doc_->ActivityCount(), activitiesBefore - 3);
  EXPECT_EQ(Names(KivISPPChildManagement_var(root_)->ChildActivities("Activity")),
            (Strings{"X", "B", "C", "Y", "Group"}));
  EXPECT_TRUE(KivISPPFlowMgt_var(Act("X"))->NextActivities("")->IsEmpty());
  EXPECT_TRUE(KivISPPFlowMgt_var(Act("B"))->PreviousActivities("")->IsEmpty());
  EXPECT_FALSE(doc_->FindById(weldId));
  EXPECT_FALSE(doc_->FindById(weldId + "/Start"));
  KivListValKivBaseUnknown_var linking;
  KivILinkableObject_var(panel_)->GetLinkingObjects(linking);
  EXPECT_TRUE(linking.IsEmpty()) << "the deleted input link is gone from the product";

  // Kind 8 for each deleted activity, descendants first; kind 3 for survivors.
  std::vector<std::string> deleted;
  for (auto& n : notices_)
    if (n.kind == SPPActivityDeleted) {
      EXPECT_EQ(n.father, n.son);
      deleted.push_back(KivIModelObject_var(n.son.get())->ObjectName().ConvertToUTF8());
    }
  EXPECT_EQ(deleted, (Strings{"Load", "Weld", "A"}));
  EXPECT_EQ(Count(SPPDataModified, root_, a_), 1);
  EXPECT_EQ(Count(SPPDataModified, Act("X"), a_), 1);
  EXPECT_EQ(Count(SPPDataModified, Act("B"), a_), 1);
  EXPECT_EQ(Count(SPPDataModified, Act("C"), a_), 1);
}

TEST_F(CopyDeleteTest, TheRootIsNeverDeletedAndStaleHandlesAnswerEmptyAndNeverCrash) {
  EXPECT_EQ(doc_->DeleteActivities(List({Act("B"), root_})), E_FAIL);
  EXPECT_TRUE(Act("B")->IsAttached()) << "a refused delete deletes nothing";

  doc_->DeleteActivities(List({a_}));
  EXPECT_FALSE(a_->IsAttached());
  EXPECT_FALSE(a_->ParentActivity());
  EXPECT_FALSE(a_->GetRootActivity());
  EXPECT_TRUE(KivISPPChildManagement_var(a_)->ChildActivities("")->IsEmpty());
  EXPECT_FALSE(Act("Load")->ParentActivity());
  EXPECT_EQ(KivISPPFlowMgt_var(a_)->AddNextLink(KivISPPFlowMgt_var(Act("B"))), E_FAIL);
  EXPECT_FALSE(KivISPPFlowMgt_var(a_)->CreateProductInput(panel_));
  EXPECT_EQ(KivISPPItemMgt_var(a_)->AssignItem(panel_, nullptr, "", 1, 2), E_FAIL);
  EXPECT_EQ(KivISPPAbstractActivity_var(a_)->SetActivityLabel("Again"), E_FAIL);
  EXPECT_EQ(doc_->DeleteActivities(List({a_})), S_FALSE) << "nothing of the document listed";

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
  EXPECT_EQ(Count(SPPDataModified, Act("Group"), Act("C")), 1);
  EXPECT_EQ(Count(SPPDataModified, root_, Act("C")), 1);
}
