// Dragging list rows in the host shell, as a user does in the viewer, and
// the hide/show dialog of the status buttons.
#include <filesystem>
#include <fstream>
#include <string>

#include "../PexHostRunner.h"

namespace {
const std::string kFF10 = "\"FF10 Floor framing\"";

class PexHostDragDropTest : public PexHostFolderTest {
 protected:
  PexHostRunResult Run(const std::string& steps) {
    std::ofstream(folder_ / "session.pexs")
        << "open " KIV_SOURCE_DIR "/examples/underbody_cell.xml\nview\n"
        << steps;
    return RunPexHost("run session.pexs", folder_.string());
  }
  std::string Read(const char* file) {
    std::ifstream in(folder_ / file);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
};

TEST_F(PexHostDragDropTest, AMarkedInputMovesAndTheDocumentKeepsIt) {
  const PexHostRunResult r = Run(
      "list " + kFF10 + " ProductInput open\n"
      "expect rows " + kFF10 + " ProductInput 4\n"
      "dragrow " + kFF10 + " ProductInput 2 \"FF30 Stud welding\" hold\n"
      "expect cursor 8\n"
      "droprow\n"
      "expect cursor 0\n"
      "expect rows " + kFF10 + " ProductInput 3\n"
      "list \"FF30 Stud welding\" ProductInput open\n"
      "expect row \"FF30 Stud welding\" ProductInput 2 \"Tunnel reinforcement\" marked\n"
      "save moved.xml\n");
  ASSERT_EQ(r.status, 0) << r.out;
  std::ofstream(folder_ / "again.pexs") << "open moved.xml\nsave again.xml\n";
  ASSERT_EQ(RunPexHost("run again.pexs", folder_.string()).status, 0);
  const std::string moved = Read("moved.xml");
  EXPECT_EQ(moved, Read("again.xml"));
  const std::size_t ff30 = moved.find("name=\"FF30 Stud welding\"");
  ASSERT_NE(ff30, std::string::npos);
  EXPECT_LT(moved.find("<Input item=\"P3\"/>", ff30), moved.find("</Activity>", ff30));
}

// What a browser page sends: a press on the row's label, pointer motions,
// the release over the target node.
TEST_F(PexHostDragDropTest, APlainDragOfARowMovesIt) {
  const PexHostRunResult r = Run(
      "list " + kFF10 + " ProductInput open\n"
      "drag 85 170.35 212.5 162.5\n"
      "expect rows " + kFF10 + " ProductInput 3\n"
      "list \"FF30 Stud welding\" ProductInput open\n"
      "expect row \"FF30 Stud welding\" ProductInput 2 \"Tunnel reinforcement\" marked\n");
  ASSERT_EQ(r.status, 0) << r.out;
}

TEST_F(PexHostDragDropTest, RefusedDropsChangeNothingAndPutTheRowsBack) {
  // Row 1 is the station's own input; row 2 may move, but not onto the
  // station itself, a joining process, the Start node or empty space.
  const struct {
    std::string row, target;
  } drops[] = {{"1", "\"FF30 Stud welding\""}, {"2", kFF10},
               {"2", "\"FF40 Respot spot welds\""}, {"2", "A1/Start"}, {"2", "500 500"}};
  std::ofstream(folder_ / "orig.pexs")
      << "open " KIV_SOURCE_DIR "/examples/underbody_cell.xml\nview\nsave orig.xml\n";
  ASSERT_EQ(RunPexHost("run orig.pexs", folder_.string()).status, 0);
  for (const auto& drop : drops) {
    SCOPED_TRACE(drop.row + " onto " + drop.target);
    const PexHostRunResult r = Run(
        "list " + kFF10 + " ProductInput open\n"
        "dragrow " + kFF10 + " ProductInput " + drop.row + " " + drop.target + " hold\n"
        "expect cursor 5\n"
        "droprow\n"
        "expect rows " + kFF10 + " ProductInput 4\n"
        "expect row " + kFF10 + " ProductInput 2 \"Tunnel reinforcement\" visible\n"
        "save same.xml\n");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(Read("same.xml"), Read("orig.xml"));
  }
}

TEST_F(PexHostDragDropTest, OnlyTheDraggedListsRowsMove) {
  const PexHostRunResult r = Run(
      "list " + kFF10 + " ProductOutput open\n"
      "list " + kFF10 + " Resources open\n"
      "pickrow " + kFF10 + " ProductOutput 1\n"
      "dragrow " + kFF10 + " Resources 2 \"FF20 Floor respot\"\n"
      "expect rows " + kFF10 + " ProductOutput 1\n"
      "expect rows " + kFF10 + " Resources 1\n"
      "list \"FF20 Floor respot\" Resources open\n"
      "expect rows \"FF20 Floor respot\" Resources 2\n"
      "expect row \"FF20 Floor respot\" Resources 2 \"Robot FF10-R01\"\n");
  ASSERT_EQ(r.status, 0) << r.out;
}

TEST_F(PexHostDragDropTest, AnOutputReplacesTheOneTheUserChooses) {
  for (const std::string answer : {"cancel MoxPexBIWDDOptionsDlg", "ok MoxPexBIWDDOptionsDlg"}) {
    SCOPED_TRACE(answer);
    const bool ok = answer.rfind("ok", 0) == 0;
    const PexHostRunResult r = Run(
        "list " + kFF10 + " ProductOutput open\n"
        "dragrow " + kFF10 + " ProductOutput 1 \"FF30 Stud welding\"\n"
        "select MoxPexBIWDDOptionsDlg ItemSelectorList \"Front floor with studs\"\n" + answer +
        "\nlist \"FF30 Stud welding\" ProductOutput open\n"
        "expect row \"FF30 Stud welding\" ProductOutput 1 " +
        (ok ? "\"Front floor assembly\"" : "\"Front floor with studs\"") +
        "\nexpect rows " + kFF10 + " ProductOutput " + (ok ? "0" : "1") + "\n");
    ASSERT_EQ(r.status, 0) << r.out;
  }
}

TEST_F(PexHostDragDropTest, TheDialogHidesAndShowsButtonsOrSaysThereAreNone) {
  const std::string ff05 = "\"FF05 Load heel board\"";
  PexHostRunResult r = Run(
      "pick " + ff05 + "\n"
      "start MoxPexCtxZitBltCmd\n"
      "expect checked MoxPexZitBltHideShowDlg All on\n"
      "check MoxPexZitBltHideShowDlg All off\n"
      "expect checked MoxPexZitBltHideShowDlg ProductInput off\n"
      "expect button " + ff05 + " ProductInput hidden\n"
      "expect button " + ff05 + " Resources hidden\n"
      "check MoxPexZitBltHideShowDlg Resources on\n"
      "expect button " + ff05 + " Resources shown\n"
      "expect checked MoxPexZitBltHideShowDlg All off\n"
      "check MoxPexZitBltHideShowDlg ProductInput on\n"
      "expect checked MoxPexZitBltHideShowDlg All on\n"
      "close MoxPexZitBltHideShowDlg\n"
      "expect button " + ff05 + " ProductInput shown\n");
  EXPECT_EQ(r.status, 0) << r.out;
  r = Run("pick \"Front floor cell\"\nstart MoxPexCtxZitBltCmd\nexpect message \"No ZitBlts Present\"\n");
  EXPECT_EQ(r.status, 0) << r.out;
}
}  // namespace
