// The status buttons: the configuration files (where they are found, how
// often they are parsed, which entries apply to an activity type), the icon
// cache, one button (its icon, its two bags, clicks, drags and showing) and
// the buttons of an activity (built from the configuration, placed around the
// node, following it, shown and hidden, their lists refreshed up the
// activity tree).
#include <array>
#include <chrono>
#include <memory>
#include <set>
#include <utility>

#include "Kiv2DImagePixelRep.h"
#include "KivCallback.h"
#include "KivFrmEditor.h"
#include "KivISPPNodeData.h"
#include "KivViewer.h"
#include "MoxEZitBltMgr.h"
#include "MoxIPertNode.h"
#include "MoxPertAppInfoNotify.h"
#include "MoxZitBltTestSupport.h"
#include "StrX.h"

namespace {

std::vector<std::string> SelectedNames(const KivUnicodeString& type) {
  KivIDOMDocument_var document;
  std::vector<std::string> names;
  if (!MoxZitBltConfiguration::GetDomDocument(document)) return names;
  for (const auto& element : MoxZitBltConfiguration::SelectZitBlts(document, type))
    names.push_back(element->GetAttribute("Name").ConvertToUTF8());
  return names;
}

// Two blocks of the station type, one under a near miss of its name (a
// trailing blank, lower case), one of another type; a ZitBlt nested deeper.
const std::string kTwoBlocks =
    "<Anything>" +
    ActivityXml("BIWActivityStation", "<ZitBlt Name='A'/><Group><ZitBlt Name='B'/></Group>") +
    ActivityXml("BIWActivityStation ", "<ZitBlt Name='TrailingBlank'/>") +
    ActivityXml("biwactivitystation", "<ZitBlt Name='LowerCase'/>") +
    ActivityXml("BIWActivityGrouping", "<ZitBlt Name='G'/>") +
    ActivityXml("BIWActivityStation", "<ZitBlt Name='C'/>") + "</Anything>";

using MoxZitBltConfigurationTest = ZitBltFixture;

// (The search along several folders is the host's, checked with it.)
TEST_F(MoxZitBltConfigurationTest, IsFoundAlongTheStartupPath) {
  unsetenv("KivStartupPath");
  EXPECT_TRUE(MoxZitBltConfiguration::GetConfigFile().IsEmpty());
  KivIDOMDocument_var document;
  EXPECT_FALSE(MoxZitBltConfiguration::GetDomDocument(document) || document);
}

// Every block of exactly the type, in document order; attributes as written
// and missing ones as empty.
TEST_F(MoxZitBltConfigurationTest, SelectsEveryBlockOfTheTypeAndReadsAttributesAsWrittenOrEmpty) {
  WriteConfiguration(kTwoBlocks);
  EXPECT_EQ(SelectedNames("BIWActivityStation"), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(SelectedNames("BIWActivityStation "), (std::vector<std::string>{"TrailingBlank"}));
  EXPECT_EQ(SelectedNames("BIWActivityGrouping"), (std::vector<std::string>{"G"}));

  MoxZitBltConfiguration::Forget();  // read the next file
  WriteConfiguration(R"(<c><ActivityZitBlt ActivityType="T">
    <ZitBlt Name="Full" Type="MoxZitBltRep" LoadModule="MoxPexViewers" Location="topleft"
            Priority="High" InitialState="Open" IconFile="Red">
      <UpdateData CmdName="FirstCmd" LoadModule="ModA"/>
      <UpdateData CmdName="SecondCmd" LoadModule="ModB"/>
    </ZitBlt>
    <ZitBlt Name="Bare"/>
    <ZitBlt><Deep><UpdateData CmdName="Nested"/></Deep></ZitBlt>
  </ActivityZitBlt></c>)");
  KivIDOMDocument_var document;
  ASSERT_TRUE(MoxZitBltConfiguration::GetDomDocument(document));
  const auto elements = MoxZitBltConfiguration::SelectZitBlts(document, "T");
  ASSERT_EQ(elements.size(), 3u);

  const auto read = [&](int i) {
    const MoxZitBltEntry f = MoxZitBltConfiguration::ReadZitBlt(elements[i]);
    return f.name.ConvertToUTF8() + "/" + f.type.str() + "/" + f.loadModule.str() + "/" +
           f.location.ConvertToUTF8() + "/" + f.priority.ConvertToUTF8() + "/" +
           f.initialState.ConvertToUTF8() + "/" + f.iconFile.ConvertToUTF8();
  };
  EXPECT_EQ(read(0), "Full/MoxZitBltRep/MoxPexViewers/topleft/High/Open/Red");
  MoxZitBltUpdateData update;
  ASSERT_TRUE(MoxZitBltConfiguration::ReadUpdateData(elements[0], update));
  EXPECT_EQ(update.cmdName.str() + "/" + update.loadModule.str(), "FirstCmd/ModA");

  EXPECT_EQ(read(1), "Bare//////");
  EXPECT_FALSE(MoxZitBltConfiguration::ReadUpdateData(elements[1], update));

  // The first UpdateData anywhere below the ZitBlt counts; its missing
  // module reads as empty.
  ASSERT_TRUE(MoxZitBltConfiguration::ReadUpdateData(elements[2], update));
  EXPECT_EQ(update.cmdName.str() + "/" + update.loadModule.str(), "Nested/");
}

// A failed parse is tried again, and a repaired file picked up; once parsed,
// later edits are ignored.
TEST_F(MoxZitBltConfigurationTest, IsParsedOnceItParsesAndThenKept) {
  const auto write = [&](const char* name) {
    WriteConfiguration(std::string("<c><ActivityZitBlt ActivityType=\"T\"><ZitBlt Name=\"") + name +
                       "\"/></ActivityZitBlt></c>");
  };
  WriteConfiguration("<c><ActivityZitBlt ActivityType=\"T\"><ZitBlt Name=\"A\"></c>");
  KivIDOMDocument_var first;
  EXPECT_FALSE(MoxZitBltConfiguration::GetDomDocument(first) || MoxZitBltConfiguration::IsParsed());
  EXPECT_EQ(MoxZitBltConfiguration::ParseCount(), 0);
  write("A");
  ASSERT_TRUE(MoxZitBltConfiguration::GetDomDocument(first));
  write("Edited");
  EXPECT_EQ(SelectedNames("T"), (std::vector<std::string>{"A"}));
  EXPECT_EQ(MoxZitBltConfiguration::ParseCount(), 1);
}

TEST_F(MoxZitBltConfigurationTest, StatusBarFileComesFromTheSettingOrTheStartupPath) {
  // The file and the root element it gave at the last parse.
  const auto parsed = [] {
    auto document = MoxStatusBarConfiguration::GetDocument();
    return MoxStatusBarConfiguration::GetConfigFile().str() + " " +
           (document ? document->GetDocumentElement()->GetTagName().ConvertToUTF8() : "none");
  };
  // No setting, no file: nothing parsed, and the next request tries again.
  EXPECT_FALSE(MoxStatusBarConfiguration::Parse());
  EXPECT_EQ(parsed(), " none");

  std::ofstream(folder_ / "StatusBarConfiguration.xml") << "<StatusBars/>";
  EXPECT_TRUE(MoxStatusBarConfiguration::Parse());
  EXPECT_EQ(parsed(), (folder_ / "StatusBarConfiguration.xml").string() + " StatusBars");

  // A setting names the file directly, wherever it is; it is read on the
  // next parse only.
  const auto elsewhere = folder_ / "elsewhere.xml";
  std::ofstream(elsewhere) << "<Elsewhere/>";
  KivSettingRepository::GetRepository("MoxPFViewerSettings")
      ->WriteSetting("XMLFileForStatusbar", elsewhere.string());
  EXPECT_TRUE(MoxStatusBarConfiguration::Parse());
  EXPECT_EQ(parsed(), elsewhere.string() + " StatusBars");
  MoxStatusBarConfiguration::Forget();
  EXPECT_TRUE(MoxStatusBarConfiguration::Parse());
  EXPECT_EQ(parsed(), elsewhere.string() + " Elsewhere");
}

TEST_F(MoxZitBltConfigurationTest, StrXKeepsNamesOutsideAsciiAsUtf8) {
  const KivUnicodeString name("St\xC3\xA4tion\xF0\x9F\x94\xA7");
  StrX fromHost(name);
  EXPECT_EQ(fromHost.localForm(), name.ConvertToUTF8());
  EXPECT_EQ(StrX(fromHost.xmlForm()).localForm(), name.ConvertToUTF8());
  EXPECT_EQ(StrX(static_cast<const XMLCh*>(nullptr)).localForm(), "");
}

TEST_F(MoxZitBltConfigurationTest, BundledFileGivesEveryWorkingActivityDistinctButtonsWithIcons) {
  setenv("KivStartupPath", KIV_SOURCE_DIR "/resources", 1);
  const auto isIcon = [](const std::string& name) {
    return std::filesystem::is_regular_file(KIV_SOURCE_DIR "/resources/icons/" + name + ".bmp");
  };
  KivIDOMDocument_var document;
  ASSERT_TRUE(MoxZitBltConfiguration::GetDomDocument(document));
  for (const KivUnicodeString& type : KivProcessDocument::ActivityTypes()) {
    const auto declared = MoxZitBltConfiguration::DeclaredFor(document, type);
    if (type == KivUnicodeString("BIWActivityRoot")) {
      EXPECT_TRUE(declared->empty());
      continue;
    }
    EXPECT_GE(declared->size(), 2u) << type;
    std::set<std::string> names, locations;
    for (const auto& [entry, hasUpdate, update] : *declared) {
      EXPECT_TRUE(names.insert(entry.name.ConvertToUTF8()).second) << type << " " << entry.name;
      EXPECT_TRUE(locations.insert(entry.location.ConvertToUTF8()).second) << type;
      EXPECT_TRUE(isIcon(entry.iconFile.ConvertToUTF8())) << entry.iconFile;
      EXPECT_TRUE(hasUpdate) << entry.name;
      EXPECT_EQ(entry.loadModule, "MoxPexViewers");
    }
    EXPECT_TRUE(names.count("ProductInput") && names.count("Resources")) << type;
  }
  for (const char* icon :
       {"I_PODShownInputPart", "I_PODHiddenInputPart", "I_PODPartiallyHiddenInputPart"})
    EXPECT_TRUE(isIcon(icon)) << icon;
}

KivMathPoint2Df PoD(MoxZitBltRep* rep) {
  double x = -999, y = -999;
  rep->GetPoDPosition(x, y);
  return {static_cast<float>(x), static_cast<float>(y)};
}

class MoxZitBltRepTest : public ZitBltFixture {
 protected:
  void SetUp() override {
    ZitBltFixture::SetUp();
    viewer_ = KivMake<KivViewer>("test");
  }
  void TearDown() override {
    rep_ = NULL_var;
    viewer_ = NULL_var;
    ZitBltFixture::TearDown();
  }
  // A built button at a location, its origin at (x, y), limited to the node
  // box (-8, -4) .. (8, 4).
  MoxZitBltRep* Build(const char* location, const char* icon = "Red", double x = 0.0,
                      double y = 0.0) {
    rep_ = KivVar<MoxZitBltRep>::Adopt(dynamic_cast<MoxZitBltRep*>(fctCreateMoxZitBltRep()));
    rep_->SetLocation(location);
    rep_->SetIcon(icon);
    rep_->BuildRep(viewer_);
    rep_->SetPoDPosition(x, y);
    rep_->SetPositioningLimits(-8.0, -4.0, 8.0, 4.0);
    return rep_.get();
  }
  Kiv2DImagePixelRep* Icon() const {
    return dynamic_cast<Kiv2DImagePixelRep*>(rep_->GetZitBltBtn()->GetChild(1));
  }
  // One drag step of the button's manipulator to the pointer point (x, y).
  void DragTo(float x, float y) { rep_->GetManipulator()->DragTo(viewer_, {x, y}); }
  // The button's state: "closed" or "open", then how its button and its
  // list bag show.
  std::string State() const {
    const auto mode = [](Kiv2DBagRep* bag) {
      return bag->GetShowMode() == KivRep::kShown ? "shown" : "hidden";
    };
    return std::string(rep_->IsButtonCollapse() ? "closed " : "open ") +
           mode(rep_->GetZitBltBtn()) + "/" + mode(rep_->GetZitBltExpanded());
  }

  KivVar<KivViewer> viewer_;
  KivVar<MoxZitBltRep> rep_;
};

TEST_F(MoxZitBltRepTest, DrawsItsIconOnTheSideNamedByTheLocation) {
  // 16-pixel icons are 4 units wide; the icon's corner is (-2, -2) moved by
  // half the icon towards the named side.
  const struct {
    const char* location;
    float x, y;
  } expected[] = {
      {"lefttop", -4, -4},      {"leftmiddle", -4, -2},
      {"leftbottom", -4, -4},   {"righttop", 0, -4},
      {"rightmiddle", 0, -2},   {"rightbottom", 0, -4},
      {"topleft", 0, 0},        {"topmiddle", -2, 0},
      {"topright", -4, 0},      {"bottomleft", 0, -4},
      {"bottommiddle", -2, -4}, {"bottomright", -4, -4},
      {"nowhere", -2, -2},      {"", -2, -2},
  };
  for (const auto& e : expected) {
    Build(e.location);
    ASSERT_EQ(rep_->GetZitBltBtn()->GetChildCount(), 1) << e.location;
    ASSERT_NE(Icon(), nullptr);
    EXPECT_EQ(Icon()->GetOrigin(), (KivMathPoint2Df{e.x, e.y})) << e.location;
    EXPECT_EQ(Icon()->GetAlphaMode(), 1);
  }
}

// A button starts closed (clicks on it are driven through the shell); status
// 1 shows it, 0 hides it and other values change nothing.
TEST_F(MoxZitBltRepTest, StartsClosedAndTheStatusShowsOrHides) {
  Build("rightmiddle");
  EXPECT_EQ(State(), "closed shown/hidden");
  // Opening from outside leaves the click state alone: the next click still
  // opens (it decides from its own state).
  rep_->ExpandZitBlt();
  EXPECT_FALSE(rep_->IsButtonCollapse());
  rep_->ChangeBtnState();
  EXPECT_EQ(State(), "open shown/shown");

  Build("leftmiddle");
  // Showing a closed button does not open its list; an open one shows it.
  const std::pair<int, const char*> steps[] = {
      {0, "closed hidden/hidden"}, {2, "closed hidden/hidden"}, {1, "closed shown/hidden"},
      {-1, "open shown/shown"},    {0, "open hidden/hidden"},   {1, "open shown/shown"},
      {2, "open shown/shown"},     {0, "open hidden/hidden"}};
  for (const auto& [status, state] : steps) {
    status < 0 ? rep_->ChangeBtnState() : rep_->SetStatus(status);
    EXPECT_EQ(State(), state) << status;
  }
  // A hidden button stays hidden when it is built again.
  rep_->BuildRep(viewer_);
  EXPECT_EQ(rep_->GetZitBltBtn()->GetShowMode(), KivRep::kHidden);
}

TEST_F(MoxZitBltRepTest, GreyAndColourIconsReplaceEachOtherAndAMissingOneChangesNothing) {
  Build("topmiddle");
  ASSERT_NE(Icon(), nullptr);
  EXPECT_FALSE(Icon()->GetPixelImage()->IsGrey());
  rep_->SetZitbltButtonGrey(1);
  ASSERT_EQ(rep_->GetZitBltBtn()->GetChildCount(), 1);
  EXPECT_TRUE(Icon()->GetPixelImage()->IsGrey() && rep_->IsGreyed());
  rep_->SetZitbltButtonGrey(0);
  ASSERT_EQ(rep_->GetZitBltBtn()->GetChildCount(), 1);
  EXPECT_FALSE(Icon()->GetPixelImage()->IsGrey());
  EXPECT_EQ(Icon()->GetPixelImage()->GetPixel(0, 0), (KivRgba{220, 30, 30, 255}));
  // A missing icon leaves an empty button or keeps the present one.
  Build("topmiddle", "NoSuchIcon");
  EXPECT_EQ(rep_->GetZitBltBtn()->GetChildCount(), 0);
  Build("topmiddle", "");
  EXPECT_EQ(rep_->GetZitBltBtn()->GetChildCount(), 0);
  Build("topmiddle", "Blue");
  rep_->SetIcon("NoSuchIcon");
  rep_->SetZitbltButtonGrey(1);
  ASSERT_EQ(rep_->GetZitBltBtn()->GetChildCount(), 1);
  EXPECT_FALSE(Icon()->GetPixelImage()->IsGrey());
}

TEST_F(MoxZitBltRepTest,
       DoesNothingBeforeItIsBuiltAndRebuildingReplacesTheBagsInTheEditorsRegistry) {
  rep_ = KivVar<MoxZitBltRep>::Adopt(dynamic_cast<MoxZitBltRep*>(fctCreateMoxZitBltRep()));
  double x = 7, y = 9, a = 1, b = 1, c = 1, d = 1;
  rep_->SetPoDPosition(1, 1);
  rep_->TransfromPoD(1, 1);
  rep_->GetPoDPosition(x, y);
  rep_->SetPositioningLimits(-8, -4, 8, 4);
  rep_->GetPositioningLimits(a, b, c, d);
  EXPECT_EQ(std::vector({x, y, a, d}), std::vector({7.0, 9.0, 0.0, 0.0}));
  rep_->SetStatus(0);
  rep_->ExpandZitBlt();
  EXPECT_EQ(rep_->GetZitBltBtn(), nullptr);
  EXPECT_EQ(rep_->EmptyExpandedBagRep(), E_FAIL);

  auto document = KivProcessDocument::Create();
  KivFrmEditor* editor = KivApplicationFrame::GetFrame()->OpenEditor(document);
  ASSERT_NE(editor, nullptr);
  KivVis2DRegistry* registry = editor->GetVis2DRegistry();
  const int before = registry->GetModelCount();
  Build("lefttop");
  EXPECT_EQ(registry->GetModelCount(), before + 2);
  // Held, so that the new bag cannot take the old one's address.
  const KivVar<Kiv2DBagRep> firstBag(rep_->GetZitBltBtn());
  rep_->BuildRep(viewer_);
  EXPECT_EQ(registry->GetModelCount(), before + 2);
  EXPECT_NE(rep_->GetZitBltBtn(), firstBag.get());
  for (const auto& model : registry->GetModels()) EXPECT_NE(model->GetRep(), firstBag.get());
  rep_ = NULL_var;
  EXPECT_EQ(registry->GetModelCount(), before);
}

// A side button moves only up and down its side, a top one only across,
// each within its limits: a step beyond them is refused and the next one is
// measured from the last accepted point; on the limit itself is allowed.
TEST_F(MoxZitBltRepTest, AButtonIsDraggedAlongItsSideWithinItsLimits) {
  const struct {
    const char* location;
    KivMathPoint2Df at;
    std::vector<std::pair<KivMathPoint2Df, KivMathPoint2Df>> steps;  // pointer, button
  } cases[] = {
      {"rightmiddle",
       {8, 0},
       {{{9, 3}, {8, 3}},
        {{9, 7}, {8, 3}},
        {{9, 5}, {8, 5}},
        {{9, -2}, {8, -2}},
        {{9, -2.5f}, {8, -2}}}},
      {"topmiddle", {0, 4}, {{{3, 10}, {3, 4}}, {{11, 10}, {3, 4}}, {{-10, 0}, {-10, 4}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.location);
    Build(c.location, "Red", c.at.x, c.at.y);
    rep_->GetManipulator()->BeginDrag(viewer_, c.at);
    for (const auto& [pointer, button] : c.steps) {
      DragTo(pointer.x, pointer.y);
      EXPECT_EQ(PoD(rep_.get()), button) << pointer.x << ", " << pointer.y;
    }
    rep_->GetManipulator()->EndDrag(viewer_, c.steps.back().first);
    // The list moves with the button.
    EXPECT_EQ(rep_->GetZitBltExpanded()->GetMatrix()->GetTranslation(),
              (KivMathVector2Df{PoD(rep_.get()).x, PoD(rep_.get()).y}));
  }
  // The next drag continues from where the pointer left the last one.
  rep_->GetManipulator()->BeginDrag(viewer_, {0, 0});
  DragTo(1, 0);
  EXPECT_EQ(PoD(rep_.get()), (KivMathPoint2Df{-9, 4}));
}

// The cache hands out images that share their pixels, and changing one
// image leaves the others as they were; a changed file is read again.
TEST_F(MoxZitBltRepTest, AnIconIsDecodedOnceSharedCopiedOnWriteAndReadAgainWhenTheFileChanges) {
  const auto Load = [](const char* icon, bool grey) {
    return KivVar<KivPixelImage>::Adopt(MoxZitBltIconCache::Load(KivUnicodeString(icon), grey));
  };
  std::vector<KivVar<KivPixelImage>> colour, grey;
  for (int i = 0; i < 3; ++i) {
    colour.push_back(Load("Red", false));
    grey.push_back(Load("Red", true));
    ASSERT_TRUE(colour.back() && grey.back());
  }
  for (int i = 1; i < 3; ++i) {
    EXPECT_NE(colour[i].get(), colour[0].get());
    EXPECT_EQ(colour[i]->GetPixels().data(), colour[0]->GetPixels().data());
    EXPECT_EQ(grey[i]->GetPixels().data(), grey[0]->GetPixels().data());
  }
  EXPECT_NE(grey[0]->GetPixels().data(), colour[0]->GetPixels().data());

  const std::vector<std::uint8_t> before = colour[0]->GetPixels();
  ASSERT_EQ(colour[1]->Convert(KivPixelImage::kGrey), S_OK);
  ASSERT_EQ(colour[2]->SetTransparency(KivPixelImage::kCornerColourKey), S_OK);
  EXPECT_TRUE(colour[1]->IsGrey());
  EXPECT_EQ(colour[2]->GetPixel(0, 0).a, 0);
  EXPECT_EQ(colour[0]->GetPixels(), before);
  EXPECT_EQ(Load("Red", false)->GetPixels(), before);

  Build("topmiddle", "Red");
  const KivVar<KivPixelImage> first(Icon()->GetPixelImage());  // held: no address reused
  Build("topmiddle", "Red");
  // Every button gets an image of its own (over shared pixels).
  EXPECT_NE(Icon()->GetPixelImage(), first.get());
  const auto file = folder_ / "icons" / "Red.bmp";
  const auto written = std::filesystem::last_write_time(file);
  WriteTestIcon(file, 30, 200, 30);
  std::filesystem::last_write_time(file, written + std::chrono::seconds(2));
  KivDelayedDestruction::Flush();  // the next user event sees the new file
  Build("topmiddle", "Red");
  EXPECT_EQ(Icon()->GetPixelImage()->GetPixel(5, 5), (KivRgba{30, 200, 30, 255}));
  std::filesystem::remove(file);
  KivDelayedDestruction::Flush();
  Build("topmiddle", "Red");
  EXPECT_EQ(rep_->GetZitBltBtn()->GetChildCount(), 0);
}

// The loading's buttons, each named after its location, and where they stand
// around a 16 x 8 node box at (100, 50); an unknown location is the centre.
const struct {
  const char* name;
  float x, y;
} kPlaces[] = {
    {"lefttop", 92, 54},    {"leftmiddle", 92, 50},    {"leftbottom", 92, 46},
    {"righttop", 108, 54},  {"rightmiddle", 108, 50},  {"rightbottom", 108, 46},
    {"topleft", 92, 54},    {"topmiddle", 100, 54},    {"topright", 108, 54},
    {"bottomleft", 92, 46}, {"bottommiddle", 100, 46}, {"bottomright", 108, 46},
    {"Centre", 100, 50},
};

class MoxEZitBltMgrTest : public ZitBltFixture {
 protected:
  void SetUp() override {
    ZitBltFixture::SetUp();
    UseRecordingSubscriber();
    std::string loading;
    for (const auto& place : kPlaces) loading += ZitBltXml(place.name, place.name);
    loading += ZitBltXml("Broken", "lefttop", nullptr, "NoSuchRep");
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
    d.width = w, d.height = h;
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
  // What the manager answers for a button's status, and the status.
  static std::pair<HRESULT, int> Status(const KivISPPActivity_var& activity, const char* name) {
    unsigned char status = 7;
    const HRESULT hr = Manager(activity)->GetZitBltStatus(name, status);
    return {hr, status};
  }
  // The calls logged since the last look, which clears the log.
  static std::vector<std::string> Calls() { return std::exchange(RecordingListCmd::Log(), {}); }

  KivISPPActivity_var root_, station_, grouping_, welding_, loading_;
  KivVar<KivViewer> viewer_;
};

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
  // The class that cannot be made is left out.
  std::vector<std::string> names;
  for (const auto& e : kPlaces) {
    names.push_back(e.name);
    MoxZitBltRep* rep = Find(loading_, e.name);
    ASSERT_NE(rep, nullptr) << e.name;
    EXPECT_EQ(PoD(rep), (KivMathPoint2Df{e.x, e.y})) << e.name;
    EXPECT_EQ(rep->GetZitBltExpanded()->GetMatrix()->GetTranslation(),
              (KivMathVector2Df{e.x, e.y}));
  }
  EXPECT_EQ(Names(loading_), names);
  MoxZitBltRep* broken = nullptr;
  EXPECT_EQ(Manager(loading_)->FindZitBlt("Broken", &broken), E_FAIL);
  EXPECT_EQ(Manager(loading_)->FindZitBlt("Centre", nullptr), E_FAIL);
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

  EXPECT_EQ(Manager(station_)->SetZitBltStatus("ProductOutput", 0), S_OK);
  EXPECT_EQ(Status(station_, "ProductOutput"), std::pair(S_OK, 0));
  EXPECT_EQ(Manager(station_)->SetZitBltStatus("All", 0), S_OK);
  EXPECT_EQ(Status(station_, "All"), std::pair(S_OK, 0));
  EXPECT_EQ(Find(station_, "BIWStationStatusBars")->GetStatus(), 1);
  EXPECT_EQ(Find(station_, "BIWStationStatusBars")->GetZitBltBtn()->GetShowMode(), KivRep::kShown);

  EXPECT_EQ(Manager(station_)->SetZitBltStatus("Nothing", 0), E_FAIL);
  EXPECT_EQ(Status(station_, "Nothing"), std::pair(E_FAIL, 7));
  EXPECT_EQ(std::pair(modifies, appInfos), std::pair(3, 3));
  events->RemoveCallback(a);
  events->RemoveCallback(b);
}

// Moved, a node carries its buttons wherever they were dragged; resized, each
// keeps its relative place; moved and resized at once, the old box maps onto
// the new one.
TEST_F(MoxEZitBltMgrTest, AMovedOrResizedNodeKeepsEachButtonsRelativePlace) {
  Place(station_, 0, 0);  // a node may well sit at the origin
  Manager(station_)->Init(viewer_);
  MoxZitBltRep* output = Find(station_, "ProductOutput");
  MoxZitBltRep* stationBars = Find(station_, "BIWStationStatusBars");
  output->SetPoDPosition(8, 2.5);  // dragged up its side
  Reshape(station_, 25, -10, 16, 8);
  EXPECT_EQ(PoD(output), (KivMathPoint2Df{33, -7.5f}));
  double xmin, ymin, xmax, ymax;
  output->GetPositioningLimits(xmin, ymin, xmax, ymax);
  EXPECT_EQ(std::pair(xmin, xmax), std::pair(17.0 - 2, 33.0 + 2));

  Reshape(station_, 25, -10, 32, 16);  // same centre, twice the size
  EXPECT_EQ(PoD(stationBars), (KivMathPoint2Df{9, -2}));
  EXPECT_EQ(PoD(Find(station_, "BIWGroupingStatusBars")), (KivMathPoint2Df{41, -2}));
  EXPECT_EQ(PoD(output), (KivMathPoint2Df{41, -5}));
  Reshape(station_, 0, 100, 8, 4);
  EXPECT_EQ(PoD(stationBars), (KivMathPoint2Df{-4, 102}));
  EXPECT_EQ(PoD(output), (KivMathPoint2Df{4, 101.25f}));
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

// The list commands are activated with their buttons once, on the first Init;
// a second Init rebuilds the graphics and places the buttons again; Remove
// deletes the buttons and the next Init builds afresh.
TEST_F(MoxEZitBltMgrTest, ASecondInitRebuildsTheGraphicsAndAfterRemoveTheNextBuildsAfresh) {
  Place(station_, 0, 0);
  Manager(station_)->Init(viewer_);
  EXPECT_EQ(Calls().size(), 3u);  // what the lists get from it: checked with real lists
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
  EXPECT_TRUE(Calls().empty());
  EXPECT_EQ(RecordingSubscriber::Subscriptions(), 1);

  KivVar<MoxZitBltRep> keep(output);  // to tell a new rep from the old one
  EXPECT_EQ(Manager(station_)->Remove(), 0);
  EXPECT_TRUE(Find(station_, "ProductOutput") == nullptr);
  EXPECT_EQ(Status(station_, "All").second, 0);

  Manager(station_)->Init(viewer_);
  EXPECT_NE(Find(station_, "ProductOutput"), nullptr);
  EXPECT_NE(Find(station_, "ProductOutput"), output);
  EXPECT_EQ(RecordingSubscriber::Subscriptions(), 2);
  EXPECT_EQ(Calls().size(), 3u);
}

// (Which lists a change climbs to, each once, is checked with real lists.)
TEST_F(MoxEZitBltMgrTest, RefreshingAFasteningListStopsClimbingAtAnAncestorWithoutBuiltLists) {
  // The climb stops at an ancestor whose lists are not built: the grouping.
  for (auto* a : {&station_, &welding_}) Manager(*a)->GetAllZitBlts(nullptr);
  Calls();
  Manager(welding_)->UpdateZitBltReps("BIWPointFasteningStatusBars");
  EXPECT_EQ(Calls(), (std::vector<std::string>{"W1:BIWPointFasteningStatusBars:Update"}));
  // A command whose button could not be made is still asked, with no rep.
  Manager(station_)->UpdateZitBltReps("Unbuilt");
  EXPECT_EQ(Calls(), (std::vector<std::string>{"S1:Unbuilt:Update(no rep)"}));
  Manager(station_)->UpdateZitBltReps("NoSuchName");
  EXPECT_TRUE(Calls().empty());
  // Two managers built their tables from one parse of the file.
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
}  // namespace
