// Products, resources and assemblies: trees, show states, pointing and linking
// queries, reparenting and deletion.
#include "KivIContainer.h"
#include "KivILinkableObject.h"
#include "KivIPointingObjects.h"
#include "KivIProductInSession.h"
#include "KivIResource.h"
#include "KivIResourceFactory.h"
#include "KivISPPActivityRoot.h"
#include "KivISPPItemMgt.h"
#include "KivISPPProcessContainer.h"
#include "KivISPPResourceManagement.h"
#include "KivIVisProperties.h"
#include "KivPrdMultiImportNotif.h"
#include "KivProcessModelTestSupport.h"
#include "KivSPPReparentService.h"
#include "KivShowNotif.h"
#include "MoxMfgUpdateNotification.h"

using ProductTest = ProcessModelTest;

TEST_F(ProductTest, ShowStatesAggregateChildrenAndChangesAreHeardAndImported) {
  auto body = doc_->CreateProduct(nullptr, "Body");
  auto left = doc_->CreateProduct(body, "Left");
  auto right = doc_->CreateProduct(body, "Right");
  auto pin = doc_->CreateProduct(left, "Pin");
  Strings heard;
  for (KivBaseUnknown* listener : {body.get(), pin.get()}) {
    KivIModelEvents_var events(listener);
    events->GetNotificationDispatcher()->AddCallback(
        "KivShowNotif", [&heard](KivBaseUnknown*, KivNotification* n, void*) {
          auto* show = dynamic_cast<KivShowNotif*>(n);
          heard.push_back(KivIModelObject_var(show->GetObject())->ObjectName().ConvertToUTF8() +
                          (show->GetShowAttribut() == KivNoShow ? " hidden" : " shown"));
        });
  }
  EXPECT_EQ(doc_->ShowState(body), KivUnicodeString("SHOW"));
  doc_->SetShow(right, KivNoShow);
  EXPECT_EQ(doc_->ShowState(body), KivUnicodeString("PARTIAL"));
  heard.clear();
  KivIVisProperties_var vis(pin);
  EXPECT_EQ(vis->SetShow(KivNoShow), S_OK);
  EXPECT_EQ(vis->SetShow(KivNoShow), S_OK);  // no change, nothing sent
  EXPECT_EQ(heard, (Strings{"Pin hidden", "Pin hidden"})) << "on the product and its fathers";
  KivShowAttribut show = KivShow;
  vis->GetShow(show);
  EXPECT_EQ(show, KivNoShow);
  EXPECT_EQ(doc_->ShowState(left), KivUnicodeString("HIDDEN")) << "all its children hidden";
  EXPECT_EQ(doc_->ShowState(body), KivUnicodeString("HIDDEN"));
  doc_->SetShow(pin, KivShow);
  doc_->SetShow(body, KivNoShow);
  EXPECT_EQ(doc_->ShowState(body), KivUnicodeString("HIDDEN")) << "hidden whatever its children";

  auto assembly = doc_->CreateAssembly("Assy");
  doc_->AddAssemblyChild(assembly, pin);
  doc_->AddAssemblyChild(assembly, right);
  EXPECT_EQ(doc_->ShowState(assembly), KivUnicodeString("PARTIAL"));

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

TEST_F(ProductTest, PointingAndLinkingObjectsLeadToAssembliesAndActivities) {
  auto s = Station("S1");
  auto panel = doc_->CreateProduct(nullptr, "Panel");
  auto assembly = doc_->CreateAssembly("SideAssy");
  auto outer = doc_->CreateAssembly("BodyAssy");
  doc_->AddAssemblyChild(assembly, panel);
  doc_->AddAssemblyChild(outer, assembly);
  auto input = doc_->AddProductInput(s, panel);

  KivListValKivBaseUnknown_var pointing, linking;
  KivIPointingObjects_var(panel)->GetPointingObjects(pointing);
  ASSERT_EQ(pointing.Size(), 2);
  EXPECT_EQ(pointing[1], KivBaseUnknown_var(assembly));
  EXPECT_EQ(pointing[2], KivBaseUnknown_var(input));
  KivILinkableObject_var(panel)->GetLinkingObjects(linking);
  ASSERT_EQ(linking.Size(), 1);
  EXPECT_EQ(KivIModelObject_var(linking[1].get())->GetOwner(), KivBaseUnknown_var(s));
  pointing.RemoveAll();
  KivIPointingObjects_var(assembly)->GetPointingObjects(pointing);
  EXPECT_EQ(Names(pointing), (Strings{"BodyAssy"}));

  doc_->AssignItem(Station("S2"), assembly);
  doc_->AddProductOutput(s, assembly);
  KivListValKivBaseUnknown_var acts;
  MoxIMfgAssembly_var(assembly)->GetInverslyLinkedActs(acts);
  EXPECT_EQ(Names(acts), (Strings{"S2", "S1"}));
}

TEST_F(ProductTest, ReparentingMovesASubtreeButNothingBecomesItsOwnAncestor) {
  auto plant = doc_->CreateResource(nullptr, "Plant", "Plant");
  auto cellA = doc_->CreateResource(plant, "CellA", "Cell");
  auto cellB = doc_->CreateResource(plant, "CellB", "Cell");
  auto robot = doc_->CreateResource(cellA, "R1", "Robot");
  auto gun = doc_->CreateResource(robot, "G1", "WeldGun");
  auto s = Station("S1");
  doc_->AssignResource(s, robot);
  EXPECT_EQ(KivSPPReparentService::ReparentResource(robot, cellB, nullptr, nullptr), S_OK);
  EXPECT_EQ(KivIProduct_var(robot)->FatherProduct(), cellB);
  EXPECT_TRUE(KivIProduct_var(cellA)->ChildProducts("KivIProduct")->IsEmpty());
  EXPECT_EQ(Names(KivIProduct_var(cellB)->ChildProducts("KivIProduct")), (Strings{"R1"}));
  EXPECT_EQ(KivIProduct_var(gun)->FatherProduct(), robot);
  EXPECT_EQ(KivISPPResourceManagement_var(s)->AssignedResources("Resource", 0)->Size(), 1);
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

  auto weld = Child(s, "BIWActivitySpotWelding", "Weld");
  EXPECT_EQ(doc_->MoveActivity(s, weld), E_FAIL);
  EXPECT_EQ(doc_->MoveActivity(s, s), E_FAIL);
  EXPECT_EQ(doc_->MoveActivity(root_, s), E_FAIL);
  EXPECT_EQ(weld->ParentActivity(), s);
}

TEST_F(ProductTest, DeletingAProductRemovesItsLinksAssignmentsAndMemberships) {
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
  EXPECT_EQ(Count(SPPProductLinkChanged, s, input), 1);
  EXPECT_EQ(Count(SPPItemUnassigned, s, panel), 1);
  EXPECT_TRUE(KivISPPFlowMgt_var(s)->ProductLinks("")->IsEmpty());
  KivListValKivBaseUnknown_var children;
  MoxIMfgAssembly_var(assembly)->GetChildren(children);
  EXPECT_TRUE(children.IsEmpty());
  EXPECT_EQ(doc_->IdOf(clip), "") << "deleted objects leave the document";
  EXPECT_FALSE(KivIProduct_var(clip)->FatherProduct()) << "a stale handle answers empty";
  EXPECT_EQ(doc_->ListProducts().Size(), 1);
}

TEST_F(ProductTest, DeletingAnAssemblyAnnouncesItFirstThenCleansUp) {
  auto s = Station("S1");
  auto assembly = doc_->CreateAssembly("Assy");
  auto input = doc_->AddProductInput(s, assembly);
  doc_->AssignItem(s, assembly);
  std::vector<std::string> heard;
  doc_->GetAssemblyEvents()->AddCallback(
      MoxMfgNotificationDispatcher::GetMfgModified(),
      [&](KivBaseUnknown*, KivNotification* n, void*) {
        auto* update = dynamic_cast<MoxMfgUpdateNotification*>(n);
        heard.push_back(update->GetModification().str());
        if (update->GetModification() == "MADeleting") {
          // While it is announced the assembly still has its links.
          KivListValKivBaseUnknown_var acts;
          MoxIMfgAssembly_var(update->GetMfgAssembly())->GetInverslyLinkedActs(acts);
          EXPECT_EQ(acts.Size(), 1);
        }
      });
  Listen();
  EXPECT_EQ(doc_->DeleteAssembly(assembly), S_OK);
  EXPECT_EQ(heard, (Strings{"MADeleting"}));
  EXPECT_EQ(Count(SPPProductLinkChanged, s, input), 1);
  EXPECT_EQ(Count(SPPItemUnassigned, s, assembly), 1);
  EXPECT_TRUE(KivISPPItemMgt_var(s)->ListItems("Item", 2)->IsEmpty());
  EXPECT_TRUE(doc_->ListAssemblies().IsEmpty());
}

TEST_F(ProductTest, ContainersListTheirMembersAndTheProcessMakesResources) {
  auto body = doc_->CreateProduct(nullptr, "Body");
  body->SetAlias("BS-100");
  doc_->CreateResource(nullptr, "Cell", "Cell");
  doc_->CreateAssembly("Assy");
  KivIContainer_var ppr(doc_->GetContainer("KivSPPPPRCont"));
  ASSERT_TRUE(ppr);
  auto products = ppr->GetMembers("PPRProduct", "KivIProduct");
  ASSERT_EQ(products->Size(), 1);
  EXPECT_EQ(KivIProduct_var((*products)[1].get())->GetAlias(), KivUnicodeString("BS-100"));
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
  EXPECT_FALSE(doc_->GetDocEnvironment()->IsAKindOf("IPDDocEnv"));
  doc_->SetRuleEnvironment(true);
  EXPECT_TRUE(doc_->GetDocEnvironment()->IsAKindOf("IPDDocEnv"));

  // The process container's factory makes resources; removing one unassigns it.
  KivIResourceFactory_var factory(processes);
  auto cell = factory->CreateResource("Cell", "Cell", nullptr);
  auto robot = factory->CreateResource("Robot", "R1", cell);
  ASSERT_TRUE(cell && robot);
  EXPECT_EQ(robot->GetResourceType(), KivUnicodeString("Robot"));
  EXPECT_FALSE(KivIResource_var(body)) << "products are no resources";
  auto s = Station("S1");
  doc_->AssignResource(s, robot);
  Listen();
  EXPECT_EQ(processes->RemoveResource(cell), S_OK);
  EXPECT_EQ(Count(SPPResourceUnassigned, s, robot), 1);
  EXPECT_EQ(doc_->ListResources().Size(), 1) << "only the first cell is left";
}
