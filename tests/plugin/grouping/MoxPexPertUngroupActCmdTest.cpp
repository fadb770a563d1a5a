// The ungroup command: a grouping dissolved into its level, its resources
// given back, the flow re-linked; and a failure half-way undone.
#include "KivIProduct.h"
#include "KivISPPActivity.h"
#include "KivISPPChildManagement.h"
#include "KivIModelObject.h"
#include "KivLineBuilder.h"
#include "MoxPexGroupingTestSupport.h"

namespace {

// Root: X1 -> G -> Y (and X2 -> G when asked); G holds the
// entries E1..En (each -> T) and T, and the group resource GR (R1, R2 under
// it, GR under "Robots") is G's.
struct GroupedLine {
  KivVar<KivProcessDocument> document = KivProcessDocument::Create();
  KivBaseUnknown_var root, x1, x2, g, y, t, robots, gr, r1, r2;
  GroupedLine(int predecessors, int entries) {
    KivLineBuilder line(document.get(), {"Line > X1 G:Grouping Y", "X1 -> G -> Y",
                                         "G > T", "T -> G.Stop"});
    if (predecessors > 1) line.Add("Line > X2"), line.Add("X2 -> G");
    for (int i = 1; i <= entries; ++i) {
      const std::string e = "E" + std::to_string(i);
      line.Add("G > " + e), line.Add("G.Start -> " + e + " -> T");
    }
    root = line["Line"], x1 = line["X1"], g = line["G"], y = line["Y"], t = line["T"];
    if (predecessors > 1) x2 = line["X2"];
    robots = document->CreateResource(nullptr, "Robots", "Robot", "robots").get();
    gr = document->CreateResource(robots.get(), "GR", "Robot", "gr").get();
    r1 = document->CreateResource(gr.get(), "R1", "Robot", "r1").get();
    r2 = document->CreateResource(gr.get(), "R2", "Robot", "r2").get();
    document->AssignResource(g.get(), gr.get());
  }
  std::string Bytes() const {
    std::string text, error;
    KivProcessDocumentWriter::WriteText(*document, text, error);
    return text;
  }
  KivBaseUnknown_var Child(const std::string& name) const {
    const auto children = KivISPPChildManagement_var(root.get())->ChildActivities("Activity");
    for (const auto& c : *children)
      if (KivIModelObject_var(c.get())->ObjectName() == KivUnicodeString(name)) return c;
    return NULL_var;
  }
};

class MoxPexPertUngroupActCmdTest : public GroupingFixture {
 protected:
  static KivStepResult Ungroup(const KivBaseUnknown_var& group) {
    if (KivStepResult started = KivInteraction::StartCommand("MoxPexPertUngroupActCmd"); !started)
      return started;
    return KivInteraction::Pick(group.get());
  }
};

struct UngroupCase {
  const char* name;
  int predecessors, entries;
  std::vector<std::vector<std::string>> nextOfPredecessors;  // X1, then X2
};

class MoxPexUngroupLinks : public MoxPexPertUngroupActCmdTest,
                           public ::testing::WithParamInterface<UngroupCase> {};

TEST_P(MoxPexUngroupLinks, MovesChildrenUpAndLinksThemInTheGroupsPlace) {
  const UngroupCase& c = GetParam();
  GroupedLine line(c.predecessors, c.entries);
  KivInteraction::OpenDocument(line.document.get());
  ASSERT_TRUE(Ungroup(line.g));
  EXPECT_EQ(KivMessageLog::Count(), 0);
  EXPECT_FALSE(KivISPPActivity_var(line.g.get())->IsAttached());
  KivProcessDocument* doc = line.document.get();
  EXPECT_EQ(NextNames(line.x1, doc), c.nextOfPredecessors[0]);
  if (line.x2) {
    EXPECT_EQ(NextNames(line.x2, doc), c.nextOfPredecessors[1]);
  }
  EXPECT_EQ(NextNames(line.Child("T"), doc), std::vector<std::string>{"Y"});
  // The robots are back under "Robots"; the group resource is gone.
  EXPECT_EQ(KivIdentity(KivIProduct_var(line.r1.get())->FatherProduct().get()),
            KivIdentity(line.robots.get()));
  auto robots = KivIProduct_var(line.robots.get())->ChildProducts("KivIProduct");
  EXPECT_EQ(Names(*robots, doc), (std::vector<std::string>{"R1", "R2"}));
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, MoxPexUngroupLinks,
    ::testing::Values(UngroupCase{"OneToOne", 1, 1, {{"E1"}}},
                      UngroupCase{"OneToThree", 1, 3, {{"E1", "E2", "E3"}}},
                      UngroupCase{"TwoToOne", 2, 1, {{"E1"}, {"E1"}}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(MoxPexPertUngroupActCmdTest, RefusesWhatIsNoGrouping) {
  GroupedLine line(1, 1);
  KivInteraction::OpenDocument(line.document.get());
  EXPECT_FALSE(Ungroup(line.y));
  EXPECT_EQ(KivMessageLog::Count(), 0);
}

TEST_F(MoxPexPertUngroupActCmdTest, FailureHalfWayLeavesTheDocumentAsItWas) {
  int failures = 0;
  for (int allowed = 0; allowed < 300; ++allowed) {
    GroupedLine line(2, 2);
    const std::string before = line.Bytes();
    KivInteraction::OpenDocument(line.document.get());
    ASSERT_TRUE(KivInteraction::StartCommand("MoxPexPertUngroupActCmd"));
    line.document->FailChangeAfter(allowed);
    KivInteraction::Pick(line.g.get());
    line.document->FailChangeAfter(-1);
    const bool failed = KivMessageLog::Count() > 0;
    if (failed) {
      ++failures;
      EXPECT_EQ(line.Bytes(), before) << "after " << allowed << " changes";
      EXPECT_TRUE(KivISPPActivity_var(line.g.get())->IsAttached());
    }
    KivApplicationFrame::Shutdown();
    KivDelayedDestruction::Flush();
    KivMessageLog::Clear();
    if (!failed) break;
  }
  EXPECT_GT(failures, 5);
}

}  // namespace
