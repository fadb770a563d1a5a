// pexhost's main job as a person runs it: `view` on the bundled example, and
// session scripts with their error reporting.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "../PexHostRunner.h"

namespace {


class PexHostScriptTest : public PexHostFolderTest {
 protected:
  // Writes the script into the test's folder and runs it.
  PexHostRunResult RunScript(const std::string& text) {
    const std::filesystem::path script = folder_ / "session.pexs";
    std::ofstream(script) << text;
    return RunPexHost("run " + script.string(), folder_.string());
  }
  std::string ScriptPath() const { return (folder_ / "session.pexs").string(); }
};

TEST(PexHostViewTest, DrawsTheExampleRootLevelAndListsItsNodesAsJson) {
  const std::filesystem::path svg = std::filesystem::temp_directory_path() /
                                    ("pexhost-view-" + std::to_string(::getpid()) + ".svg");
  const PexHostRunResult r = RunPexHost("view " + kExample + " -o " + svg.string() + " --json");
  ASSERT_EQ(r.status, 0) << r.out;
  const std::string picture = ReadFile(svg);
  std::filesystem::remove(svg);
  EXPECT_EQ(picture.rfind("<?xml", 0), 0u) << picture.substr(0, 200);
  EXPECT_NE(picture.find("<svg"), std::string::npos);
  // Node labels are drawn (names are broken onto two lines at a blank).
  EXPECT_NE(picture.find(">Rear floor cell<"), std::string::npos);
  EXPECT_NE(picture.find(">UB010 Floor<"), std::string::npos);
  // The JSON: the window, its level and every node with name, type and place.
  EXPECT_NE(r.out.find("{\"window\":\"underbody_line.xml/Underbody line\",\"level\":\"Underbody "
                       "line\",\"nodes\":["),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("{\"id\":\"A1/Start\",\"name\":\"Start\",\"type\":\"Start\",\"x\":12.5,"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\"name\":\"Rear floor cell\",\"type\":\"BIWActivityGrouping\",\"x\":62.5,"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\"superNode\":\"collapsed\",\"buttons\":["), std::string::npos) << r.out;
}

TEST(PexHostViewTest, OpensTheNamedActivitysLevelAndNamesWhatIsWrong) {
  const PexHostRunResult level = RunPexHost("view " + kExample + " --activity \"Rear floor cell\"");
  EXPECT_EQ(level.status, 0) << level.out;
  EXPECT_EQ(level.out, "Opened \"underbody_line.xml/Underbody line/Rear floor cell\"\n");

  const PexHostRunResult unknown = RunPexHost("view " + kExample + " --activity Nowhere");
  EXPECT_EQ(unknown.status, 1);
  EXPECT_NE(unknown.out.find("pexhost view: view Nowhere: "), std::string::npos) << unknown.out;
  EXPECT_NE(unknown.out.find("Nowhere"), std::string::npos);

  const PexHostRunResult missing = RunPexHost("view /no/such/file.xml");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.out.find("pexhost view: open /no/such/file.xml: "), std::string::npos)
      << missing.out;

  const PexHostRunResult usage = RunPexHost("view " + kExample + " --activity");
  EXPECT_EQ(usage.status, 2);
  EXPECT_NE(usage.out.find("--activity needs a value"), std::string::npos) << usage.out;
  EXPECT_EQ(RunPexHost("view").status, 2);
  EXPECT_EQ(RunPexHost("view " + kExample + " --colour red").status, 2);
}

TEST(PexHostViewTest, APictureThatCannotBeWrittenFailsAndNamesThePath) {
  const PexHostRunResult r = RunPexHost("view " + kExample + " -o /no/such/folder/level.svg");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("pexhost view: render: cannot write /no/such/folder/level.svg"),
            std::string::npos)
      << r.out;
}

TEST_F(PexHostScriptTest, ASessionOpensViewsRearrangesRendersAndSaves) {
  const PexHostRunResult r = RunScript(
      "# a whole session\n"
      "open " +
      kExample +
      "\n"
      "view\n"
      "expect title \"underbody_line.xml/Underbody line\"\n"
      "expect nodes 12\n"
      "move \"Rear floor cell\" 400 400\n"
      "expect position \"Rear floor cell\" 412.5 412.5\n"
      "arrange\n"
      "expect position \"Rear floor cell\" 62.5 212.5\n"
      "view \"Rear floor cell\"\n"
      "expect level \"Rear floor cell\"\n"
      "render level.png\n"
      "save saved.xml\n");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find(ScriptPath() + ": all 12 steps succeeded"), std::string::npos) << r.out;
  EXPECT_EQ(ReadFile(folder_ / "level.png").substr(1, 3), "PNG");
  EXPECT_NE(ReadFile(folder_ / "saved.xml").find("<ProcessDocument"), std::string::npos);
}

TEST_F(PexHostScriptTest, AnUnknownVerbStopsTheScriptAtItsLine) {
  const PexHostRunResult r =
      RunScript("open " + kExample + "\n\n# comment\nfrobnicate now\nview\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find(ScriptPath() + ":4: frobnicate: unknown verb"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find(":5:"), std::string::npos) << "a step after the failure ran\n" << r.out;
}

TEST_F(PexHostScriptTest, BadArgumentsNameTheLineAndTheArgument) {
  PexHostRunResult r = RunScript("open " + kExample + "\nview\nmove \"Rear floor cell\" far 10\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find(":3: move: \"far\" is not a number"), std::string::npos) << r.out;
  r = RunScript("open\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find(":1: open: expects FILE, got 0 arguments"), std::string::npos) << r.out;
  r = RunScript("open " + kExample + "\nview \"Rear floor cell\" extra\n");
  EXPECT_NE(r.out.find(":2: view: expects [ACTIVITY], got 2 arguments"), std::string::npos)
      << r.out;
  r = RunScript("open " + kExample + "\nview \"Rear floor cell\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find(":2: a quoted word is not closed"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find(":1:"), std::string::npos) << "nothing runs from an unreadable script";
}

TEST_F(PexHostScriptTest, AFailingExpectationSaysWhatWasFound) {
  PexHostRunResult r = RunScript("open " + kExample + "\nview\nexpect position A1/Start 0 0\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find(":3: expect: \"A1/Start\" is at (12.5, 212.5), not (0, 0)"),
            std::string::npos)
      << r.out;
  r = RunScript("open " + kExample + "\nview\nexpect level Elsewhere\n");
  EXPECT_NE(r.out.find(":3: expect: the current level is \"Underbody line\", not \"Elsewhere\""),
            std::string::npos)
      << r.out;
  r = RunScript("open " + kExample + "\nview\nexpect colour blue\n");
  EXPECT_NE(r.out.find(":3: expect: unknown expectation \"colour\""), std::string::npos) << r.out;
}

TEST_F(PexHostScriptTest, AFailedStepNeverOverwritesADocument) {
  const std::filesystem::path kept = folder_ / "kept.xml";
  std::ofstream(kept) << "precious";
  const PexHostRunResult r = RunScript("open " + kExample + "\nexpect nodes 1\nsave kept.xml\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find(":2: expect: the current window shows no PERT level"), std::string::npos)
      << r.out;
  EXPECT_EQ(ReadFile(kept), "precious");
}

}  // namespace

namespace {
TEST_F(PexHostScriptTest, EveryExampleScriptRunsThrough) {
  int scripts = 0;
  for (const auto& entry : std::filesystem::directory_iterator(KIV_SOURCE_DIR "/examples")) {
    if (entry.path().extension() != ".pexs") continue;
    ++scripts;
    const PexHostRunResult r = RunPexHost("run " + entry.path().string(), folder_.string());
    EXPECT_EQ(r.status, 0) << entry.path() << "\n" << r.out;
  }
  EXPECT_GE(scripts, 2);
  // What they write lands in the current folder, not beside the scripts.
  EXPECT_TRUE(std::filesystem::exists(folder_ / "underbody_root.svg"));
}
}  // namespace

namespace {
TEST(PexHostShellTest, TypedStepsRunOneByOneAndAFailureDoesNotEndTheSession) {
  const std::filesystem::path typed =
      std::filesystem::temp_directory_path() / ("pexhost-shell-" + std::to_string(::getpid()));
  std::ofstream(typed) << "view\nexpect level Elsewhere\nexpect nodes 12\nquit\nexpect nodes 0\n";
  const PexHostRunResult r = RunPexHost("shell " + kExample + " < " + typed.string());
  std::filesystem::remove(typed);
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_NE(r.out.find("shell:1: view ok"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("shell:2: expect: the current level is \"Underbody line\""),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("shell:3: expect ok"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("shell:5:"), std::string::npos) << "quit ends the session\n" << r.out;
  EXPECT_EQ(RunPexHost("shell").status, 2);
}
}  // namespace
