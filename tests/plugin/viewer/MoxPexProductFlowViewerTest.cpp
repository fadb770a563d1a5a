// The product flow viewer window: its title and how it is cut to fit, what it
// draws, re-targeting to another level, and its PERT window interface.
#include <memory>

#include "KivFatalError.h"
#include "KivISO.h"
#include "KivPertInteraction.h"
#include "MoxIPertWindow.h"
#include "MoxPertController.h"
#include "MoxPertViewer.h"
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
  const std::string acute = "\xCC\x81";  // an e + acute at 9-10 and 19-20
  const std::string accented = "abcdefghie" + acute + "lmnopqrse" + acute + "uvwxyz012";
  const struct {
    std::string title;
    int width;
    std::string fitted;
  } cases[] = {
      {abc, 300, abc},
      {abc, 1000, abc},
      {abc, 200, "abcdefghij...uvwxyz0123"},
      {abc, 299, "abcdefghijklmn...qrstuvwxyz0123"},
      {abc, 19, "..."},
      {abc, 0, "..."},
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

class MoxPexProductFlowViewerTest : public ViewerFixture {};

TEST_F(MoxPexProductFlowViewerTest, TitleNamesTheFileAndTheNodePath) {
  ViewerLine line;
  MoxPexProductFlowViewer* viewer = OpenViewerIn(line, line.s2);
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->GetFullTitle().ConvertToUTF8(), "underbody.process/Line/S2");
  // No width yet: the viewer's 800 pixels hold the whole title.
  EXPECT_EQ(viewer->GetTitle().ConvertToUTF8(), "underbody.process/Line/S2");
  EXPECT_EQ(viewer->GetName(), "S2Product Flow Viewer");
  viewer->Resize(0, 0, 200, 300);
  EXPECT_EQ(viewer->GetTitle().ConvertToUTF8(), "underbody....ss/Line/S2");
  viewer->Resize(0, 0, 1000, 300);
  EXPECT_EQ(viewer->GetTitle().ConvertToUTF8(), "underbody.process/Line/S2");
}

TEST_F(MoxPexProductFlowViewerTest, DrawsALevelAnswersAsAPertWindowAndIsRetargeted) {
  ViewerLine line;
  MoxPexProductFlowViewer* viewer = OpenViewerIn(line, line.root);
  ASSERT_NE(viewer, nullptr);
  MoxIPertWindow_var pertWindow(viewer);
  ASSERT_TRUE(pertWindow);
  MoxPertController* controller = pertWindow->GetPertController();
  ASSERT_NE(controller, nullptr);
  EXPECT_EQ(controller, viewer->GetPertController());
  EXPECT_EQ(pertWindow->GetPertViewer(), viewer->GetPertViewer());
  KivBaseUnknown_var level;
  pertWindow->GetPertLevel(level);
  EXPECT_TRUE(level == line.root);
  // Start, S1..S4, Stop; S2 is collapsed, so Load and Weld are not drawn.
  EXPECT_EQ(controller->GetDrawnNodes().Size(), 6);
  EXPECT_FALSE(controller->IsNodeDrawn(line.load));
  EXPECT_EQ(controller->LinkCount(), 4);
  EXPECT_TRUE(viewer->HasNodeCallback());

  // Re-targeted: the nodes, callbacks and title are replaced.
  KivBaseUnknown_var s2 = line.s2;
  pertWindow->SetPertLevel(s2, nullptr, 0);
  controller = viewer->GetPertController();
  EXPECT_FALSE(controller->IsNodeDrawn(line.s1));
  EXPECT_TRUE(controller->IsNodeDrawn(line.load));
  EXPECT_TRUE(controller->IsNodeDrawn(line.weld));
  EXPECT_EQ(controller->GetDrawnNodes().Size(), 4);  // Start, Load, Weld, Stop
  EXPECT_TRUE(viewer->GetRootNode() == line.s2);
  EXPECT_TRUE(viewer->HasNodeCallback());
  EXPECT_EQ(viewer->GetTitle().ConvertToUTF8(), "underbody.process/Line/S2");
  // A node left out is not drawn.
  KivBaseUnknown_var root = line.root;
  pertWindow->SetPertLevel(root, KivIdentity(line.s4.get()), 0);
  EXPECT_FALSE(controller->IsNodeDrawn(line.s4));
  EXPECT_TRUE(controller->IsNodeDrawn(line.s3));
}

TEST_F(MoxPexProductFlowViewerTest, ALevelWithoutActivitiesShowsOnlyItsStartAndStop) {
  ViewerLine line;
  MoxPexProductFlowViewer* viewer = OpenViewerIn(line, line.s4);
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->GetPertController()->GetDrawnNodes().Size(), 2);
}

TEST_F(MoxPexProductFlowViewerTest, DeletingTheWindowReleasesItsViewerAndController) {
  ViewerLine line;
  MoxPexProductFlowViewer* viewer = OpenViewerIn(line, line.root);
  ASSERT_NE(viewer, nullptr);
  KivISO* iso = KivInteraction::GetCurrentEditor()->GetISO();
  KivVar<MoxPertViewer> pertViewer(viewer->GetPertViewer());
  EXPECT_TRUE(iso->HasViewer(pertViewer.get()));
  viewer->DeleteWindow();
  KivDelayedDestruction::Flush();
  EXPECT_EQ(CountViewers(), 0);
  EXPECT_FALSE(iso->HasViewer(pertViewer.get()));
}

TEST_F(MoxPexProductFlowViewerTest, ItsContextMenuReframesTheLevel) {
  ViewerLine line;
  MoxPexProductFlowViewer* viewer = OpenViewerIn(line, line.root);
  ASSERT_NE(viewer, nullptr);
  ASSERT_TRUE(KivPertInteraction::OpenContextMenu(viewer->GetPertViewer(), -500, -500));
  const std::vector<KivString> items = KivPertInteraction::GetMenuItemNames();
  ASSERT_EQ(items.size(), 1u);  // the optional host commands do not exist here
  EXPECT_EQ(items[0], "Reframe");
  EXPECT_TRUE(KivPertInteraction::ChooseMenuItem("Reframe"));
  EXPECT_EQ(KivPertInteraction::GetOpenContextMenu(), nullptr);
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

}  // namespace
