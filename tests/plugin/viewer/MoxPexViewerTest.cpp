// The product flow viewer window and its commands: the title and how it is
// cut to fit, what it draws, re-targeting to another level, its PERT window
// interface; the viewer command opening, fronting, re-targeting and refusing
// against the layout's window list; and the re-arrange command.
#include <memory>

#include "KivDlgNotify.h"
#include "KivFatalError.h"
#include "KivISO.h"
#include "KivPertInteraction.h"
#include "MoxIPertNodeExt.h"
#include "MoxIPertWindow.h"
#include "MoxPertController.h"
#include "MoxPertNodeTraverser.h"
#include "MoxPertViewer.h"
#include "MoxPexPertChartWindow.h"
#include "MoxPexViewerTestSupport.h"

namespace {

KivUnicodeString Repeat(const char* utf8, int times) {
  KivUnicodeString s;
  for (int i = 0; i < times; ++i) s += KivUnicodeString(utf8);
  return s;
}

// A title fits whole at ten pixels a character; otherwise its first and last
// width/20 characters stay around "...", never splitting a character or
// parting a combining mark from its letter.
TEST(MoxPexProductFlowViewerTitle, FitsWholeOrKeepsHeadAndTailOfWholeCharacters) {
  const std::string abc = "abcdefghijklmnopqrstuvwxyz0123";  // 30 characters
  const std::string acute = "\xCC\x81";                      // an e + acute at 9-10 and 19-20
  const std::string accented = "abcdefghie" + acute + "lmnopqrse" + acute + "uvwxyz012";
  const struct {
    std::string title;
    int width;
    std::string fitted;
  } cases[] = {
      {abc, 300, abc},
      {abc, 200, "abcdefghij...uvwxyz0123"},
      {abc, 299, "abcdefghijklmn...qrstuvwxyz0123"},
      {abc, 19, "..."},
      {accented, 200, "abcdefghi...uvwxyz012"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MoxPexProductFlowViewer::FitTitle(KivUnicodeString(c.title), c.width).ConvertToUTF8(),
              c.fitted)
        << c.title << " in " << c.width;
  // Two, three and four bytes per character in UTF-8.
  for (const char* ch : {"\xC3\x9F", "\xE2\x82\xAC", "\xF0\x9F\x9A\x97"})
    EXPECT_EQ(MoxPexProductFlowViewer::FitTitle(Repeat(ch, 30), 200).ConvertToUTF8(),
              Repeat(ch, 10).ConvertToUTF8() + "..." + Repeat(ch, 10).ConvertToUTF8());
}

class MoxPexProductFlowViewerTest : public ViewerFixture {
 protected:
  // The host's own chart window on the level of `activity` in the current editor.
  static void OpenPertChart(const KivBaseUnknown_var& activity) {
    new MoxPexPertChartWindow("PERT", KivInteraction::GetCurrentEditor(), activity);
  }
  static std::string Title(MoxPexProductFlowViewer* viewer) {
    return viewer->GetTitle().ConvertToUTF8();
  }
};

// (Its PERT window interface and its node callbacks are what the buttons and
// the shell work through: checked there.)
TEST_F(MoxPexProductFlowViewerTest, DrawsALevelAndIsRetargetedWithItsTitle) {
  ViewerLine line;
  MoxPexProductFlowViewer* viewer = OpenViewerIn(line, line.root);
  ASSERT_NE(viewer, nullptr);
  MoxIPertWindow_var pertWindow(viewer);
  MoxPertController* controller = viewer->GetPertController();
  ASSERT_NE(controller, nullptr);
  EXPECT_EQ(viewer->GetName(), "LineProduct Flow Viewer");
  // Start, S1..S4, Stop; S2 is collapsed, so Load and Weld are not drawn.
  EXPECT_EQ(std::pair(controller->GetDrawnNodes().Size(), controller->LinkCount()),
            std::pair(6, 4));
  EXPECT_FALSE(controller->IsNodeDrawn(line.load));

  // Re-targeted: the nodes, callbacks and title are replaced.
  KivBaseUnknown_var s2 = line.s2;
  pertWindow->SetPertLevel(s2, nullptr, 0);
  controller = viewer->GetPertController();
  EXPECT_FALSE(controller->IsNodeDrawn(line.s1));
  EXPECT_TRUE(controller->IsNodeDrawn(line.load) && controller->IsNodeDrawn(line.weld));
  EXPECT_EQ(controller->GetDrawnNodes().Size(), 4);  // Start, Load, Weld, Stop
  EXPECT_TRUE(viewer->GetRootNode() == line.s2);
  // The title names the file and the node path, cut to the window's width
  // (its first 800 pixels hold it whole).
  EXPECT_EQ(viewer->GetFullTitle().ConvertToUTF8(), "underbody.process/Line/S2");
  EXPECT_EQ(Title(viewer), "underbody.process/Line/S2");
  viewer->Resize(0, 0, 200, 300);
  EXPECT_EQ(Title(viewer), "underbody....ss/Line/S2");
  viewer->Resize(0, 0, 1000, 300);
  EXPECT_EQ(Title(viewer), "underbody.process/Line/S2");
  // A node left out is not drawn.
  KivBaseUnknown_var root = line.root;
  pertWindow->SetPertLevel(root, KivIdentity(line.s4.get()), 0);
  EXPECT_EQ(std::pair(controller->IsNodeDrawn(line.s4), controller->IsNodeDrawn(line.s3)),
            std::pair(false, true));
  // A level without activities shows only its Start and Stop.
  KivBaseUnknown_var s4 = line.s4;
  pertWindow->SetPertLevel(s4, nullptr, 0);
  EXPECT_EQ(viewer->GetPertController()->GetDrawnNodes().Size(), 2);
}

TEST_F(MoxPexProductFlowViewerTest, ItsMenuReframesAndDeletingItReleasesViewerAndController) {
  ViewerLine line;
  MoxPexProductFlowViewer* viewer = OpenViewerIn(line, line.root);
  ASSERT_NE(viewer, nullptr);
  ASSERT_TRUE(KivPertInteraction::OpenContextMenu(viewer->GetPertViewer(), -500, -500));
  // The optional host commands do not exist here.
  EXPECT_EQ(KivPertInteraction::GetMenuItemNames(), std::vector<KivString>{"Reframe"});
  EXPECT_FALSE(KivPertInteraction::ChooseMenuItem("Show"));
  EXPECT_TRUE(KivPertInteraction::ChooseMenuItem("Reframe"));
  EXPECT_FALSE(KivPertInteraction::ChooseMenuItem("Reframe")) << "choosing closes the menu";
  EXPECT_FALSE(KivPertInteraction::ClickAt(viewer->GetPertViewer(), -500, -500)) << "nothing there";

  KivISO* iso = KivInteraction::GetCurrentEditor()->GetISO();
  KivVar<MoxPertViewer> pertViewer(viewer->GetPertViewer());
  EXPECT_TRUE(iso->HasViewer(pertViewer.get()));
  viewer->DeleteWindow();
  KivDelayedDestruction::Flush();
  EXPECT_EQ(CountViewers(), 0);
  EXPECT_FALSE(iso->HasViewer(pertViewer.get()));
}

TEST(MoxPexProductFlowViewerDeathTest, AMissingActivityStopsWithItsSourceAndLine) {
  EXPECT_EXIT(
      {
        ViewerLine line;
        KivInteraction::OpenDocument(line.document.get());
        KivBaseUnknown_var none;
        KivBaseUnknown_var s1 = line.s1;
        auto* viewer = new MoxPexProductFlowViewer("v", KivInteraction::GetCurrentEditor(), s1);
        delete viewer->GetProductFlowViewerNodes(none);
      },
      testing::ExitedWithCode(kKivFatalExitStatus),
      "MoxPexViewers/MoxProductFlowViewer.m/src/MoxPexProductFlowViewer.*1499");
}

TEST_F(MoxPexProductFlowViewerTest, TheCommandIsFoundByNameRefusesNonActivitiesAndEndsOnAPick) {
  ViewerLine line;
  KivVar<KivIProduct> product = line.document->CreateProduct(nullptr, "Floor", "p1");
  KivInteraction::OpenDocument(line.document.get());
  ASSERT_TRUE(KivInteraction::StartCommand("MoxPexProductFlowViewerCmd"));
  EXPECT_FALSE(KivInteraction::Pick(product.get()));
  EXPECT_FALSE(KivInteraction::Pick(line.start.get()));  // a Start node is no activity
  EXPECT_EQ(std::pair(KivCommandStarter::RunningCount(), CountViewers()), std::pair(1, 0));
  ASSERT_TRUE(KivInteraction::Pick(line.s2.get()));
  EXPECT_EQ(std::pair(KivCommandStarter::RunningCount(), CountViewers()), std::pair(0, 1));
}

TEST_F(MoxPexProductFlowViewerTest, TheCommandFrontsAViewerOfTheSameLevelAndRetargetsItElse) {
  ViewerLine line;
  KivInteraction::OpenDocument(line.document.get());
  ASSERT_TRUE(OpenViewer(line.root));
  MoxPexProductFlowViewer* viewer = CurrentViewer();
  // A PERT chart that comes after the viewer in the window list is not seen.
  OpenPertChart(line.s2);
  ASSERT_NE(Layout()->GetCurrentWindow(), viewer);
  ASSERT_TRUE(OpenViewer(line.root));
  EXPECT_EQ(CountViewers(), 1);
  EXPECT_EQ(Layout()->GetCurrentWindow(), viewer);
  EXPECT_TRUE(KivInteraction::Messages().empty());

  ASSERT_TRUE(OpenViewer(line.s2));
  EXPECT_EQ(CountViewers(), 1);
  EXPECT_TRUE(viewer->GetRootNode() == line.s2);  // what a re-targeted window draws: above
}

TEST_F(MoxPexProductFlowViewerTest, APertChartFirstInTheListRefusesTheCommand) {
  ViewerLine line;
  KivInteraction::OpenDocument(line.document.get());
  OpenPertChart(line.root);
  ASSERT_TRUE(OpenViewer(line.s2));
  const std::vector<KivLoggedMessage> messages = KivInteraction::Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].dialogName + "|" + messages[0].title.ConvertToUTF8() + "|" +
                messages[0].text.ConvertToUTF8(),
            "Unexpected|Error|Please Close the PERT Chart and Try.");
  EXPECT_EQ(messages[0].style & KivDlgNfyError, KivDlgNfyError);
  EXPECT_EQ(std::pair(KivCommandStarter::RunningCount(), CountViewers()), std::pair(0, 0));
}

TEST_F(MoxPexProductFlowViewerTest, WindowsOfOtherEditorsAreIgnored) {
  ViewerLine other;
  ViewerLine line;
  KivInteraction::OpenDocument(other.document.get());
  ASSERT_TRUE(OpenViewer(other.root));
  MoxPexProductFlowViewer* otherViewer = CurrentViewer();
  OpenPertChart(other.root);
  KivInteraction::OpenDocument(line.document.get());
  // The other document's viewer is not re-targeted and its chart does not refuse.
  ASSERT_TRUE(OpenViewer(line.s2));
  EXPECT_TRUE(KivInteraction::Messages().empty());
  EXPECT_EQ(CountViewers(), 2);
  EXPECT_TRUE(otherViewer->GetRootNode() == other.root);
  EXPECT_TRUE(CurrentViewer()->GetRootNode() == line.s2);
}

// A new window places only the nodes not placed yet among the stored ones,
// and keeps a level wholly placed as it is (a level with nothing placed laid
// out whole is checked by the example sessions). The places themselves are
// the organiser's.
TEST_F(MoxPexProductFlowViewerTest, ANewWindowPlacesOnlyWhatIsNotPlacedYet) {
  const Place stored[] = {{312.5, 12.5}, {337.5, 12.5}, {362.5, 12.5},
                          {387.5, 12.5}, {412.5, 12.5}, {437.5, 12.5}};
  const struct {
    int placed;  // how many of Start, S1, S2, S3, Stop, S4 have a stored place
    Place start, s4, stop;
  } cases[] = {{5, stored[0], {62.5, 62.5}, stored[4]}, {6, stored[0], stored[5], stored[4]}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.placed);
    ViewerLine line;
    const KivBaseUnknown_var nodes[] = {line.start, line.s1, line.s2, line.s3, line.stop, line.s4};
    for (int i = 0; i < c.placed; ++i) PlaceAt(nodes[i], stored[i].x, stored[i].y);
    KivInteraction::OpenDocument(line.document.get());
    ASSERT_TRUE(OpenViewer(line.root));
    EXPECT_EQ(std::vector({PlaceOf(line.start), PlaceOf(line.s4), PlaceOf(line.stop)}),
              std::vector({c.start, c.s4, c.stop}));
    for (int i = 1; i < c.placed; ++i) EXPECT_EQ(PlaceOf(nodes[i]), stored[i]);
    KivApplicationFrame::Shutdown();
  }
}

// Root "Cell": Start -> G1 -> G2 -> G3 -> S4 -> Stop, where the groupings
// G1 (A, B), G2 (C, D) and G3 (E) are super nodes.
struct SuperLine {
  KivVar<KivProcessDocument> document = KivProcessDocument::Create();
  KivLineBuilder line{document.get(),
                      {"Cell > G1:Grouping G2:Grouping G3:Grouping S4", "G1 > A B", "G2 > C D",
                       "G3 > E", "Start -> G1 -> G2 -> G3 -> S4 -> Stop", "A -> B", "C -> D"}};
  KivBaseUnknown_var root = line["Cell"], g1 = line["G1"], g2 = line["G2"], g3 = line["G3"],
                     s4 = line["S4"], a = line["A"], d = line["D"], e = line["E"];
};

int StateOf(const KivBaseUnknown_var& node) {
  int state = -1;
  MoxIPertNodeExt_var(node.get())->GetSuperNodeState(state, 1);
  return state;
}

Place AnchorOf(const KivBaseUnknown_var& node) { return PlaceOf(node, 0); }

// The re-arrange command lays out the current viewer's level with every
// expanded super node collapsed, then expands the same super nodes again.
TEST_F(MoxPexProductFlowViewerTest, RearrangingLaysOutWithSuperNodesCollapsedAndExpandsThemAgain) {
  SuperLine line;
  KivInteraction::OpenDocument(line.document.get());
  ASSERT_TRUE(OpenViewer(line.root));
  MoxPertController* controller = CurrentViewer()->GetPertController();
  auto traverser = KivMake<MoxPertNodeTraverser>(controller);
  for (const auto& group : {line.g1, line.g2}) {
    ASSERT_EQ(traverser->ShowChildrenNodes(group), S_OK);
    ASSERT_EQ(traverser->ChangePertNodeShape(MoxIPertNodeExt::kExpanded), S_OK);
  }
  const Place g0 = AnchorOf(line.g1), a0 = AnchorOf(line.a);
  // Scatter the level, then re-arrange.
  for (const auto& node : {line.g1, line.g2, line.g3, line.s4}) PlaceAt(node, 600, 600);
  ASSERT_TRUE(KivInteraction::StartCommand("MoxPexNodeOrganizeCmd"));
  EXPECT_EQ(KivCommandStarter::RunningCount(), 0);
  // Laid out as plain boxes: levels 1 to 4 in one row, Stop on 5 (canvas
  // 250, dx 50).
  EXPECT_EQ(
      std::vector({AnchorOf(line.g1), AnchorOf(line.g2), AnchorOf(line.g3), AnchorOf(line.s4)}),
      std::vector<Place>({{62.5, 137.5}, {112.5, 137.5}, {162.5, 137.5}, {212.5, 137.5}}));
  // The super nodes that were expanded are expanded again, with their
  // children drawn; the one that was collapsed stays collapsed.
  EXPECT_EQ(std::vector({StateOf(line.g1), StateOf(line.g2), StateOf(line.g3)}),
            std::vector<int>({MoxIPertNodeExt::kExpanded, MoxIPertNodeExt::kExpanded,
                              MoxIPertNodeExt::kCollapsed}));
  EXPECT_TRUE(controller->IsNodeDrawn(line.a) && controller->IsNodeDrawn(line.d));
  EXPECT_FALSE(controller->IsNodeDrawn(line.e));
  // Child A kept its offset from G1's anchor.
  const Place g1 = AnchorOf(line.g1), a = AnchorOf(line.a);
  EXPECT_EQ((Place{a.x - g1.x, a.y - g1.y}), (Place{a0.x - g0.x, a0.y - g0.y}));

  // With another window current it does nothing.
  PlaceAt(line.s4, 600, 600);
  OpenPertChart(line.root);
  ASSERT_TRUE(KivInteraction::StartCommand("MoxPexNodeOrganizeCmd"));
  EXPECT_EQ(PlaceOf(line.s4), (Place{600, 600}));
}

}  // namespace
