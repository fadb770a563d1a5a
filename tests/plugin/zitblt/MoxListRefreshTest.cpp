// Which changes of the document rebuild which lists, and what is left of the
// lists when their activity, product, configuration or window goes.
#include <fstream>
#include <functional>
#include <set>

#include "Kiv2DImagePixelRep.h"
#include "KivDelayedDestruction.h"
#include "KivFrmLayout.h"
#include "KivFrmWindow.h"
#include "KivInteraction.h"
#include "KivSelectShowActions.h"
#include "MoxIPertWindow.h"
#include "MoxIScrollListZitBltItemVisu.h"
#include "MoxIZitBltCBSubscriber.h"
#include "MoxListTestSupport.h"
#include "MoxPertController.h"
#include "MoxPertNodeTraverser.h"
#include "MoxZitBltConfiguration.h"

TEST_F(ListFixture, EachChangeRebuildsEveryListThatShowsItOnceAndNoOther) {
  Draw();
  KivBaseUnknown_var bracket = document_->CreateProduct(nullptr, "Bracket").get();
  const struct {
    const char* change;
    std::function<void()> make;
    std::set<std::string> rebuilt;
  } cases[] = {
      // the list of that name on the activity and on each of its ancestors
      {"resource assigned",
       [&] { document_->AssignResource(line_.s1.get(), line_.robot.get()); },
       {"S1.Resources", "Cell.Resources"}},
      {"resource unassigned",
       [&] { document_->UnassignResource(line_.s1.get(), line_.robot.get()); },
       {"S1.Resources", "Cell.Resources"}},
      // also the inputs of S2, which lists what is assigned before it
      {"product assigned",
       [&] { document_->AssignItem(line_.s1.get(), bracket.get()); },
       {"S1.ProductInput", "S1.ProductOutput", "Cell.ProductInput", "Cell.ProductOutput",
        "S2.ProductInput"}},
      {"input added",
       [&] { document_->AddProductInput(line_.s1.get(), bracket.get()); },
       {"S1.ProductInput", "S1.ProductOutput", "Cell.ProductInput", "Cell.ProductOutput"}},
      // a leaf lists the inputs it is assigned: a new input of an assigned part
      {"leaf input added",
       [&] { document_->AddProductInput(line_.load.get(), line_.panel.get()); },
       {"Load.ProductInput", "S1.ProductInput", "Cell.ProductInput"}},
      {"item unassigned",
       [&] { document_->UnassignItem(line_.load.get(), line_.panel.get()); },
       {"Load.ProductInput", "S1.ProductInput", "Cell.ProductInput"}},
      // the status bars of every station and grouping above, each once
      {"attribute set",
       [&] { document_->SetAttribute(line_.weld.get(), "WeldSpots", 12L); },
       {"Weld.BIWPointFasteningStatusBars", "S1.BIWPointFasteningStatusBars",
        "S1.BIWStationStatusBars", "Cell.BIWPointFasteningStatusBars",
        "Cell.BIWGroupingStatusBars"}},
      {"cycle time set",
       [&] { document_->SetCycleTime(line_.s2.get(), 70); },
       {"S2.ProductOutput", "S2.BIWStationStatusBars", "S2.BIWPointFasteningStatusBars",
        "S2.BIWCurveFasteningStatusBars", "Cell.ProductOutput", "Cell.BIWGroupingStatusBars",
        "Cell.BIWPointFasteningStatusBars", "Cell.BIWCurveFasteningStatusBars"}},
  };
  for (const auto& c : cases) {
    const auto before = RefreshCounts();
    c.make();
    std::set<std::string> rebuilt;
    for (const auto& [list, count] : RefreshCounts()) {
      if (count != before.at(list)) rebuilt.insert(list);
      EXPECT_LE(count - before.at(list), 1) << c.change << ": " << list;
    }
    EXPECT_EQ(rebuilt, c.rebuilt) << c.change;
  }
  EXPECT_EQ(Labels(List(line_.s2, "BIWStationStatusBars")), "Cycle time: 70 s (over limit)");
  // A product both brought in and assigned is a carry-over input: marked.
  EXPECT_EQ(Labels(List(line_.s1, "ProductInput")), "Panel|Tunnel|Bracket");
  MoxScrollListRow carried;
  ASSERT_TRUE(List(line_.s1, "ProductInput")->GetRow(3, carried));
  EXPECT_EQ(carried.colour, 247);
}

TEST_F(ListFixture, ListsFollowTheirOwnDocumentWhicheverIsCurrent) {
  auto other = KivProcessDocument::Create();
  other->CreateRootActivity("Other line");
  ASSERT_TRUE(KivInteraction::OpenDocument(other.get()));
  Draw();
  document_->AssignResource(line_.s1.get(), line_.robot.get());
  EXPECT_EQ(Labels(List(line_.s1, "Resources")), "Robot");
}

TEST_F(ListFixture, ADeletedProductOrActivityLeavesNoRowAndNoButton) {
  Draw();
  Button(line_.s1, "ProductInput")->ChangeBtnState();
  document_->DeleteProduct(line_.panel.get());
  EXPECT_EQ(Labels(List(line_.s1, "ProductInput")), "Tunnel");
  KivListValKivBaseUnknown_var doomed;
  doomed.Append(line_.s1);
  ASSERT_EQ(document_->DeleteActivities(doomed), S_OK);
  for (const auto* node : {&line_.s1, &line_.load, &line_.weld})
    EXPECT_EQ(Button(*node, "ProductInput"), nullptr);
  EXPECT_FALSE(MoxIZitBltCBSubscriber_var(line_.s1.get())->IsSubscribed());
  EXPECT_NE(Button(line_.s2, "ProductInput"), nullptr);
}

TEST_F(ListFixture, AMissingCommandOrBadStatusBarFileEmptiesOnlyTheirListsUntilMended) {
  setenv("KivStartupPath", folder_.c_str(), 1);
  const char* kList = "MoxBaseScrollListZitBltRep";
  WriteConfiguration(
      "<C>" +
      ActivityXml(
          "BIWActivityStation",
          ZitBltXml("ProductInput", "lefttop", "NoSuchListCmd", kList) +
              ZitBltXml("BIWStationStatusBars", "topleft", "MoxStatusBarListZitBltCmd", kList) +
              ZitBltXml("Resources", "bottommiddle", "MoxStatesResourceListZitBltCmd", kList)) +
      "</C>");
  std::ofstream(folder_ / MoxStatusBarConfiguration::kFileName) << "<StatusBarConfiguration>";
  line_.Build(document_.get());
  document_->AssignResource(line_.s1.get(), line_.robot.get());
  MoxIZitBltMgr_var(line_.s1.get())->Init(viewer_);
  MoxBaseListZitBltCmd* command = nullptr;
  EXPECT_EQ(MoxIZitBltCBSubscriber_var(line_.s1.get())->FindZitBltCmd("ProductInput", &command),
            E_FAIL);
  EXPECT_TRUE(Button(line_.s1, "ProductInput")->IsGrey());
  EXPECT_TRUE(Button(line_.s1, "BIWStationStatusBars")->IsGrey());
  EXPECT_EQ(Labels(List(line_.s1, "Resources")), "Robot");

  std::ofstream(folder_ / MoxStatusBarConfiguration::kFileName)
      << "<S><StatusBar Name='BIWStationStatusBars'><CycleTime/></StatusBar></S>";
  MoxIZitBltMgr_var(line_.s1.get())->Remove();
  MoxIZitBltMgr_var(line_.s1.get())->Init(viewer_);
  EXPECT_EQ(Labels(List(line_.s1, "BIWStationStatusBars")), "Cycle time: 0");
}

// With a viewer window: a picked label hides its product, the list redraws
// the row's icon, re-targeting and closing the window take the lists away.
TEST_F(ListFixture, APickedLabelHidesItsProductAndTheListsFollowTheirWindow) {
  MoxIPertWindow_var window = Open(line_.cell);
  ASSERT_TRUE(window);
  auto traverser = KivMake<MoxPertNodeTraverser>(window->GetPertController());
  ASSERT_EQ(traverser->ShowChildrenNodes(line_.s1), S_OK);  // Load and Weld get their buttons
  ASSERT_EQ(traverser->ChangePertNodeShape(1), S_OK);
  ASSERT_NE(Button(line_.weld, "Resources"), nullptr);

  Button(line_.s1, "ProductInput")->ChangeBtnState();
  MoxScrollListRow row;
  ASSERT_TRUE(List(line_.s1, "ProductInput")->GetRow(1, row));
  ASSERT_TRUE(KivSelectShowActions::HideShow(row.visu.get(), KivNoShow));
  EXPECT_EQ(document_->GetShow(line_.panel.get()), KivNoShow);
  ASSERT_TRUE(List(line_.s1, "ProductInput")->GetRow(1, row));
  auto* rep =
      dynamic_cast<Kiv2DBagRep*>(MoxIScrollListZitBltItemVisu_var(row.visu.get())->GiveRep());
  auto* label = dynamic_cast<Kiv2DBagRep*>(rep->GetChild(1));
  auto* icon = dynamic_cast<Kiv2DImagePixelRep*>(
      dynamic_cast<Kiv2DBagRep*>(label->GetChild(2))->GetChild(1));
  EXPECT_TRUE(icon->GetPixelImage()->GetPixel(1, 1) ==
              (KivRgba{150, 150, 150, 255}));  // hidden: grey
  ASSERT_TRUE(KivSelectShowActions::Select(row.visu.get()));
  EXPECT_TRUE(KivInteraction::GetCurrentEditor()->GetCSO()->ContainsObject(row.item.get()));

  // Re-targeted on S1's level: the lists of the cell's level go, S1's
  // operations keep theirs.
  ASSERT_TRUE(ViewerOn(line_.s1));
  EXPECT_EQ(Button(line_.s2, "ProductInput"), nullptr);
  EXPECT_EQ(Labels(List(line_.load, "ProductInput")), "");
  EXPECT_EQ(Labels(List(line_.weld, "Resources")), "Robot");

  KivFrmLayout::GetCurrentLayout()->GetCurrentWindow()->DeleteWindow();
  KivDelayedDestruction::Flush();
  EXPECT_EQ(KivInteraction::GetCurrentEditor()->GetVis2DRegistry()->GetModelCount(), 0);
  document_->AssignItem(line_.weld.get(), line_.panel.get());  // reaches no list
  EXPECT_EQ(Button(line_.weld, "ProductInput"), nullptr);
}
