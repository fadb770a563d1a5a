// The viewer command: opening, fronting, re-targeting and refusing against
// the layout's window list, and the layout of a new window by what was
// already placed.
#include "KivApplicationFrame.h"
#include "KivDlgNotify.h"
#include "MoxPFVNodeOrganiser.h"
#include "MoxPertController.h"
#include "MoxPexPertChartWindow.h"
#include "MoxPexProductFlowViewerCmd.h"
#include "MoxPexViewerTestSupport.h"

namespace {

class MoxPexProductFlowViewerCmdTest : public ViewerFixture {
 protected:
  // The host's own chart window on the level of `activity` in the current editor.
  static void OpenPertChart(const KivBaseUnknown_var& activity) {
    new MoxPexPertChartWindow("PERT", KivInteraction::GetCurrentEditor(), activity);
  }
  static void ExpectRefusal(const std::vector<KivLoggedMessage>& messages) {
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].dialogName, "Unexpected");
    EXPECT_EQ(messages[0].text.ConvertToUTF8(), "Please Close the PERT Chart and Try.");
    EXPECT_EQ(messages[0].title.ConvertToUTF8(), "Error");
    EXPECT_EQ(messages[0].style & KivDlgNfyError, KivDlgNfyError);
  }
};

TEST_F(MoxPexProductFlowViewerCmdTest, IsRegisteredByClassNameAndEndsAfterOnePick) {
  ViewerLine line;
  KivInteraction::OpenDocument(line.document.get());
  ASSERT_TRUE(KivInteraction::StartCommand("MoxPexProductFlowViewerCmd"));
  KivStateCommand* command = KivCommandStarter::GetActiveStateCommand();
  ASSERT_NE(command, nullptr);
  EXPECT_TRUE(command->IsAKindOf("MoxPexProductFlowViewerCmd"));
  EXPECT_EQ(command->GetCurrentState()->GetName(), "SelectActivity");
  ASSERT_TRUE(KivInteraction::Pick(line.s2.get()));
  EXPECT_EQ(KivCommandStarter::RunningCount(), 0);
  EXPECT_EQ(CountViewers(), 1);
}

TEST_F(MoxPexProductFlowViewerCmdTest, RefusesPicksThatAreNotActivities) {
  ViewerLine line;
  KivVar<KivIProduct> product = line.document->CreateProduct(nullptr, "Floor", "p1");
  KivInteraction::OpenDocument(line.document.get());
  ASSERT_TRUE(KivInteraction::StartCommand("MoxPexProductFlowViewerCmd"));
  EXPECT_FALSE(KivInteraction::Pick(product.get()));
  EXPECT_FALSE(KivInteraction::Pick(line.start.get()));  // a Start node is no activity
  EXPECT_EQ(KivCommandStarter::RunningCount(), 1);
  EXPECT_EQ(CountViewers(), 0);
  KivInteraction::CancelCommands();
}

TEST_F(MoxPexProductFlowViewerCmdTest, ASecondStartOnTheSameLevelOnlyFrontsTheWindow) {
  ViewerLine line;
  KivInteraction::OpenDocument(line.document.get());
  ASSERT_TRUE(OpenViewer(line.root));
  MoxPexProductFlowViewer* first = CurrentViewer();
  // A PERT chart that comes after the viewer in the window list is not seen.
  OpenPertChart(line.s2);
  ASSERT_NE(Layout()->GetCurrentWindow(), first);
  ASSERT_TRUE(OpenViewer(line.root));
  EXPECT_EQ(CountViewers(), 1);
  EXPECT_EQ(Layout()->GetCurrentWindow(), first);
  EXPECT_TRUE(KivInteraction::Messages().empty());
}

TEST_F(MoxPexProductFlowViewerCmdTest, AnotherLevelRetargetsTheOpenViewer) {
  ViewerLine line;
  KivInteraction::OpenDocument(line.document.get());
  ASSERT_TRUE(OpenViewer(line.root));
  MoxPexProductFlowViewer* viewer = CurrentViewer();
  ASSERT_TRUE(OpenViewer(line.s2));
  EXPECT_EQ(CountViewers(), 1);
  EXPECT_TRUE(viewer->GetRootNode() == line.s2);
  EXPECT_TRUE(viewer->GetPertController()->IsNodeDrawn(line.weld));
  EXPECT_EQ(viewer->GetTitle().ConvertToUTF8(), "underbody.process/Line/S2");
}

TEST_F(MoxPexProductFlowViewerCmdTest, APertChartFirstInTheListRefusesEvenWithAViewerOpen) {
  ViewerLine line;
  KivInteraction::OpenDocument(line.document.get());
  OpenPertChart(line.root);
  ASSERT_TRUE(OpenViewer(line.s2));
  ExpectRefusal(KivInteraction::Messages());
  EXPECT_EQ(CountViewers(), 0);
  EXPECT_EQ(KivCommandStarter::RunningCount(), 0);
}

TEST_F(MoxPexProductFlowViewerCmdTest, WindowsOfOtherEditorsAreIgnored) {
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

// A new window lays out its level whole when nothing is placed, places only
// the nodes not placed yet among the stored ones, and keeps a level wholly
// placed as it is. The places themselves are the organiser's.
TEST_F(MoxPexProductFlowViewerCmdTest, ANewWindowPlacesOnlyWhatIsNotPlacedYet) {
  const Place stored[] = {{312.5, 12.5}, {337.5, 12.5}, {362.5, 12.5},
                          {387.5, 12.5}, {412.5, 12.5}, {437.5, 12.5}};
  const struct {
    int placed;  // how many of Start, S1, S2, S3, Stop, S4 have a stored place
    Place start, s4, stop;
  } cases[] = {{0, {12.5, 162.5}, {12.5, 62.5}, {212.5, 112.5}},
               {5, stored[0], {62.5, 62.5}, stored[4]},
               {6, stored[0], stored[5], stored[4]}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.placed);
    ViewerLine line;
    const KivBaseUnknown_var nodes[] = {line.start, line.s1, line.s2, line.s3, line.stop, line.s4};
    for (int i = 0; i < c.placed; ++i) PlaceAt(nodes[i], stored[i].x, stored[i].y);
    KivInteraction::OpenDocument(line.document.get());
    ASSERT_TRUE(OpenViewer(line.root));
    EXPECT_EQ(PlaceOf(line.start), c.start);
    EXPECT_EQ(PlaceOf(line.s4), c.s4);
    EXPECT_EQ(PlaceOf(line.stop), c.stop);
    for (int i = 1; i < c.placed; ++i) EXPECT_EQ(PlaceOf(nodes[i]), stored[i]);
    KivApplicationFrame::Shutdown();
  }
}

}  // namespace
