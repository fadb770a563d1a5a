// The node organiser on a real process document and PERT chart: what it
// places, what it announces, what it leaves alone, what it refuses, and that
// a layout draws each node and each link once.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "KivCallback.h"
#include "KivIGENode.h"
#include "KivLineBuilder.h"
#include "KivNodePlace.h"
#include "KivProcessDocument.h"
#include "KivTestSupport.h"
#include "KivViewer.h"
#include "KivVisTestSupport.h"
#include "MoxIPertNode.h"
#include "MoxPFVNodeOrganiser.h"
#include "MoxPertController.h"
#include "MoxPertPositionNotify.h"

namespace {

// Root "Line": Start -> S1 -> S2 -> S3 -> Stop and a lone S4; S2 holds
// Load -> Weld. Every node starts far away at (1000, 1000).
class MoxPFVNodeOrganiserTest : public KivVisTest {
 protected:
  void SetUp() override {
    LeakCheckedTest::SetUp();
    doc_ = KivProcessDocument::Create();
    KivLineBuilder line(doc_.get(), {"Line > S1 S2 S3 S4", "S2 > Load:Loading Weld:SpotWelding",
                                     "Start -> S1 -> S2 -> S3 -> Stop", "Load -> Weld"});
    root_ = line["Line"], s1_ = line["S1"], s2_ = line["S2"], s3_ = line["S3"], s4_ = line["S4"];
    load_ = line["Load"], weld_ = line["Weld"], start_ = line["Start"], stop_ = line["Stop"];
    for (const auto& node : {start_, s1_, s2_, s3_, s4_, stop_, load_, weld_})
      PlaceAt(node, 1000, 1000);
    viewer_ = KivMake<KivViewer>("chart");
    controller_ = KivVar<MoxPertController>::Adopt(
        new MoxPertController(nullptr, root_, viewer_.get(), 1, 1, 1, NULL_var));
    organiser_ = KivMake<MoxPFVNodeOrganiser>();
    KivIModelEvents_var events(root_.get());
    ASSERT_TRUE(events);
    publisher_ = events->GetNotificationDispatcher();
    callback_ = AddCallback(publisher_.get(), "MoxPertPositionNotify",
                            [this](KivBaseUnknown*, KivNotification* n, void*) {
                              auto* moved = dynamic_cast<MoxPertPositionNotify*>(n);
                              heard_.push_back(KivIdentity(moved->GetNode().get()));
                              heardAt_.push_back({moved->GetX(), moved->GetY()});
                            });
  }

  void TearDown() override { RemoveCallback(callback_); }

  int TimesHeard(const KivBaseUnknown_var& node) const {
    return static_cast<int>(std::count(heard_.begin(), heard_.end(), KivIdentity(node.get())));
  }
  // The names in one level list, " | " after all but the last list asked for.
  std::string LevelListNames(int index) const {
    std::string names;
    for (const auto& node : *organiser_->GetLevelListAt(index))
      names +=
          (names.empty() ? "" : " ") + KivIGENode_var(node.get())->GetNodeName().ConvertToUTF8();
    return index < organiser_->GetLevelListCount() ? names + " | " : names;
  }

  KivVar<KivProcessDocument> doc_;
  KivBaseUnknown_var root_, s1_, s2_, s3_, s4_, load_, weld_, start_, stop_;
  KivViewer_var viewer_;
  KivVar<MoxPertController> controller_;
  KivVar<MoxPFVNodeOrganiser> organiser_;
  KivVar<KivEventPublisher> publisher_;
  KivCallbackId callback_ = kKivNoCallback;
  std::vector<KivBaseUnknown*> heard_;
  std::vector<Place> heardAt_;
};

TEST_F(MoxPFVNodeOrganiserTest, FullLayoutPutsEachLevelInASnappedColumnAndAnnouncesIt) {
  for (int call = 1; call <= 2; ++call) {
    SCOPED_TRACE(call);  // a second call starts afresh
    heard_.clear();
    heardAt_.clear();
    PlaceAt(s3_, 1000, 1000);
    ASSERT_TRUE(organiser_->ArrangeNodes(root_, controller_.get()));
    // Levels: Start and S4 on 0, S1 on 1, S2 on 2, S3 on 3 and Stop one
    // column right of its last predecessor, on 4. Canvas 200 x 200, dx = 50;
    // the first node of a column is the top one (y = 150, then 50, snapped).
    EXPECT_EQ(std::vector({PlaceOf(start_), PlaceOf(s4_), PlaceOf(s1_), PlaceOf(s2_), PlaceOf(s3_),
                           PlaceOf(stop_)}),
              std::vector<Place>({{12.5, 162.5},
                                  {12.5, 62.5},
                                  {62.5, 112.5},
                                  {112.5, 112.5},
                                  {162.5, 112.5},
                                  {212.5, 112.5}}));
    // The children of S2 are not laid out; they keep their place relative to
    // S2 (both started at the same point).
    EXPECT_EQ(PlaceOf(load_), PlaceOf(s2_));
    // Every placement is announced once, with the position read back.
    ASSERT_EQ(heard_.size(), 6u);
    for (size_t i = 0; i < heard_.size(); ++i)
      EXPECT_EQ(heardAt_[i], PlaceOf(KivBaseUnknown_var(heard_[i])));
    // The lists describe the layout: levels ascending, one list per level.
    EXPECT_EQ(organiser_->GetNodeList()->Size(), 6);
    ASSERT_EQ(organiser_->GetLevelListCount(), 5);
    EXPECT_EQ(LevelListNames(1) + LevelListNames(4) + LevelListNames(5), "Start S4 | S3 | Stop");
    const KivListOfInt& levels = *organiser_->GetLevelList();
    EXPECT_EQ(levels.Size(), 6);
    EXPECT_TRUE(std::is_sorted(levels.begin(), levels.end()));
  }
  float width = 300.0f, height = 200.0f;
  organiser_->GetViewerOrSuperNodeSize(&width, &height);
  EXPECT_EQ(std::pair(width, height), std::pair(200.0f, 200.0f));
}

TEST_F(MoxPFVNodeOrganiserTest, LevelInsideAnotherChartStartsAtItsRootsPlace) {
  PlaceAt(s2_, 200, 300);
  ASSERT_TRUE(organiser_->ArrangeNodes(s2_, controller_.get()));
  // S2's level: Start, Load, Weld, Stop. Load -> Weld only: levels 0 and 1.
  EXPECT_EQ(PlaceOf(load_).x, 212.5);
  EXPECT_GT(PlaceOf(weld_).x, PlaceOf(load_).x);
}

// An expanded node is placed by the box around it and its children, not by
// its own anchor, so the group as drawn stands in its column.
TEST_F(MoxPFVNodeOrganiserTest, AnExpandedNodeIsPlacedByTheBoxAroundItsChildren) {
  PlaceAt(load_, 1040, 1000);
  PlaceAt(weld_, 1040, 970);
  KivPertNodeData data = doc_->GetPertNodeData(s2_.get());
  data.superNodeState = 1;
  doc_->SetPertNodeData(s2_.get(), data);
  ASSERT_TRUE(organiser_->ArrangeNodes(root_, controller_.get()));
  EXPECT_EQ(PlaceOf(s2_), (Place{112.5, 112.5}));
  EXPECT_NE(PlaceOf(s2_, 0), PlaceOf(s2_));
}

TEST_F(MoxPFVNodeOrganiserTest, PartialLayoutMovesTheNodeAndWhatFollowsIt) {
  PlaceAt(s1_, 62.5, 12.5);
  KivListValKivBaseUnknown_var nodes{s2_};
  KivListValKivBaseUnknown_var* list = &nodes;
  ASSERT_TRUE(organiser_->PositionNewNode(root_, list, controller_.get()));
  // S2 lands one step right of the first node of level 1 (S1), S3 and Stop
  // after it.
  EXPECT_EQ(
      std::vector({PlaceOf(s2_), PlaceOf(s3_), PlaceOf(stop_), PlaceOf(s1_), PlaceOf(start_)}),
      std::vector<Place>(
          {{112.5, 112.5}, {162.5, 112.5}, {212.5, 112.5}, {62.5, 12.5}, {1000, 1000}}));
  EXPECT_EQ(TimesHeard(s2_) + TimesHeard(s3_) + TimesHeard(stop_), 3);
  EXPECT_EQ(heard_.size(), 3u);
}

TEST_F(MoxPFVNodeOrganiserTest, RefusesWhatItCannotLayOut) {
  KivListValKivBaseUnknown_var none;
  KivListValKivBaseUnknown_var *noList = nullptr, *empty = &none;
  auto blind = KivVar<MoxPertController>::Adopt(
      new MoxPertController(nullptr, root_, nullptr, 1, 1, 1, NULL_var));
  // No level, no controller, no list or a controller without a viewer fail;
  // nothing to lay out is not a failure, and nothing moves.
  EXPECT_EQ(std::vector({organiser_->ArrangeNodes(NULL_var, controller_.get()),
                         organiser_->ArrangeNodes(root_, nullptr),
                         organiser_->PositionNewNode(root_, noList, controller_.get()),
                         organiser_->ArrangeNodes(root_, blind.get()),
                         organiser_->ArrangeNodes(weld_, controller_.get()),
                         organiser_->PositionNewNode(root_, empty, controller_.get())}),
            std::vector({false, false, false, false, true, true}));
  EXPECT_TRUE(heard_.empty());
  EXPECT_EQ(PlaceOf(s1_), (Place{1000, 1000}));
}

TEST_F(MoxPFVNodeOrganiserTest, ACycleIsLaidOutTracedAndWalkedOnce) {
  ScopedEnv traces("KivTraces", "MoxProductFlowViewerTrace");
  ASSERT_EQ(doc_->AddPrecedence(s3_.get(), s1_.get()), S_OK);
  testing::internal::CaptureStderr();
  const bool arranged = organiser_->ArrangeNodes(root_, controller_.get());
  const std::string trace = testing::internal::GetCapturedStderr();
  ASSERT_TRUE(arranged);
  EXPECT_NE(trace.find("link S3 -> S1 ignored"), std::string::npos) << trace;
  EXPECT_NE(trace.find("ArrangeNodes -->"), std::string::npos);
  EXPECT_NE(trace.find("ArrangeNodes <--"), std::string::npos);
  EXPECT_EQ(std::vector({PlaceOf(s1_), PlaceOf(s3_)}),
            std::vector<Place>({{62.5, 112.5}, {162.5, 112.5}}));

  // What follows S2 is collected once around the cycle.
  KivListValKivBaseUnknown_var* list = nullptr;
  organiser_->GetActListForPosChange(s2_, list);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Size(), 4);  // S2, S3, Stop, S1
  EXPECT_EQ((*list)[1], s2_);
  EXPECT_GT(list->Locate(s1_), 0);
  delete list;
  // And the partial layout of S2 terminates, moving S2, S3 and S1's column
  // entries downstream of it.
  KivListValKivBaseUnknown_var nodes{s2_};
  KivListValKivBaseUnknown_var* given = &nodes;
  heard_.clear();
  testing::internal::CaptureStderr();
  EXPECT_TRUE(organiser_->PositionNewNode(root_, given, controller_.get()));
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::pair(TimesHeard(s2_), TimesHeard(s3_)), std::pair(1, 1));
}

TEST_F(MoxPFVNodeOrganiserTest, ALayoutDrawsEveryNodeAndEveryLinkOnce) {
  auto doc = KivProcessDocument::Create();
  KivBaseUnknown_var root = doc->CreateRootActivity("Line");
  std::vector<KivBaseUnknown_var> nodes;
  for (int i = 0; i < 40; ++i) {
    nodes.emplace_back(doc->CreateActivity(root.get(), "BIWActivityStation",
                                           KivUnicodeString("S" + std::to_string(i))));
    if (i >= 1) doc->AddPrecedence(nodes[i - 1].get(), nodes[i].get());
    if (i >= 3) doc->AddPrecedence(nodes[i - 3].get(), nodes[i].get());
  }
  auto controller = KivVar<MoxPertController>::Adopt(
      new MoxPertController(nullptr, root, viewer_.get(), 1, 1, 1, NULL_var));
  for (const auto& n : nodes) controller->AddPertNode(n);
  for (const auto& n : nodes) controller->BuildLinks(n, 0);
  ASSERT_EQ(controller->LinkCount(), 39 + 37);
  const long linksBefore = controller->GetLinkDrawCount();
  ASSERT_TRUE(organiser_->ArrangeNodes(root, controller.get()));
  for (const auto& n : nodes) {
    EXPECT_EQ(controller->GetNodeDrawCount(n), 2) << "drawn when added, then once by the layout";
    const Kiv2DBoundingBox box = controller->GetNodeRep(n)->GetBoundingElement();
    EXPECT_FLOAT_EQ((box.xmin + box.xmax) / 2.0f, static_cast<float>(PlaceOf(n).x))
        << "at its place";
  }
  EXPECT_EQ(controller->GetLinkDrawCount() - linksBefore, controller->LinkCount());
}

}  // namespace
