// The group and ungroup commands as a user drives them through the host's
// interaction API: picks, the dialog, OK; what the document looks like
// afterwards, every refusal, and a failure half-way undone. The fixture
// closes the application after each test and proves that every component
// made in it is gone.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "KivFrameLeakCheck.h"
#include "KivIModelObject.h"
#include "KivIProduct.h"
#include "KivISPPActivity.h"
#include "KivISPPChildManagement.h"
#include "KivISPPFlowMgt.h"
#include "KivISPPResourceManagement.h"
#include "KivInteraction.h"
#include "KivLineBuilder.h"
#include "KivMessageLog.h"
#include "KivProcessDocument.h"
#include "KivProcessDocumentWriter.h"
#include "MoxIBIWActivityGrouping.h"
#include "MoxIPertNode.h"
#include "MoxIPertPosition.h"
#include "MoxPexActivityGroupDlg.h"
#include "MoxProcessGroupUtils.h"

namespace {

const char* const kDialog = "MoxPexActivityGroupDlg";

std::string Bytes(KivProcessDocument& document) {
  std::string text, error;
  EXPECT_EQ(KivProcessDocumentWriter::WriteText(document, text, error), S_OK) << error;
  return text;
}

std::vector<std::string> Names(const KivListValKivBaseUnknown_var& list,
                               KivProcessDocument* document) {
  std::vector<std::string> names;
  for (const auto& o : list) {
    KivIModelObject_var model(o.get());
    names.push_back(model ? model->ObjectName().ConvertToUTF8() : document->IdOf(o.get()));
  }
  return names;
}

std::vector<std::string> NextNames(const KivBaseUnknown_var& node, KivProcessDocument* document) {
  auto next = KivISPPFlowMgt_var(node.get())->NextActivities("");
  return Names(next ? *next : KivListValKivBaseUnknown_var(), document);
}

std::pair<double, double> Position(const KivBaseUnknown_var& node) {
  double x = 0, y = 0;
  MoxIPertPosition_var(node.get())->GetPertPosition(x, y);
  return {x, y};
}

bool Attached(const KivBaseUnknown_var& node) {
  return KivISPPActivity_var(node.get())->IsAttached();
}

bool SameObject(const KivBaseUnknown_var& a, const KivBaseUnknown_var& b) {
  return KivIdentity(a.get()) == KivIdentity(b.get());
}

// Root "Line": Start -> X -> A -> B -> Y -> Stop; the grouping H holds the
// station C. A has the robot R1 and B the robot R2, both under "Robots"; the
// robot R3 hangs under "Others". A and B take 30 and 45.5 seconds.
struct GroupingLine {
  KivVar<KivProcessDocument> document = KivProcessDocument::Create();
  KivBaseUnknown_var root, x, a, b, y, h, c, robots, others, r1, r2, r3;
  GroupingLine() {
    KivLineBuilder line(document.get(), {"Line > X A B Y H:Grouping", "H > C",
                                         "Start -> X -> A -> B -> Y -> Stop"});
    root = line["Line"], x = line["X"], a = line["A"], b = line["B"], y = line["Y"];
    h = line["H"], c = line["C"];
    robots = document->CreateResource(nullptr, "Robots", "Robot", "robots").get();
    others = document->CreateResource(nullptr, "Others", "Robot", "others").get();
    r1 = document->CreateResource(robots.get(), "R1", "Robot", "r1").get();
    r2 = document->CreateResource(robots.get(), "R2", "Robot", "r2").get();
    r3 = document->CreateResource(others.get(), "R3", "Robot", "r3").get();
    document->AssignResource(a.get(), r1.get());
    document->AssignResource(b.get(), r2.get());
    document->SetCycleTime(a.get(), 30.0);
    document->SetCycleTime(b.get(), 45.5);
    MoxIPertNode_var(a.get())->SetPosition(100, 40, 1);
    MoxIPertNode_var(b.get())->SetPosition(150, 60, 1);
  }
  std::string Bytes() const { return ::Bytes(*document); }
};

// Root: X1 -> G -> Y (and X2 -> G when asked); G holds the
// entries E1..En (each -> T) and T, and the group resource GR (R1, R2 under
// it, GR under "Robots") is G's.
struct GroupedLine {
  KivVar<KivProcessDocument> document = KivProcessDocument::Create();
  KivBaseUnknown_var root, x1, x2, g, y, robots, r1;
  GroupedLine(int predecessors, int entries) {
    KivLineBuilder line(document.get(),
                        {"Line > X1 G:Grouping Y", "X1 -> G -> Y", "G > T", "T -> G.Stop"});
    if (predecessors > 1) line.Add("Line > X2"), line.Add("X2 -> G");
    for (int i = 1; i <= entries; ++i) {
      const std::string e = "E" + std::to_string(i);
      line.Add("G > " + e), line.Add("G.Start -> " + e + " -> T");
    }
    root = line["Line"], x1 = line["X1"], g = line["G"], y = line["Y"];
    if (predecessors > 1) x2 = line["X2"];
    robots = document->CreateResource(nullptr, "Robots", "Robot", "robots").get();
    auto gr = document->CreateResource(robots.get(), "GR", "Robot", "gr");
    r1 = document->CreateResource(gr.get(), "R1", "Robot", "r1").get();
    document->CreateResource(gr.get(), "R2", "Robot", "r2");
    document->AssignResource(g.get(), gr.get());
  }
  KivBaseUnknown_var Child(const std::string& name) const {
    const auto children = KivISPPChildManagement_var(root.get())->ChildActivities("Activity");
    for (const auto& c : *children)
      if (KivIModelObject_var(c.get())->ObjectName() == KivUnicodeString(name)) return c;
    return NULL_var;
  }
};

class GroupingFixture : public FrameLeakCheckedTest {
 protected:
  static std::string LastMessage() { return KivMessageLog::Last().text.ConvertToUTF8(); }

  // Starts the group command and picks the objects one after the other.
  static void StartAndPick(const std::vector<KivBaseUnknown_var>& picks) {
    ASSERT_TRUE(KivInteraction::StartCommand("MoxPexPertGrpActCmd"));
    for (const auto& pick : picks) KivInteraction::Pick(pick.get());
  }
  static MoxPexActivityGroupDlg* Dialog() {
    return dynamic_cast<MoxPexActivityGroupDlg*>(KivInteraction::FindDialog(kDialog));
  }
  static KivStepResult Ungroup(const KivBaseUnknown_var& group) {
    if (KivStepResult started = KivInteraction::StartCommand("MoxPexPertUngroupActCmd"); !started)
      return started;
    return KivInteraction::Pick(group.get());
  }

  // Every change of a command refused in turn: on a fresh line each time,
  // `start` opens the command, the document refuses the change after the
  // allowed ones while `finish` completes it, and a refused try must leave
  // the document as it was and pass `check`; until the command needs no more
  // changes than are allowed. Returns the number of refused tries.
  template <class Line>
  static int FailEachChangeInTurn(const std::function<Line()>& make,
                                  const std::function<void(Line&)>& start,
                                  const std::function<void(Line&)>& finish,
                                  const std::function<void(Line&)>& check) {
    int failures = 0;
    for (int allowed = 0; allowed < 500; ++allowed) {
      Line line = make();
      const std::string before = Bytes(*line.document);
      KivInteraction::OpenDocument(line.document.get());
      start(line);
      line.document->FailChangeAfter(allowed);
      finish(line);
      line.document->FailChangeAfter(-1);
      const bool failed = KivMessageLog::Count() > 0;
      if (failed) {
        ++failures;
        EXPECT_EQ(Bytes(*line.document), before) << "after " << allowed << " changes";
        check(line);
      }
      CloseApplication();
      if (!failed) break;
    }
    return failures;
  }
};

using MoxPexPertGrpActCmdTest = GroupingFixture;

// The grouping made by the command: the root's grouping other than H.
KivBaseUnknown_var NewGroup(GroupingLine& line) {
  auto children = KivISPPChildManagement_var(line.root.get())->ChildActivities("Activity");
  for (const auto& child : *children)
    if (KivISPPActivity_var(child.get())->TypeName() == KivUnicodeString("BIWActivityGrouping") &&
        !SameObject(child, line.h))
      return child;
  return NULL_var;
}

TEST_F(MoxPexPertGrpActCmdTest, GroupsPickedStationsIntoOneGroupingInTheirPlace) {
  GroupingLine line;
  KivInteraction::OpenDocument(line.document.get());
  StartAndPick({line.a, line.b});
  MoxPexActivityGroupDlg* dialog = Dialog();
  ASSERT_TRUE(dialog && dialog->IsVisible());
  EXPECT_EQ(dialog->GetActivityName().ConvertToUTF8() + "/" +
                dialog->GetResourceName().ConvertToUTF8() + "/" +
                dialog->GetResourceType().ConvertToUTF8(),
            "GroupActivity/GroupResource/DefaultResource");
  ASSERT_TRUE(KivInteraction::TypeText(kDialog, "EditorActivityName", "Underbody group"));
  ASSERT_TRUE(KivInteraction::PressOK(kDialog));
  EXPECT_EQ(KivMessageLog::Count(), 0) << LastMessage();

  const KivBaseUnknown_var group = NewGroup(line);
  ASSERT_TRUE(group);
  KivProcessDocument* doc = line.document.get();
  // (The flow through the group, under its name, and the grouped document saved
  // and loaded again unchanged are checked by the example session; the group's
  // place by the next test.)
  EXPECT_FALSE(Attached(line.a) || Attached(line.b));
  EXPECT_EQ(MoxIBIWActivityGrouping_var(group.get())->GroupCycleTime(), 45.5);

  // Inside: Start -> A -> B -> Stop, Start and Stop framing the copies.
  auto children = *KivISPPChildManagement_var(group.get())->ChildActivities("");
  ASSERT_EQ(children.Size(), 4);
  EXPECT_EQ(Names(children, doc)[1], "A");
  const auto next = [&](int i) { return NextNames(children[i], doc); };
  EXPECT_EQ(next(1).at(0) + next(2).at(0) + next(3).at(0), "ABStop");
  EXPECT_EQ(Position(children[1]), std::pair(75.0, 62.5));
  EXPECT_EQ(Position(children[4]), std::pair(175.0, 62.5));

  // One group resource gathers both robots and is the group's.
  auto assigned = KivISPPResourceManagement_var(group.get())->AssignedResources("Resource", 0);
  ASSERT_TRUE(assigned);
  ASSERT_EQ(Names(*assigned, doc), std::vector<std::string>{"GroupResource"});
  for (const auto* robot : {&line.r1, &line.r2})
    EXPECT_TRUE(SameObject(KivIProduct_var(robot->get())->FatherProduct(), (*assigned)[1]));
}

// A group never lands on a node outside it: when another node holds the
// cell at the members' mean place, the group takes the nearest member's cell.
TEST_F(MoxPexPertGrpActCmdTest, TheGroupTakesAMembersCellWhenItsMeanCellIsHeld) {
  GroupingLine line;
  MoxIPertNode_var(line.y.get())->SetPosition(137.5, 62.5, 1);
  KivInteraction::OpenDocument(line.document.get());
  StartAndPick({line.a, line.b});
  ASSERT_TRUE(KivInteraction::PressOK(kDialog));
  ASSERT_EQ(KivMessageLog::Count(), 0) << LastMessage();
  EXPECT_EQ(Position(NewGroup(line)), std::pair(112.5, 37.5));
}

TEST_F(MoxPexPertGrpActCmdTest, RefusalsSayWhyAndChangeNothing) {
  const struct {
    const char* name;
    std::function<void(GroupingLine&)> prepare;
    std::function<std::vector<KivBaseUnknown_var>(GroupingLine&)> picks;
    bool pressOk;
    const char* message;
  } refusals[] = {
      {"other level", nullptr,
       [](GroupingLine& l) {
         return std::vector{l.a, l.c};
       },
       false, "Activities selected are not at same level."},
      {"resources under other fathers",
       [](GroupingLine& l) { l.document->AssignResource(l.y.get(), l.r3.get()); },
       [](GroupingLine& l) {
         return std::vector{l.a, l.y};
       },
       false, "Resources Assigned to the Activities selected are not at same level."},
      {"path leaves and comes back", nullptr,
       [](GroupingLine& l) {
         return std::vector{l.x, l.b};
       },
       true, "Improper selection of activities for grouping"},
      {"entry without predecessor",
       [](GroupingLine& l) {
         auto k = l.document->CreateActivity(l.root.get(), "BIWActivityStation", "K", "k");
         l.document->AddPrecedence(k.get(), l.a.get());
       },
       [](GroupingLine& l) {
         return std::vector{l.document->FindById("k"), l.a};
       },
       true, "Selected Activities not linked properly."},
      {"planning rule for resources", [](GroupingLine& l) { l.document->SetRuleEnvironment(true); },
       [](GroupingLine& l) {
         return std::vector{l.a, l.b};
       },
       true, "new E5 resource type is not possible for this selection (Violation of PTS Rules)"},
  };
  for (const auto& r : refusals) {
    SCOPED_TRACE(r.name);
    GroupingLine line;
    if (r.prepare) r.prepare(line);
    const std::string before = line.Bytes();
    KivInteraction::OpenDocument(line.document.get());
    StartAndPick(r.picks(line));
    if (r.pressOk) KivInteraction::PressOK(kDialog);
    ASSERT_EQ(KivMessageLog::Count(), 1);
    const auto& message = KivMessageLog::Last();
    EXPECT_EQ(LastMessage(), r.message);
    EXPECT_EQ(message.dialogName.str() + "/" + message.title.ConvertToUTF8(), "Unexpected/Error");
    KivInteraction::CancelCommands();
    EXPECT_EQ(line.Bytes(), before);
    CloseApplication();
  }
}

TEST_F(MoxPexPertGrpActCmdTest, FailureHalfWayLeavesTheDocumentAsItWas) {
  const int failures = FailEachChangeInTurn<GroupingLine>(
      [] { return GroupingLine(); },
      [](GroupingLine& l) {
        StartAndPick({l.a, l.b});
      },
      [](GroupingLine&) { KivInteraction::PressOK(kDialog); },
      [](GroupingLine& l) {
        EXPECT_EQ(LastMessage(), "The group could not be built; the document is as it was.");
        EXPECT_TRUE(Attached(l.a));
        EXPECT_EQ(NextNames(l.x, l.document.get()), std::vector<std::string>{"A"});
      });
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
  const auto made = MoxProcessGroupUtils::CreateAfterOperation(KivISPPFlowMgt_var(line.x.get()),
                                                               "BIWActivityGrouping", {line.a});
  ASSERT_TRUE(made);
  EXPECT_EQ(NextNames(line.x, doc), (std::vector<std::string>{"Y", "BIWActivityGrouping"}));
  EXPECT_EQ(NextNames(made, doc), std::vector<std::string>{"A"});

  const std::string before = line.Bytes();
  EXPECT_FALSE(MoxProcessGroupUtils::CreateAfterOperation(KivISPPFlowMgt_var(line.y.get()),
                                                          "NoSuchType", {}));
  EXPECT_EQ(line.Bytes(), before);
}

using MoxPexPertUngroupActCmdTest = GroupingFixture;

TEST_F(MoxPexPertUngroupActCmdTest, MovesChildrenUpAndLinksThemInTheGroupsPlace) {
  const struct {
    int predecessors, entries;
    std::vector<std::vector<std::string>> nextOfPredecessors;  // X1, then X2
  } cases[] = {{1, 1, {{"E1"}}}, {1, 3, {{"E1", "E2", "E3"}}}, {2, 1, {{"E1"}, {"E1"}}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.predecessors) + " to " + std::to_string(c.entries));
    GroupedLine line(c.predecessors, c.entries);
    KivInteraction::OpenDocument(line.document.get());
    ASSERT_TRUE(Ungroup(line.g));
    EXPECT_EQ(KivMessageLog::Count(), 0);
    EXPECT_FALSE(Attached(line.g));
    KivProcessDocument* doc = line.document.get();
    EXPECT_EQ(NextNames(line.x1, doc), c.nextOfPredecessors[0]);
    if (line.x2) {
      EXPECT_EQ(NextNames(line.x2, doc), c.nextOfPredecessors[1]);
    }
    EXPECT_EQ(NextNames(line.Child("T"), doc), std::vector<std::string>{"Y"});
    // The robots are back under "Robots"; the group resource is gone.
    EXPECT_TRUE(SameObject(KivIProduct_var(line.r1.get())->FatherProduct(), line.robots));
    auto robots = KivIProduct_var(line.robots.get())->ChildProducts("KivIProduct");
    EXPECT_EQ(Names(*robots, doc), (std::vector<std::string>{"R1", "R2"}));
    CloseApplication();
  }
}

TEST_F(MoxPexPertUngroupActCmdTest, RefusesWhatIsNoGroupingAndUndoesAFailureHalfWay) {
  {
    GroupedLine line(1, 1);
    KivInteraction::OpenDocument(line.document.get());
    EXPECT_FALSE(Ungroup(line.y));
    EXPECT_EQ(KivMessageLog::Count(), 0);
    CloseApplication();
  }
  const int failures = FailEachChangeInTurn<GroupedLine>(
      [] { return GroupedLine(2, 2); },
      [](GroupedLine&) { ASSERT_TRUE(KivInteraction::StartCommand("MoxPexPertUngroupActCmd")); },
      [](GroupedLine& l) { KivInteraction::Pick(l.g.get()); },
      [](GroupedLine& l) { EXPECT_TRUE(Attached(l.g)); });
  EXPECT_GT(failures, 5);
}

}  // namespace
