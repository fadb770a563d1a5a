// The status buttons in the host shell: listed by `view --json`, drawn in the
// picture, and driven by session scripts.
#include <filesystem>
#include <fstream>
#include <string>

#include "../PexHostRunner.h"

namespace {
using PexHostZitBltTest = PexHostFolderTest;
}  // namespace

TEST_F(PexHostZitBltTest, ViewListsEachStationsButtonsAroundItsNode) {
  const PexHostRunResult r = RunPexHost(
      "view " KIV_SOURCE_DIR "/examples/underbody_line.xml --json -o view.svg", folder_.string());
  ASSERT_EQ(r.status, 0) << r.out;
  // "UB010 Floor framing" is drawn at (62.5, 337.5) with a 16 x 8 box; each
  // button gives the centre of its 4-unit icon beside the box.
  for (
      const char* button : {
          R"({"name":"ProductInput","location":"lefttop","shown":true,"open":false,"x":52.5,"y":339.5})",
          R"({"name":"ProductOutput","location":"rightmiddle","shown":true,"open":false,"x":72.5,"y":337.5})",
          R"({"name":"Resources","location":"bottommiddle","shown":true,"open":false,"x":62.5,"y":331.5})",
          R"({"name":"BIWStationStatusBars","location":"topleft","shown":true,"open":false,"x":56.5,"y":343.5})",
      })
    EXPECT_NE(r.out.find(button), std::string::npos) << button << "\n" << r.out;
  // Start and Stop nodes have no buttons.
  EXPECT_NE(
      r.out.find(
          R"("type":"Start","x":12.5,"y":212.5,"width":16,"height":8,"superNode":"none","buttons":[])"),
      std::string::npos);
  std::ifstream svg(folder_ / "view.svg");
  const std::string picture((std::istreambuf_iterator<char>(svg)),
                            std::istreambuf_iterator<char>());
  EXPECT_NE(picture.find("<image"), std::string::npos);
}

TEST_F(PexHostZitBltTest, ScriptsClickShowAndHideButtons) {
  const PexHostRunResult r = RunUnderbodyScript(
      "expect button A2 ProductOutput closed\n"
      "click 72.5 337.5\n"  // on the output icon, right of the node
      "expect button A2 ProductOutput open\n"
      "zitblt A2 ProductOutput click\n"
      "expect button A2 ProductOutput closed\n"
      "zitblt A2 ProductOutput hide\n"
      "expect button A2 ProductOutput hidden\n"
      "zitblt \"UB010 Floor framing\" ProductOutput show\n"
      "expect button A2 ProductOutput shown\n"
      "drag 52.5 337.5 52.5 340.5 3\n");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("dragged ActivManip"), std::string::npos) << r.out;
}

TEST_F(PexHostZitBltTest, ScriptStepsNameAMissingButtonAndABadAction) {
  PexHostRunResult r = RunUnderbodyScript("zitblt A2 Nothing hide\n");
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.out.find("session.pexs:3"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("no button \"Nothing\""), std::string::npos) << r.out;
  r = RunUnderbodyScript("zitblt A2 ProductOutput blink\n");
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.out.find("not show, hide or click"), std::string::npos) << r.out;
  r = RunUnderbodyScript("expect button A2 ProductOutput open\n");
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.out.find("is closed, not open"), std::string::npos) << r.out;
}

TEST_F(PexHostZitBltTest, ViewListsTheRowsOfTheListsItOpens) {
  const PexHostRunResult r =
      RunPexHost("view " KIV_SOURCE_DIR
                 "/examples/underbody_line.xml --open \"UB010 Floor framing:ProductInput\" "
                 "--open A2:Resources --json",
                 folder_.string());
  ASSERT_EQ(r.status, 0) << r.out;
  for (
      const char* row : {
          R"("open":true,"x":52.5,"y":339.5,"first":1,"range":5,"rows":[{"id":"P3","name":"Front floor panel","state":"normal","colour":249,"show":"SHOW","visible":true},)",
          R"("rows":[{"id":"R10","name":"Fixture UB010","state":"normal","colour":249,"visible":true}])",
      })
    EXPECT_NE(r.out.find(row), std::string::npos) << row << "\n" << r.out;
  EXPECT_NE(RunPexHost("view " KIV_SOURCE_DIR "/examples/underbody_line.xml --open A2")
                .out.find("\"A2\" is not NODE:BUTTON"),
            std::string::npos);
}

// The steps themselves run in examples/underbody_lists.pexs.
TEST_F(PexHostZitBltTest, ListStepsSayWhatIsWrong) {
  for (const auto& [step, message] : {
           std::pair{"scroll A2 ProductInput 2\n", "the list is closed"},
           {"list A2 Resources open\nscroll A2 Resources 2\n", "the list has no scroll bar"},
           {"list A2 Resources open\nrow A2 Resources 2 select\n", "the list has 1 rows, no row 2"},
           {"expect row A2 Resources 1 Robot\n", "row 1 is \"Fixture UB010\", not \"Robot\""},
           {"list A2 Resources open\nrow A2 Resources 1 paint\n",
            "\"paint\" is not select, hide or show"},
       }) {
    const PexHostRunResult r = RunUnderbodyScript(step);
    EXPECT_EQ(r.status, 1) << step;
    EXPECT_NE(r.out.find(message), std::string::npos) << step << r.out;
  }
}
