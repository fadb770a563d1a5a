// The group command as a user drives it: picks, the dialog, OK; what the
// document looks like afterwards, every refusal, and a failure half-way.
#include <functional>

#include "KivDlgDialog.h"
#include "KivISPPAbstractActivity.h"
#include "KivISPPActivity.h"
#include "KivISPPChildManagement.h"
#include "KivIProduct.h"
#include "KivISPPResourceManagement.h"
#include "KivIModelObject.h"
#include "KivProcessDocumentReader.h"
#include "MoxIBIWActivityGrouping.h"
#include "MoxIPertPosition.h"
#include "MoxPexActivityGroupDlg.h"
#include "MoxPexGroupingTestSupport.h"
#include "MoxProcessGroupUtils.h"

namespace {

const char* const kDialog = "MoxPexActivityGroupDlg";

class MoxPexPertGrpActCmdTest : public GroupingFixture {
 protected:
  // Starts the command and picks the objects one after the other.
  static void StartAndPick(const std::vector<KivBaseUnknown_var>& picks) {
    ASSERT_TRUE(KivInteraction::StartCommand("MoxPexPertGrpActCmd"));
    for (const auto& pick : picks) KivInteraction::Pick(pick.get());
  }
  static MoxPexActivityGroupDlg* Dialog() {
    return dynamic_cast<MoxPexActivityGroupDlg*>(KivInteraction::FindDialog(kDialog));
  }
  // The grouping made by the command: the root's grouping other than H.
  static KivBaseUnknown_var NewGroup(GroupingLine& line) {
    auto children = KivISPPChildManagement_var(line.root.get())->ChildActivities("Activity");
    for (const auto& child : *children)
      if (KivISPPActivity_var(child.get())->TypeName() == KivUnicodeString("BIWActivityGrouping") &&
          KivIdentity(child.get()) != KivIdentity(line.h.get()))
        return child;
    return NULL_var;
  }
};

TEST_F(MoxPexPertGrpActCmdTest, GroupsPickedStationsIntoOneGroupingInTheirPlace) {
  GroupingLine line;
  KivInteraction::OpenDocument(line.document.get());
  StartAndPick({line.a, line.b});
  MoxPexActivityGroupDlg* dialog = Dialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->IsVisible());
  EXPECT_EQ(dialog->GetActivityName(), KivUnicodeString("GroupActivity"));
  EXPECT_EQ(dialog->GetResourceName(), KivUnicodeString("GroupResource"));
  EXPECT_EQ(dialog->GetResourceType(), KivUnicodeString("DefaultResource"));
  ASSERT_TRUE(KivInteraction::TypeText(kDialog, "EditorActivityName", "Underbody group"));
  ASSERT_TRUE(KivInteraction::PressOK(kDialog));
  EXPECT_EQ(KivMessageLog::Count(), 0) << LastMessage();

  const KivBaseUnknown_var group = NewGroup(line);
  ASSERT_TRUE(group);
  KivProcessDocument* doc = line.document.get();
  EXPECT_FALSE(KivISPPActivity_var(line.a.get())->IsAttached());
  EXPECT_FALSE(KivISPPActivity_var(line.b.get())->IsAttached());
  EXPECT_EQ(NextNames(line.x, doc), std::vector<std::string>{"Underbody group"});
  EXPECT_EQ(NextNames(group, doc), std::vector<std::string>{"Y"});
  EXPECT_EQ(MoxIBIWActivityGrouping_var(group.get())->GroupCycleTime(), 45.5);
  double gx = 0, gy = 0;
  MoxIPertPosition_var(group.get())->GetPertPosition(gx, gy);
  EXPECT_EQ(std::pair(gx, gy), std::pair(137.5, 62.5));

  // Inside: Start -> A -> B -> Stop, Start and Stop framing the copies.
  auto children = *KivISPPChildManagement_var(group.get())->ChildActivities("");
  ASSERT_EQ(children.Size(), 4);
  EXPECT_EQ(Names(children, doc)[1], "A");
  EXPECT_EQ(NextNames(children[1], doc), std::vector<std::string>{"A"});
  EXPECT_EQ(NextNames(children[2], doc), std::vector<std::string>{"B"});
  EXPECT_EQ(NextNames(children[3], doc).size(), 1u);
  double sx = 0, sy = 0, ex = 0, ey = 0;
  MoxIPertPosition_var(children[1].get())->GetPertPosition(sx, sy);
  MoxIPertPosition_var(children[4].get())->GetPertPosition(ex, ey);
  EXPECT_EQ(std::pair(sx, sy), std::pair(75.0, 62.5));
  EXPECT_EQ(std::pair(ex, ey), std::pair(175.0, 62.5));

  // One group resource gathers both robots and is the group's.
  auto assigned = KivISPPResourceManagement_var(group.get())->AssignedResources("Resource", 0);
  ASSERT_TRUE(assigned);
  ASSERT_EQ(Names(*assigned, doc), std::vector<std::string>{"GroupResource"});
  EXPECT_EQ(KivIdentity(KivIProduct_var(line.r1.get())->FatherProduct().get()),
            KivIdentity((*assigned)[1].get()));
  EXPECT_EQ(KivIdentity(KivIProduct_var(line.r2.get())->FatherProduct().get()),
            KivIdentity((*assigned)[1].get()));

  // Saved, loaded and saved again: the same bytes.
  const std::string saved = line.Bytes();
  KivVar<KivProcessDocument> reloaded;
  KivProcessDocumentError loadError;
  ASSERT_EQ(KivProcessDocumentReader::LoadBuffer(saved.data(), saved.size(), "grouped", reloaded,
                                                 loadError),
            S_OK)
      << loadError.ToString();
  std::string again, error;
  ASSERT_EQ(KivProcessDocumentWriter::WriteText(*reloaded, again, error), S_OK);
  EXPECT_EQ(again, saved);
}

struct Refusal {
  const char* name;
  std::function<void(GroupingLine&)> prepare;
  std::function<std::vector<KivBaseUnknown_var>(GroupingLine&)> picks;
  bool pressOk;
  const char* message;
};

class MoxPexPertGrpActRefusals : public MoxPexPertGrpActCmdTest,
                                 public ::testing::WithParamInterface<Refusal> {};

TEST_P(MoxPexPertGrpActRefusals, SaysWhyAndChangesNothing) {
  const Refusal& r = GetParam();
  GroupingLine line;
  if (r.prepare) r.prepare(line);
  const std::string before = line.Bytes();
  KivInteraction::OpenDocument(line.document.get());
  StartAndPick(r.picks(line));
  if (r.pressOk) KivInteraction::PressOK(kDialog);
  ASSERT_EQ(KivMessageLog::Count(), 1);
  EXPECT_EQ(LastMessage(), r.message);
  EXPECT_EQ(KivMessageLog::Last().dialogName, KivString("Unexpected"));
  EXPECT_EQ(KivMessageLog::Last().title, KivUnicodeString("Error"));
  KivInteraction::CancelCommands();
  EXPECT_EQ(line.Bytes(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Picks, MoxPexPertGrpActRefusals,
    ::testing::Values(
        Refusal{"OtherLevel", nullptr, [](GroupingLine& l) { return std::vector{l.a, l.c}; },
                false, "Activities selected are not at same level."},
        Refusal{"ResourcesUnderOtherFathers",
                [](GroupingLine& l) { l.document->AssignResource(l.y.get(), l.r3.get()); },
                [](GroupingLine& l) { return std::vector{l.a, l.y}; }, false,
                "Resources Assigned to the Activities selected are not at same level."},
        Refusal{"PathLeavesAndComesBack", nullptr,
                [](GroupingLine& l) { return std::vector{l.x, l.b}; }, true,
                "Improper selection of activities for grouping"},
        Refusal{"EntryWithoutPredecessor",
                [](GroupingLine& l) {
                  auto k = l.document->CreateActivity(l.root.get(), "BIWActivityStation", "K", "k");
                  l.document->AddPrecedence(k.get(), l.a.get());
                },
                [](GroupingLine& l) {
                  return std::vector{l.document->FindById("k"), l.a};
                },
                true, "Selected Activities not linked properly."},
        Refusal{"PlanningRuleForResources",
                [](GroupingLine& l) { l.document->SetRuleEnvironment(true); },
                [](GroupingLine& l) { return std::vector{l.a, l.b}; }, true,
                "new E5 resource type is not possible for this selection (Violation of PTS "
                "Rules)"}),
    [](const auto& param) { return std::string(param.param.name); });

// Every change of the build refused in turn: each time the document is as it
// was before OK, until the build needs no more changes than are allowed.
TEST_F(MoxPexPertGrpActCmdTest, FailureHalfWayLeavesTheDocumentAsItWas) {
  int failures = 0;
  for (int allowed = 0; allowed < 500; ++allowed) {
    GroupingLine line;
    const std::string before = line.Bytes();
    KivInteraction::OpenDocument(line.document.get());
    StartAndPick({line.a, line.b});
    line.document->FailChangeAfter(allowed);
    KivInteraction::PressOK(kDialog);
    line.document->FailChangeAfter(-1);
    const bool failed = KivMessageLog::Count() > 0;
    if (failed) {
      ++failures;
      EXPECT_EQ(LastMessage(), "The group could not be built; the document is as it was.");
      EXPECT_EQ(line.Bytes(), before) << "after " << allowed << " changes";
      EXPECT_TRUE(KivISPPActivity_var(line.a.get())->IsAttached());
      EXPECT_EQ(NextNames(line.x, line.document.get()), std::vector<std::string>{"A"});
    }
    KivApplicationFrame::Shutdown();
    KivDelayedDestruction::Flush();
    KivMessageLog::Clear();
    if (!failed) break;
  }
  EXPECT_GT(failures, 8);
}

TEST_F(MoxPexPertGrpActCmdTest, PickingAgainTakesOutOtherTypesAreRefusedAndOneIsNoGroup) {
  GroupingLine line;
  auto loading = line.document->CreateActivity(line.root.get(), "BIWActivityLoading", "L", "l");
  const std::string before = line.Bytes();
  KivInteraction::OpenDocument(line.document.get());
  StartAndPick({line.a, line.b});
  EXPECT_FALSE(KivInteraction::Pick(loading.get()));
  EXPECT_TRUE(Dialog()->GetOKSensitivity());
  KivInteraction::Pick(line.b.get());
  EXPECT_FALSE(Dialog()->GetOKSensitivity());
  EXPECT_FALSE(KivInteraction::PressOK(kDialog));
  KivInteraction::Pick(line.b.get());
  EXPECT_TRUE(Dialog()->GetOKSensitivity());
  // An empty name cannot be OK'd; one character can.
  KivInteraction::TypeText(kDialog, "EditorActivityName", "");
  EXPECT_FALSE(Dialog()->GetOKSensitivity());
  KivInteraction::TypeText(kDialog, "EditorActivityName", "G");
  EXPECT_TRUE(Dialog()->GetOKSensitivity());
  // One picked activity, OK forced all the same: the command ends without change.
  KivInteraction::Pick(line.b.get());
  Dialog()->SetOKSensitivity(true);
  KivInteraction::PressOK(kDialog);
  EXPECT_EQ(KivMessageLog::Count(), 0);
  EXPECT_EQ(line.Bytes(), before);
}

TEST_F(MoxPexPertGrpActCmdTest, CreateAfterOperationTakesOverOnlyTheListedLinks) {
  GroupingLine line;
  line.document->AddPrecedence(line.x.get(), line.y.get());  // X -> A and X -> Y
  KivProcessDocument* doc = line.document.get();
  const auto made = MoxProcessGroupUtils::CreateAfterOperation(
      KivISPPFlowMgt_var(line.x.get()), "BIWActivityGrouping", {line.a});
  ASSERT_TRUE(made);
  EXPECT_EQ(NextNames(line.x, doc), (std::vector<std::string>{"Y", "BIWActivityGrouping"}));
  EXPECT_EQ(NextNames(made, doc), std::vector<std::string>{"A"});

  const std::string before = line.Bytes();
  EXPECT_FALSE(MoxProcessGroupUtils::CreateAfterOperation(KivISPPFlowMgt_var(line.y.get()),
                                                          "NoSuchType", {}));
  EXPECT_EQ(line.Bytes(), before);
}

}  // namespace
