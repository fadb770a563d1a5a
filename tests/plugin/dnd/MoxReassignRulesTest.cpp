// The rules and the moves of dragged list rows: product inputs, product
// outputs and resources, with the item options dialog; and the tree and flow
// walks of the rules, which agree with their plain recursive definitions on
// random levels and end on precedence cycles.
#include <gtest/gtest.h>

#include <random>

#include "KivDelayedDestruction.h"
#include "KivDlgSelectorList.h"
#include "KivISPPChildManagement.h"
#include "KivISPPFlowMgt.h"
#include "KivISPPItem.h"
#include "KivISPPItemMgt.h"
#include "KivISPPProductIO.h"
#include "KivISPPResourceManagement.h"
#include "KivInteraction.h"
#include "KivLineBuilder.h"
#include "MoxBIWFlowQueries.h"
#include "MoxIListZitBltItemDD.h"
#include "MoxZitBltTestSupport.h"

namespace {
// Root "Line" > grouping "Cell" > L0 -> S1 -> S2 -> S3 -> L9 (L0 and L9
// loadings, the others stations); S1 > Load -> Weld. S1 takes Panel and gives Floor;
// Weld takes Bolt and has Robot; S2 is assigned Tunnel.
struct Line {
  KivBaseUnknown_var root, cell, s1, s2, s3, l0, l9, load, weld;
  KivBaseUnknown_var panel, tunnel, floor, bolt, robot, door;
  KivBaseUnknown_var panelIn, floorOut, boltIn;
  void Build(KivProcessDocument* doc) {
    KivLineBuilder line(doc, {"Line > Cell:Grouping", "Cell > L0:Loading S1 S2 S3 L9:Loading",
                              "S1 > Load:Loading Weld:SpotWelding", "L0 -> S1 -> S2 -> S3 -> L9",
                              "Load -> Weld"});
    root = line["Line"], cell = line["Cell"], l0 = line["L0"], s1 = line["S1"], s2 = line["S2"];
    s3 = line["S3"], l9 = line["L9"], load = line["Load"], weld = line["Weld"];
    panel = doc->CreateProduct(nullptr, "Panel").get();
    tunnel = doc->CreateProduct(nullptr, "Tunnel").get();
    floor = doc->CreateProduct(nullptr, "Floor").get();
    bolt = doc->CreateProduct(nullptr, "Bolt").get();
    door = doc->CreateProduct(nullptr, "Door").get();
    robot = doc->CreateResource(nullptr, "Robot", "Robot").get();
    panelIn = doc->AddProductInput(s1.get(), panel.get()).get();
    floorOut = doc->AddProductOutput(s1.get(), floor.get()).get();
    boltIn = doc->AddProductInput(weld.get(), bolt.get()).get();
    doc->AssignItem(s2.get(), tunnel.get());
    doc->AssignResource(weld.get(), robot.get());
  }
};

// The names of an activity's product links of one kind, in order.
std::string Links(const KivBaseUnknown_var& activity, const char* kind) {
  std::string names;
  const KivSPPList links = KivISPPFlowMgt_var(activity.get())->ProductLinks(kind);
  for (const KivBaseUnknown_var& link : *links)
    names += (names.empty() ? "" : "|") +
             KivISPPItem_var(KivISPPProductIO_var(link.get())->GetItem().get())
                 ->GetItemName()
                 .ConvertToUTF8();
  return names;
}

class ReassignRulesTest : public ZitBltFixture {
 protected:
  void SetUp() override {
    ZitBltFixture::SetUp();
    KivInteraction::OpenDocument(document_.get());
    line_.Build(document_.get());
  }
  void TearDown() override {
    line_ = Line();
    ZitBltFixture::TearDown();
  }
  // Asks the row's rules with a message that holds "before".
  std::pair<int, std::string> Ask(const KivBaseUnknown_var& row, const KivBaseUnknown_var& from,
                                  const KivBaseUnknown_var& to) {
    MoxIListZitBltItemDD_var dd(row.get());
    EXPECT_TRUE(dd);
    KivUnicodeString message("before");
    const int valid = dd ? dd->IsValidToReassign(from.get(), to.get(), message) : -1;
    return {valid, message.ConvertToUTF8()};
  }
  static HRESULT Move(const KivBaseUnknown_var& row, const KivBaseUnknown_var& from,
                      const KivBaseUnknown_var& to) {
    return MoxIListZitBltItemDD_var(row.get())->ReassignItem(from.get(), to.get());
  }
  static int Resources(const KivBaseUnknown_var& activity) {
    return KivISPPResourceManagement_var(activity.get())->AssignedResources("Resource", 0)->Size();
  }
  Line line_;
};

TEST_F(ReassignRulesTest, RulesAnswerWithTheirMessages) {
  const std::string kNot = "Item cannot be assigned to this activity .";
  const std::string kValid = "Activities are valid";
  const Line& l = line_;
  KivBaseUnknown_var start = document_->GetStartNode(l.cell.get());
  struct Case {
    const char* what;
    KivBaseUnknown_var row, from, to;
    int valid;
    std::string message;
  } cases[] = {
      {"input to a later station", l.panelIn, l.s1, l.s3, 1, kValid},
      {"input to a loading", l.panelIn, l.s1, l.l0, 1, kValid},
      {"input onto a Start node", l.panelIn, l.s1, start, 0, kNot},
      {"input onto its own activity", l.panelIn, l.s1, l.s1, 0, kNot},
      {"input from a joining process", l.boltIn, l.weld, l.s2, 0,
       "Product Input can not be ReAssigned from BIWActivitySpotWelding to BIWActivityStation"},
      {"input to a joining process", l.panelIn, l.s1, l.weld, 0,
       "Product Input can not be ReAssigned from BIWActivityStation to BIWActivitySpotWelding"},
      {"output to a station", l.floorOut, l.s1, l.s3, 1, kValid},
      {"output to a loading first in its station", l.floorOut, l.s1, l.load, 1, kValid},
      {"output to a loading after another activity", l.floorOut, l.s1, l.l9, 0, "before"},
      {"output from a loading", l.floorOut, l.l0, l.s2, 0,
       "Product Input can not be ReAssigned from BIWActivityLoading to BIWActivityStation"},
      {"output onto nothing", l.floorOut, l.s1, KivBaseUnknown_var(), 0, kNot},
      {"output from the wrong activity", l.floorOut, l.s2, l.s3, 0, "before"},
      {"resource to another activity", l.robot, l.weld, l.load, 1, kValid},
      {"resource onto a Start node", l.robot, l.weld, start, 0, kNot},
      {"resource from an activity that lacks it", l.robot, l.load, l.weld, 0, kNot},
      {"a product through the resource rules", l.tunnel, l.s2, l.s3, 0, kNot},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Ask(c.row, c.from, c.to), std::make_pair(c.valid, c.message));
  }
}

// A product already at the destination is refused (a station's own input
// staying while its items move is checked by the example session).
TEST_F(ReassignRulesTest, AProductAlreadyThereIsRefused) {
  const auto assigned = std::make_pair(0, std::string("This product is already assigned"));
  // Another input link of the same product at S1: S2 is assigned Tunnel.
  KivBaseUnknown_var tunnelIn = document_->AddProductInput(line_.s1.get(), line_.tunnel.get()).get();
  EXPECT_EQ(Ask(tunnelIn, line_.s1, line_.s2), assigned);
  document_->AddProductInput(line_.s3.get(), line_.floor.get());
  EXPECT_EQ(Ask(line_.floorOut, line_.s1, line_.s3), assigned);
}

TEST_F(ReassignRulesTest, AnAssemblyCannotGoWhereItIsNotMadeYet) {
  // Body is made by S3 (after S2), Side by S2 itself, Roof by Load (below
  // S1), Hood by nobody.
  auto assembly = [&](const char* name, KivBaseUnknown* producer) {
    KivBaseUnknown_var made = document_->CreateAssembly(name).get();
    if (producer) document_->AddProductOutput(producer, made.get());
    return KivBaseUnknown_var(document_->AddProductInput(line_.l0.get(), made.get()).get());
  };
  const struct {
    const char* name;
    KivBaseUnknown* producer;
    KivBaseUnknown* destination;
    int valid;
  } cases[] = {
      {"Body", line_.s3.get(), line_.s2.get(), 0},  {"Side", line_.s2.get(), line_.s2.get(), 0},
      {"Roof", line_.load.get(), line_.s1.get(), 0}, {"Hood", nullptr, line_.s2.get(), 1},
      {"Trunk", line_.s1.get(), line_.s3.get(), 1},  {"Wing", line_.s2.get(), line_.cell.get(), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    KivBaseUnknown_var input = assembly(c.name, c.producer);
    EXPECT_EQ(Ask(input, line_.l0, KivBaseUnknown_var(c.destination)).first, c.valid);
  }
}

TEST_F(ReassignRulesTest, AMoveThatCannotBeMadeChangesNothing) {
  KivListValKivBaseUnknown_var gone;
  gone.Append(line_.s3);
  document_->DeleteActivities(gone);
  const Line& l = line_;
  EXPECT_EQ(Move(l.panelIn, l.s1, l.s3), E_FAIL);
  EXPECT_EQ(Move(l.panelIn, l.s1, l.weld), E_FAIL);
  EXPECT_EQ(Links(l.s1, "ProductInput"), "Panel");
  EXPECT_EQ(Move(l.robot, l.weld, l.s3), E_FAIL);
  EXPECT_EQ(Move(l.floorOut, l.s1, l.s3), E_FAIL);
  EXPECT_EQ(Links(l.s1, "ProductOutput"), "Floor");
  EXPECT_EQ(Resources(l.weld), 1);
  // A link whose product is gone stays.
  document_->DeleteProduct(l.panel.get());
  EXPECT_EQ(Ask(l.panelIn, l.s1, l.s2), std::make_pair(0, std::string("before")));
  EXPECT_EQ(Move(l.panelIn, l.s1, l.s2), E_FAIL);
}

// (A robot moved, and the input's product assigned where it arrives, are
// checked with the drags in a viewer and the example session.)
TEST_F(ReassignRulesTest, InputsAndOutputsMove) {
  const Line& l = line_;
  // An input moves with its product.
  document_->AssignItem(l.s1.get(), l.panel.get());
  ASSERT_EQ(Move(l.panelIn, l.s1, l.s3), S_OK);
  EXPECT_EQ(Links(l.s1, "ProductInput") + "/" + Links(l.s3, "ProductInput"), "/Panel");
  EXPECT_FALSE(KivISPPItemMgt_var(l.s1.get())->IsItemAssigned(l.panel.get()));
  // An output moves at once where none is given.
  ASSERT_EQ(Move(l.floorOut, l.s1, l.s2), S_OK);
  EXPECT_EQ(Links(l.s1, "ProductOutput") + "/" + Links(l.s2, "ProductOutput"), "/Floor");
  EXPECT_EQ(KivInteraction::FindDialog("MoxPexBIWDDOptionsDlg"), nullptr);
}

// S2 gives Door and Tunnel: the user picks the output that Floor replaces.
TEST_F(ReassignRulesTest, TheOptionsDialogReplacesTheChosenOutputOrNothing) {
  const char* dialog = "MoxPexBIWDDOptionsDlg";
  // The outputs of S2, then of S1.
  const auto outputs = [&] {
    return Links(line_.s2, "ProductOutput") + " " + Links(line_.s1, "ProductOutput");
  };
  for (const std::string answer : {"cancel", "close", "ok"}) {
    SCOPED_TRACE(answer);
    KivBaseUnknown_var out = document_->AddProductOutput(line_.s1.get(), line_.floor.get()).get();
    if (Links(line_.s2, "ProductOutput").empty()) {
      document_->AddProductOutput(line_.s2.get(), line_.door.get());
      document_->AddProductOutput(line_.s2.get(), line_.tunnel.get());
    }
    ASSERT_EQ(Move(out, line_.s1, line_.s2), S_OK);
    auto* list = dynamic_cast<KivDlgSelectorList*>(
        KivInteraction::FindDialog(dialog)->FindChild("ItemSelectorList"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetLineCount(), 2);
    EXPECT_EQ(KivInteraction::FindDialog(dialog)->GetTitle().ConvertToUTF8(), "Select Item");
    if (answer == "ok") {
      ASSERT_TRUE(KivInteraction::ChooseLine(dialog, "ItemSelectorList", "Tunnel"));
      ASSERT_TRUE(KivInteraction::PressOK(dialog));
      EXPECT_EQ(outputs(), "Door|Floor Floor");  // the first Floor link stays
    } else {
      ASSERT_TRUE(answer == "cancel" ? KivInteraction::PressCancel(dialog)
                                     : KivInteraction::CloseWindow(dialog));
      EXPECT_EQ(outputs(), "Door|Tunnel Floor|Floor");
      document_->RemoveProductLink(out.get());
    }
    KivDelayedDestruction::Flush();
    EXPECT_EQ(KivInteraction::FindDialog(dialog), nullptr);
  }
}

bool Same(KivBaseUnknown* a, KivBaseUnknown* b) { return KivIdentity(a) == KivIdentity(b); }

// The definitions, walked as they read: every path again, so only for
// small acyclic levels.
bool LiteralFoundInChildren(KivBaseUnknown* a, KivBaseUnknown* n) {
  KivISPPChildManagement_var children(n);
  if (!children) return false;
  const KivSPPList list = children->ChildActivities("");
  for (const auto& child : *list)
    if (Same(child.get(), a)) return true;
  for (const auto& child : *list)
    if (LiteralFoundInChildren(a, child.get())) return true;
  return false;
}

bool LiteralAfter(KivBaseUnknown* producer, KivBaseUnknown* destination) {
  KivISPPFlowMgt_var flow(destination);
  if (!flow) return false;
  const KivSPPList next = flow->NextActivities("Activity");
  for (const auto& n : *next)
    if (Same(n.get(), producer) || LiteralFoundInChildren(producer, n.get()) ||
        LiteralAfter(producer, n.get()))
      return true;
  return false;
}

class FlowQueriesTest : public ZitBltFixture {
 protected:
  void TearDown() override {
    all_.clear();
    ZitBltFixture::TearDown();
  }
  // Siblings linked forward at random, a third of them with children of
  // their own (linked the same way).
  void AddLevel(KivBaseUnknown* parent, int size, int depth) {
    std::vector<KivBaseUnknown_var> level;
    for (int i = 0; i < size; ++i) {
      level.push_back(document_->CreateActivity(parent, "BIWActivityStation",
                                                "A" + std::to_string(all_.size()))
                          .get());
      all_.push_back(level.back());
    }
    std::bernoulli_distribution link(0.3), nest(0.35);
    for (int i = 0; i < size; ++i)
      for (int j = i + 1; j < size; ++j)
        if (link(random_)) document_->AddPrecedence(level[i].get(), level[j].get());
    if (depth > 0)
      for (const auto& activity : level)
        if (nest(random_)) AddLevel(activity.get(), 4, depth - 1);
  }
  std::mt19937 random_{20261206};
  std::vector<KivBaseUnknown_var> all_;
};

TEST_F(FlowQueriesTest, AgreeWithTheDefinitionsOnRandomLevels) {
  for (int round = 0; round < 4; ++round) {
    all_.clear();
    document_ = KivProcessDocument::Create();
    KivBaseUnknown_var root = document_->CreateRootActivity("Line").get();
    AddLevel(root.get(), 10, 2);
    int after = 0;
    for (const auto& p : all_)
      for (const auto& d : all_) {
        ASSERT_EQ(MoxBIWFlow::FoundInChildren(p.get(), d.get()),
                  LiteralFoundInChildren(p.get(), d.get()));
        const bool literal = LiteralAfter(p.get(), d.get());
        ASSERT_EQ(MoxBIWFlow::IsAssignedToAfterDestination(p.get(), d.get()), literal);
        after += literal;
      }
    EXPECT_GT(after, 0);  // the levels do exercise the flow
  }
}

TEST_F(FlowQueriesTest, EndOnAPrecedenceCycle) {
  KivBaseUnknown_var root = document_->CreateRootActivity("Line").get();
  auto make = [&](const char* name) {
    return KivBaseUnknown_var(document_->CreateActivity(root.get(), "BIWActivityStation", name).get());
  };
  KivBaseUnknown_var a = make("A"), b = make("B"), c = make("C"), off = make("Off");
  document_->AddPrecedence(a.get(), b.get());
  document_->AddPrecedence(b.get(), c.get());
  document_->AddPrecedence(c.get(), a.get());
  KivBaseUnknown_var inside = document_->CreateActivity(c.get(), "BIWActivityLoading", "In").get();
  EXPECT_TRUE(MoxBIWFlow::IsAssignedToAfterDestination(inside.get(), a.get()));
  EXPECT_TRUE(MoxBIWFlow::IsAssignedToAfterDestination(a.get(), a.get()));
  EXPECT_FALSE(MoxBIWFlow::IsAssignedToAfterDestination(off.get(), a.get()));
}
}  // namespace
