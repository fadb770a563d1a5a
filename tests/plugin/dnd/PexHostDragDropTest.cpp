// Dragging list rows in the host shell and the hide/show dialog of the
// status buttons. A whole drag session (a marked input moved, a refused drop,
// a robot and an output moved, buttons hidden) runs as an example script; the
// rules of a drop and the item options dialog are checked in process.
#include <string>

#include "../PexHostRunner.h"

namespace {
const std::string kCell = KIV_SOURCE_DIR "/examples/underbody_cell.xml";
const std::string kFF10 = "\"FF10 Floor framing\"";

class PexHostDragDropTest : public PexHostFolderTest {
 protected:
  PexHostRunResult Run(const std::string& steps) { return RunUnderbodyScript(steps, kCell); }
};

// A row picked in another list stays where it is when the picked rows of
// this list are dragged (the robot's arrival at FF20 is checked by the
// example session).
TEST_F(PexHostDragDropTest, OnlyTheDraggedListsRowsMove) {
  const PexHostRunResult r = Run(
      "list " + kFF10 + " ProductOutput open\n"
      "list " + kFF10 + " Resources open\n"
      "pickrow " + kFF10 + " ProductOutput 1\n"
      "pickrow " + kFF10 + " Resources 2\n"
      "dragrow " + kFF10 + " Resources 2 \"FF20 Floor respot\"\n"
      "expect rows " + kFF10 + " ProductOutput 1\n"
      "expect rows " + kFF10 + " Resources 1\n");
  ASSERT_EQ(r.status, 0) << r.out;
}

// (All hiding every button, and the dialog's first states, are checked by
// the example session.)
TEST_F(PexHostDragDropTest, TheDialogTicksAllWhenEveryButtonIsShownOrSaysThereAreNone) {
  const std::string ff05 = "\"FF05 Load heel board\"";
  PexHostRunResult r = Run(
      "pick " + ff05 + "\n"
      "start MoxPexCtxZitBltCmd\n"
      "check MoxPexZitBltHideShowDlg All off\n"
      "check MoxPexZitBltHideShowDlg Resources on\n"
      "expect checked MoxPexZitBltHideShowDlg All off\n"
      "check MoxPexZitBltHideShowDlg ProductInput on\n"
      "expect checked MoxPexZitBltHideShowDlg All on\n"
      "close MoxPexZitBltHideShowDlg\n");
  EXPECT_EQ(r.status, 0) << r.out;
  r =
      Run("pick \"Front floor cell\"\nstart MoxPexCtxZitBltCmd\nexpect message \"No ZitBlts "
          "Present\"\n");
  EXPECT_EQ(r.status, 0) << r.out;
}
}  // namespace
