// The status buttons of an activity: building them from the configuration,
// placing them around the node, following the node, showing and hiding them,
// and refreshing their lists up the activity tree.
#include <array>
#include <memory>

#include "KivCallback.h"
#include "KivISPPNodeData.h"
#include "KivViewer.h"
#include "MoxEZitBltMgr.h"
#include "MoxIPertNode.h"
#include "MoxIZitBltMgr.h"
#include "MoxPertAppInfoNotify.h"
#include "MoxZitBltConfiguration.h"
#include "MoxZitBltRep.h"
#include "MoxZitBltTestSupport.h"

namespace {
const char* kLocations[] = {"lefttop",     "leftmiddle",  "leftbottom",   "righttop",
                            "rightmiddle", "rightbottom", "topleft",      "topmiddle",
                            "topright",    "bottomleft",  "bottommiddle", "bottomright"};

class MoxEZitBltMgrTest : public ZitBltFixture {
 protected:
  void SetUp() override {
    ZitBltFixture::SetUp();
    UseRecordingSubscriber();
    std::string loading;
    for (const char* location : kLocations) loading += ZitBltXml(location, location);
    loading +=
        ZitBltXml("Centre", "somewhere") + ZitBltXml("Broken", "lefttop", nullptr, "NoSuchRep");
    WriteConfiguration(
        "<ZitBltConfiguration>" +
        ActivityXml("BIWActivityStation",
                    ZitBltXml("BIWStationStatusBars", "lefttop", "StationCmd") +
                        ZitBltXml("BIWGroupingStatusBars", "righttop", "GroupingCmd") +
                        ZitBltXml("ProductOutput", "rightmiddle", "OutputCmd") +
                        ZitBltXml("Unbuilt", "leftmiddle", "UnbuiltCmd", "NoSuchRep")) +
        ActivityXml("BIWActivityGrouping",
                    ZitBltXml("BIWGroupingStatusBars", "topleft", "GroupingCmd")) +
        ActivityXml("BIWActivitySpotWelding",
                    ZitBltXml("BIWPointFasteningStatusBars", "bottommiddle", "PointCmd") +
                        ZitBltXml("ProductInput", "leftmiddle", "InputCmd")) +
        ActivityXml("BIWActivityLoading", loading) + "</ZitBltConfiguration>");

    root_ = document_->CreateRootActivity("Line");
    station_ = document_->CreateActivity(root_, "BIWActivityStation", "S1");
    grouping_ = document_->CreateActivity(station_, "BIWActivityGrouping", "G1");
    welding_ = document_->CreateActivity(grouping_, "BIWActivitySpotWelding", "W1");
    loading_ = document_->CreateActivity(station_, "BIWActivityLoading", "L1");
    viewer_ = KivMake<KivViewer>("test");
  }
  void TearDown() override {
    root_ = station_ = grouping_ = welding_ = loading_ = NULL_var;
    viewer_ = NULL_var;
    ZitBltFixture::TearDown();
  }

  static MoxIZitBltMgr_var Manager(const KivISPPActivity_var& activity) {
    return MoxIZitBltMgr_var(activity.get());
  }
  static void Place(const KivISPPActivity_var& activity, double x, double y) {
    MoxIPertNode_var(activity.get())->SetPosition(x, y, 1);
  }
  static void Resize(const KivISPPActivity_var& activity, double w, double h) {
    KivISPPNodeData_var data(activity.get());
    KivPertNodeData d = data->GetPertNodeData();
    d.width = w;
    d.height = h;
    data->SetPertNodeData(d);
  }
  // Gives the node a new box and lets the manager follow it.
  static void Reshape(const KivISPPActivity_var& activity, double x, double y, double w, double h) {
    Resize(activity, w, h);
    Place(activity, x, y);
    Manager(activity)->UpdatePositions();
  }
  static MoxZitBltRep* Find(const KivISPPActivity_var& activity, const char* name) {
    MoxZitBltRep* rep = nullptr;
    Manager(activity)->FindZitBlt(name, &rep);
    return rep;
  }
  static KivMathPoint2Df PoD(MoxZitBltRep* rep) {
    double x = -999, y = -999;
    rep->GetPoDPosition(x, y);
    return {static_cast<float>(x), static_cast<float>(y)};
  }
  // The node box the manager last recorded: centre x, y, width, height.
  static std::array<double, 4> Box(const KivISPPActivity_var& activity) {
    std::array<double, 4> box{};
    dynamic_cast<MoxEZitBltMgr*>(Manager(activity).get())
        ->GetNodeBox(box[0], box[1], box[2], box[3]);
    return box;
  }
  static std::vector<std::string> Names(const KivISPPActivity_var& activity) {
    KivListValKivUnicodeString* list = nullptr;
    EXPECT_EQ(Manager(activity)->GetAllZitBlts(&list), S_OK);
    std::unique_ptr<KivListValKivUnicodeString> owned(list);
    std::vector<std::string> names;
    for (const auto& name : *owned) names.push_back(name.ConvertToUTF8());
    return names;
  }
  // The calls logged since the last look, which clears the log.
  static std::vector<std::string> Calls() {
    std::vector<std::string> calls;
    for (const auto& c : RecordingListCmd::Log())
      calls.push_back(c.activity + ":" + c.zitBlt + ":" + c.what + (c.rep ? "" : "(no rep)"));
    RecordingListCmd::Log().clear();
    return calls;
  }

  KivISPPActivity_var root_, station_, grouping_, welding_, loading_;
  KivVar<KivViewer> viewer_;
};
}  // namespace

TEST_F(MoxEZitBltMgrTest, WithoutAViewerTheButtonsAreListedButNotBuilt) {
  EXPECT_EQ(Manager(station_)->Init(nullptr), 1);
  EXPECT_FALSE(dynamic_cast<MoxEZitBltMgr*>(Manager(station_).get())->IsInitialised());
  EXPECT_EQ(RecordingSubscriber::Subscriptions(), 0);
  // Asking for the names builds the table and subscribes, without a viewer.
  EXPECT_EQ(Names(station_), (std::vector<std::string>{"BIWStationStatusBars",
                                                       "BIWGroupingStatusBars", "ProductOutput"}));
  EXPECT_EQ(RecordingSubscriber::Subscriptions(), 1);
  EXPECT_EQ(Find(station_, "ProductOutput")->GetZitBltBtn(), nullptr);
  // UpdatePositions before any placement only records the box.
  Place(station_, 30, 40);
  Manager(station_)->UpdatePositions();
  EXPECT_EQ(Box(station_), (std::array<double, 4>{30, 40, 16, 8}));
  EXPECT_EQ(Find(station_, "ProductOutput")->GetZitBltBtn(), nullptr);
}

TEST_F(MoxEZitBltMgrTest, PlacesEveryButtonAtItsLocationAroundTheNode) {
  Place(loading_, 100, 50);
  EXPECT_EQ(Manager(loading_)->Init(viewer_), 1);
  // The node box is 16 x 8 around (100, 50); the class that cannot be made
  // is left out.
  const struct {
    const char* name;
    float x, y;
  } expected[] = {
      {"lefttop", 92, 54},    {"leftmiddle", 92, 50},    {"leftbottom", 92, 46},
      {"righttop", 108, 54},  {"rightmiddle", 108, 50},  {"rightbottom", 108, 46},
      {"topleft", 92, 54},    {"topmiddle", 100, 54},    {"topright", 108, 54},
      {"bottomleft", 92, 46}, {"bottommiddle", 100, 46}, {"bottomright", 108, 46},
      {"Centre", 100, 50},
  };
  std::vector<std::string> names;
  for (const auto& e : expected) {
    names.push_back(e.name);
    MoxZitBltRep* rep = Find(loading_, e.name);
    ASSERT_NE(rep, nullptr) << e.name;
    EXPECT_EQ(PoD(rep), (KivMathPoint2Df{e.x, e.y})) << e.name;
    EXPECT_EQ(rep->GetZitBltExpanded()->GetMatrix()->GetTranslation(),
              (KivMathVector2Df{e.x, e.y}));
    EXPECT_EQ(rep->GetViewer(), viewer_.get());
    EXPECT_EQ(rep->GetName(), KivUnicodeString(e.name));
  }
  EXPECT_EQ(Names(loading_), names);
  MoxZitBltRep* broken = nullptr;
  EXPECT_EQ(Manager(loading_)->FindZitBlt("Broken", &broken), E_FAIL);
  EXPECT_EQ(Manager(loading_)->FindZitBlt("Centre", nullptr), E_FAIL);
}

TEST_F(MoxEZitBltMgrTest, ListCommandsAreActivatedWithTheirButtonsOnce) {
  Manager(station_)->Init(viewer_);
  EXPECT_EQ(RecordingListCmd::Log().at(0).rep, Find(station_, "BIWStationStatusBars"));
  EXPECT_EQ(Calls(), (std::vector<std::string>{"S1:BIWStationStatusBars:Activate",
                                               "S1:BIWGroupingStatusBars:Activate",
                                               "S1:ProductOutput:Activate"}));
  Manager(station_)->Init(viewer_);
  EXPECT_TRUE(Calls().empty());
  EXPECT_EQ(RecordingSubscriber::Subscriptions(), 1);
}

TEST_F(MoxEZitBltMgrTest, ShowsAndHidesByNameAndKeepsTheAllFlagApart) {
  Manager(station_)->Init(viewer_);
  int modifies = 0, appInfos = 0;
  KivEventPublisher* events = KivIModelEvents_var(station_.get())->GetNotificationDispatcher();
  const KivCallbackId a = events->AddCallback(
      "KivModify", [&](KivBaseUnknown*, KivNotification*, void*) { ++modifies; });
  const KivCallbackId b =
      events->AddCallback("MoxPertAppInfoNotify", [&](KivBaseUnknown*, KivNotification* n, void*) {
        ++appInfos;
        EXPECT_FALSE(dynamic_cast<MoxPertAppInfoNotify*>(n)->GetRemoveRep());
      });

  MoxZitBltRep* output = Find(station_, "ProductOutput");
  EXPECT_EQ(Manager(station_)->SetZitBltStatus("ProductOutput", 0), S_OK);
  EXPECT_EQ(output->GetZitBltBtn()->GetShowMode(), KivRep::kHidden);
  unsigned char status = 9;
  EXPECT_EQ(Manager(station_)->GetZitBltStatus("ProductOutput", status), S_OK);
  EXPECT_EQ(status, 0);

  EXPECT_EQ(Manager(station_)->SetZitBltStatus("All", 0), S_OK);
  EXPECT_EQ(Manager(station_)->GetZitBltStatus("All", status), S_OK);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(Find(station_, "BIWStationStatusBars")->GetStatus(), 1);
  EXPECT_EQ(Find(station_, "BIWStationStatusBars")->GetZitBltBtn()->GetShowMode(), KivRep::kShown);

  EXPECT_EQ(Manager(station_)->SetZitBltStatus("Nothing", 0), E_FAIL);
  status = 7;
  EXPECT_EQ(Manager(station_)->GetZitBltStatus("Nothing", status), E_FAIL);
  EXPECT_EQ(status, 7);
  EXPECT_EQ(modifies, 3);
  EXPECT_EQ(appInfos, 3);
  events->RemoveCallback(a);
  events->RemoveCallback(b);
}

TEST_F(MoxEZitBltMgrTest, AMovedNodeCarriesItsButtonsWhereverTheyWereDragged) {
  Place(station_, 0, 0);  // a node may well sit at the origin
  Manager(station_)->Init(viewer_);
  MoxZitBltRep* output = Find(station_, "ProductOutput");
  output->SetPoDPosition(8, 2.5);  // dragged up its side
  Reshape(station_, 25, -10, 16, 8);
  EXPECT_EQ(PoD(output), (KivMathPoint2Df{33, -7.5f}));
  EXPECT_EQ(PoD(Find(station_, "BIWStationStatusBars")), (KivMathPoint2Df{17, -6}));
  double xmin, ymin, xmax, ymax;
  output->GetPositioningLimits(xmin, ymin, xmax, ymax);
  EXPECT_EQ(xmin, 17 - 2);
  EXPECT_EQ(xmax, 33 + 2);
}

TEST_F(MoxEZitBltMgrTest, AResizedNodeKeepsEachButtonsRelativePlace) {
  Place(station_, 50, 50);
  Manager(station_)->Init(viewer_);
  Reshape(station_, 50, 50, 32, 16);  // same centre, twice the size
  EXPECT_EQ(PoD(Find(station_, "BIWStationStatusBars")), (KivMathPoint2Df{34, 58}));
  EXPECT_EQ(PoD(Find(station_, "BIWGroupingStatusBars")), (KivMathPoint2Df{66, 58}));
  EXPECT_EQ(PoD(Find(station_, "ProductOutput")), (KivMathPoint2Df{66, 50}));

  // Moving and resizing at once maps the old box onto the new one.
  Reshape(station_, 0, 100, 8, 4);
  EXPECT_EQ(PoD(Find(station_, "BIWStationStatusBars")), (KivMathPoint2Df{-4, 102}));
  EXPECT_EQ(PoD(Find(station_, "ProductOutput")), (KivMathPoint2Df{4, 100}));
}

TEST_F(MoxEZitBltMgrTest, ADegenerateNodeBoxMovesButtonsByTheDisplacement) {
  Resize(station_, 0, 8);
  Place(station_, 10, 10);
  Manager(station_)->Init(viewer_);
  MoxZitBltRep* stationBars = Find(station_, "BIWStationStatusBars");
  EXPECT_EQ(PoD(stationBars), (KivMathPoint2Df{10, 14}));
  Reshape(station_, 20, 30, 16, 0);
  // No width before: x follows the centre; the height shrinks to nothing, so
  // the top edge maps onto the centre line.
  EXPECT_EQ(PoD(stationBars), (KivMathPoint2Df{20, 30}));
  Reshape(station_, 20, 40, 16, 8);
  EXPECT_EQ(PoD(stationBars), (KivMathPoint2Df{20, 40}));
  EXPECT_EQ(Box(station_), (std::array<double, 4>{20, 40, 16, 8}));
}

TEST_F(MoxEZitBltMgrTest, ASecondInitRebuildsTheGraphicsAndPlacesButtonsAgain) {
  Place(station_, 0, 0);
  Manager(station_)->Init(viewer_);
  MoxZitBltRep* output = Find(station_, "ProductOutput");
  Kiv2DBagRep* firstBag = output->GetZitBltBtn();
  output->SetPoDPosition(8, 3);
  output->ChangeBtnState();  // opened by a click
  auto otherViewer = KivMake<KivViewer>("other");
  Manager(station_)->Init(otherViewer);
  EXPECT_EQ(Find(station_, "ProductOutput"), output);
  EXPECT_NE(output->GetZitBltBtn(), firstBag);
  EXPECT_EQ(output->GetViewer(), otherViewer.get());
  EXPECT_EQ(PoD(output), (KivMathPoint2Df{8, 0}));
  EXPECT_TRUE(output->IsButtonCollapse());
  EXPECT_EQ(RecordingListCmd::Log().size(), 3u);
}

TEST_F(MoxEZitBltMgrTest, RemoveDeletesTheButtonsAndTheNextInitBuildsAfresh) {
  Manager(station_)->Init(viewer_);
  MoxZitBltRep* first = Find(station_, "ProductOutput");
  KivVar<MoxZitBltRep> keep(first);  // to tell a new rep from the old one
  EXPECT_EQ(Manager(station_)->Remove(), 0);
  EXPECT_TRUE(Find(station_, "ProductOutput") == nullptr);
  unsigned char all = 9;
  Manager(station_)->GetZitBltStatus("All", all);
  EXPECT_EQ(all, 0);
  MoxBaseListZitBltCmd* command = nullptr;
  EXPECT_EQ(MoxIZitBltCBSubscriber_var(station_.get())->FindZitBltCmd("ProductOutput", &command),
            E_FAIL);

  Manager(station_)->Init(viewer_);
  EXPECT_NE(Find(station_, "ProductOutput"), nullptr);
  EXPECT_NE(Find(station_, "ProductOutput"), first);
  EXPECT_EQ(RecordingSubscriber::Subscriptions(), 2);
  EXPECT_EQ(RecordingListCmd::Log().size(), 6u);
  Manager(station_)->GetZitBltStatus("All", all);
  EXPECT_EQ(all, 0);
}

TEST_F(MoxEZitBltMgrTest, RefreshingAFasteningListClimbsToEveryStationAndGroupingAbove) {
  // The climb stops at an ancestor whose lists are not built: the grouping.
  for (auto* a : {&station_, &welding_}) Manager(*a)->GetAllZitBlts(nullptr);
  Calls();
  Manager(welding_)->UpdateZitBltReps("BIWPointFasteningStatusBars");
  EXPECT_EQ(Calls(), (std::vector<std::string>{"W1:BIWPointFasteningStatusBars:Update"}));
  // Each ancestor once: the grouping has no station list but a grouping one,
  // the root has neither and ends the climb.
  for (auto* a : {&grouping_, &root_}) Manager(*a)->GetAllZitBlts(nullptr);
  Calls();
  Manager(welding_)->UpdateZitBltReps("BIWPointFasteningStatusBars");
  EXPECT_EQ(RecordingListCmd::Log().at(0).rep, Find(welding_, "BIWPointFasteningStatusBars"));
  EXPECT_EQ(Calls(), (std::vector<std::string>{
                         "W1:BIWPointFasteningStatusBars:Update", "G1:BIWGroupingStatusBars:Update",
                         "S1:BIWStationStatusBars:Update", "S1:BIWGroupingStatusBars:Update"}));
  Manager(welding_)->UpdateZitBltReps("ProductInput");
  EXPECT_EQ(Calls(), (std::vector<std::string>{"W1:ProductInput:Update"}));
  // A command whose button could not be made is still asked, with no rep.
  Manager(station_)->UpdateZitBltReps("Unbuilt");
  EXPECT_EQ(Calls(), (std::vector<std::string>{"S1:Unbuilt:Update(no rep)"}));
  Manager(station_)->UpdateZitBltReps("NoSuchName");
  EXPECT_TRUE(Calls().empty());
}

TEST_F(MoxEZitBltMgrTest, TheConfigurationIsParsedOnceForEveryManager) {
  for (int i = 0; i < 20; ++i) {
    auto activity =
        document_->CreateActivity(station_, "BIWActivityLoading", "L" + std::to_string(i + 2));
    Manager(activity)->Init(viewer_);
    EXPECT_EQ(Names(activity).size(), 13u);
  }
  EXPECT_EQ(MoxZitBltConfiguration::ParseCount(), 1);
}

TEST_F(MoxEZitBltMgrTest, WithoutAConfigurationNodesHaveNoButtonsUntilTheFileAppears) {
  std::filesystem::rename(folder_ / "zitbltcfg.xml", folder_ / "aside.xml");
  EXPECT_EQ(Manager(station_)->Init(viewer_), 1);
  EXPECT_TRUE(Names(station_).empty());
  EXPECT_EQ(RecordingSubscriber::Subscriptions(), 1);
  std::filesystem::rename(folder_ / "aside.xml", folder_ / "zitbltcfg.xml");
  // The same manager tries again only after Remove; another one at once.
  Manager(station_)->Init(viewer_);
  EXPECT_TRUE(Names(station_).empty());
  EXPECT_EQ(Names(grouping_), (std::vector<std::string>{"BIWGroupingStatusBars"}));
  Manager(station_)->Remove();
  EXPECT_EQ(Names(station_).size(), 3u);
}
