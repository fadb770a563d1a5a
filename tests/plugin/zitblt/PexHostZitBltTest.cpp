// `view` on the bundled example: the nodes and their status buttons listed
// as JSON and drawn; and the buttons driven by session scripts.
#include <string>

#include "../PexHostRunner.h"

using PexHostZitBltTest = PexHostFolderTest;

TEST_F(PexHostZitBltTest, ViewDrawsTheLevelAndListsItsNodesButtonsAndOpenLists) {
  const PexHostRunResult r = RunPexHost("view " + kExample +
                                            " --json -o view.svg --open \"UB010 Floor "
                                            "framing:ProductInput\" --open A2:Resources",
                                        folder_.string());
  ASSERT_EQ(r.status, 0) << r.out;
  // "UB010 Floor framing" is drawn at (62.5, 337.5) with a 16 x 8 box; each
  // button gives the centre of its 4-unit icon beside the box. Start and
  // Stop nodes have no buttons.
  for (const char* part : {
           R"({"window":"underbody_line.xml/Underbody line","level":"Underbody line","nodes":[)",
           R"("name":"Rear floor cell","type":"BIWActivityGrouping","x":62.5,)",
           R"("superNode":"collapsed","buttons":[)",
           R"({"name":"ProductOutput","location":"rightmiddle","shown":true,"open":false,"greyed":false,"x":72.5,"y":337.5})",
           R"({"name":"ProductInput","location":"lefttop","shown":true,"open":false,"greyed":true,"x":52.5,"y":214.5})",
           R"("type":"Start","x":12.5,"y":212.5,"width":16,"height":8,"superNode":"none","buttons":[])",
           R"("open":true,"greyed":false,"x":52.5,"y":339.5,"first":1,"range":5,"rows":[{"id":"P3","name":"Front floor panel","state":"normal","colour":249,"show":"SHOW","visible":true},)",
           R"("rows":[{"id":"R10","name":"Fixture UB010","state":"normal","colour":249,"visible":true}])",
       })
    EXPECT_TRUE(Shows(r.out, part));
  // The picture: node labels (names are broken onto two lines at a blank),
  // the title, the legend (node colours by type, then the buttons' icons by
  // name and a greyed icon), full names as tooltips and cycle times beside
  // the type.
  const std::string picture = ReadFile(folder_ / "view.svg");
  EXPECT_EQ(picture.rfind("<?xml", 0), 0u) << picture.substr(0, 200);
  for (const char* part :
       {"<image", ">Rear floor cell<", ">UB010 Floor<", "<text class=\"title\"",
        ">underbody_line.xml \u2014 Underbody line</text>", "<polygon class=\"legend\"",
        ">Station</text>", ">Start, Stop</text>", "<use class=\"legend\"", ">greyed: empty list</text>",
        "<title>Rear floor cell</title>", "Station \u00b7 CT ", "Grouping \u00b7 CT "})
    EXPECT_TRUE(Shows(picture, part));
  EXPECT_TRUE(Shows(RunPexHost("view " + kExample + " --open A2").out,
                    "\"A2\" is not NODE:BUTTON"));
}

// A click at a listed point, and a second click closing the list, are
// checked with the command line.
TEST_F(PexHostZitBltTest, ScriptsClickShowAndHideButtons) {
  const PexHostRunResult r = RunUnderbodyScript(
      "zitblt A2 ProductOutput click\n"
      "expect button A2 ProductOutput open\n"
      "zitblt A2 ProductOutput hide\n"
      "expect button A2 ProductOutput hidden\n"
      "zitblt \"UB010 Floor framing\" ProductOutput show\n"
      "expect button A2 ProductOutput shown\n"
      "expect button A2 ProductOutput coloured\n"
      "expect button A10 Resources greyed\n"
      "drag 52.5 337.5 52.5 340.5 3\n");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_TRUE(Shows(r.out, "dragged ActivManip"));
}

// The list steps themselves run in examples/underbody_lists.pexs.
TEST_F(PexHostZitBltTest, ButtonAndListStepsSayWhatIsWrong) {
  for (const auto& [step, message] : {
           std::pair{"zitblt A2 ProductOutput blink\n",
                     "session.pexs:3: zitblt: \"blink\" is not show, hide or click"},
           {"expect button A2 ProductOutput open\n", "is closed, not open"},
           {"expect button A10 Resources coloured\n", "is greyed, not coloured"},
           {"scroll A2 ProductInput 2\n", "the list is closed"},
           {"list A2 Resources open\nscroll A2 Resources 2\n", "the list has no scroll bar"},
           {"list A2 Resources open\nrow A2 Resources 2 select\n", "the list has 1 rows, no row 2"},
           {"expect row A2 Resources 1 Robot\n", "row 1 is \"Fixture UB010\", not \"Robot\""},
           {"list A2 Resources open\nrow A2 Resources 1 paint\n",
            "\"paint\" is not select, hide or show"},
       }) {
    const PexHostRunResult r = RunUnderbodyScript(step);
    EXPECT_EQ(r.status, 1) << step;
    EXPECT_TRUE(Shows(r.out, message)) << step;
  }
}
