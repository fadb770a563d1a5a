// Session scripts as a person runs them, with their error reporting; what
// `view` draws and lists is checked with the status buttons and pictures.
#include <filesystem>
#include <fstream>
#include <string>

#include "../PexHostRunner.h"

namespace {

using PexHostScriptTest = PexHostFolderTest;

TEST_F(PexHostScriptTest, ASessionOpensViewsRearrangesRendersAndSaves) {
  const PexHostRunResult r = RunScript("# a whole session\nopen " + kExample +
                                       "\nview\n"
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
  EXPECT_TRUE(Shows(r.out, "session.pexs: all 12 steps succeeded"));
  EXPECT_EQ(ReadFile(folder_ / "level.png").substr(1, 3), "PNG");
  EXPECT_TRUE(Shows(ReadFile(folder_ / "saved.xml"), "<ProcessDocument"));
}

// A failing step names its line and what is wrong, and no later step runs;
// a script that cannot be read runs no step at all.
TEST_F(PexHostScriptTest, AFailureNamesTheLineAndStopsTheScript) {
  const std::string opened = "open " + kExample + "\nview\n";
  const struct {
    std::string script;
    int status, line;
    const char* says;
  } cases[] = {
      {"open " + kExample + "\n\n# comment\nfrobnicate now\nview\n", 1, 4,
       "frobnicate: unknown verb"},
      {opened + "move \"Rear floor cell\" far 10\nview\n", 1, 3, "move: \"far\" is not a number"},
      {"open\nview\n", 1, 1, "open: expects FILE, got 0 arguments"},
      {"open " + kExample + "\nview \"Rear floor cell\" extra\nview\n", 1, 2,
       "view: expects [ACTIVITY], got 2 arguments"},
      {"open " + kExample + "\nview \"Rear floor cell\n", 2, 2, "a quoted word is not closed"},
      {opened + "expect position A1/Start 0 0\nview\n", 1, 3,
       "expect: \"A1/Start\" is at (12.5, 212.5), not (0, 0)"},
      {opened + "expect level Elsewhere\nview\n", 1, 3,
       "expect: the current level is \"Underbody line\", not \"Elsewhere\""},
      {opened + "expect colour blue\nview\n", 1, 3, "expect: unknown expectation \"colour\""},
  };
  for (const auto& c : cases) {
    const PexHostRunResult r = RunScript(c.script);
    EXPECT_EQ(r.status, c.status) << c.script << r.out;
    EXPECT_TRUE(Shows(r.out, ":" + std::to_string(c.line) + ": " + c.says)) << c.script;
    const int ran = c.status == 2 ? 1 : c.line + 1;
    EXPECT_FALSE(Shows(r.out, ":" + std::to_string(ran) + ":")) << "a step ran: " << c.script;
  }
}

TEST_F(PexHostScriptTest, AFailedStepNeverOverwritesADocument) {
  Write("kept.xml", "precious");
  const PexHostRunResult r = RunScript("open " + kExample + "\nexpect nodes 1\nsave kept.xml\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(Shows(r.out, ":2: expect: the current window shows no PERT level"));
  EXPECT_EQ(ReadFile(folder_ / "kept.xml"), "precious");
}

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
