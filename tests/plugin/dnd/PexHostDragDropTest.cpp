// Dragging list rows in the host shell, as a user does in the viewer, and
// the hide/show dialog of the status buttons. The rules of a drop and the
// item options dialog are checked in process.
#include <string>

#include "../PexHostRunner.h"

namespace {
const std::string kCell = KIV_SOURCE_DIR "/examples/underbody_cell.xml";
const std::string kFF10 = "\"FF10 Floor framing\"";

class PexHostDragDropTest : public PexHostFolderTest {
 protected:
  PexHostRunResult Run(const std::string& steps) { return RunUnderbodyScript(steps, kCell); }
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
  ASSERT_EQ(RunPexHost("run " + Write("again.pexs", "open moved.xml\nsave again.xml\n"),
                       folder_.string())
                .status,
            0);
  const std::string moved = ReadFile(folder_ / "moved.xml");
  EXPECT_EQ(moved, ReadFile(folder_ / "again.xml"));
  const std::size_t ff30 = moved.find("name=\"FF30 Stud welding\"");
  ASSERT_NE(ff30, std::string::npos);
  EXPECT_LT(moved.find("<Input item=\"P3\"/>", ff30), moved.find("</Activity>", ff30));
}

TEST_F(PexHostDragDropTest, ARefusedDropChangesNothingAndOnlyTheDraggedListsRowsMove) {
  // Row 1 is the station's own input: it may not move.
  ASSERT_EQ(Run("save orig.xml\n").status, 0);
  PexHostRunResult r = Run(
      "list " + kFF10 + " ProductInput open\n"
      "dragrow " + kFF10 + " ProductInput 1 \"FF30 Stud welding\" hold\n"
      "expect cursor 5\n"
      "droprow\n"
      "expect rows " + kFF10 + " ProductInput 4\n"
      "save same.xml\n");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(ReadFile(folder_ / "same.xml"), ReadFile(folder_ / "orig.xml"));
  // A row picked in another list stays where it is.
  r = Run(
      "list " + kFF10 + " ProductOutput open\n"
      "list " + kFF10 + " Resources open\n"
      "pickrow " + kFF10 + " ProductOutput 1\n"
      "dragrow " + kFF10 + " Resources 2 \"FF20 Floor respot\"\n"
      "expect rows " + kFF10 + " ProductOutput 1\n"
      "expect rows " + kFF10 + " Resources 1\n"
      "list \"FF20 Floor respot\" Resources open\n"
      "expect row \"FF20 Floor respot\" Resources 2 \"Robot FF10-R01\"\n");
  ASSERT_EQ(r.status, 0) << r.out;
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
  r =
      Run("pick \"Front floor cell\"\nstart MoxPexCtxZitBltCmd\nexpect message \"No ZitBlts "
          "Present\"\n");
  EXPECT_EQ(r.status, 0) << r.out;
}
}  // namespace
