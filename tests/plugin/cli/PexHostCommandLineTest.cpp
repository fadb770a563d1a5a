// pexhost run as a program: the plug-in it loads and what that registered,
// the command line, the shell's help against the documented steps, standard
// input, and the messages that help a person find the right name or point.
#include <filesystem>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "../PexHostRunner.h"

namespace {

// The plug-in loaded from the host's library folder with no environment,
// and what it registered: each trace module once, its classes by name.
TEST(PexHostTest, ModulesListsWhatThePlugInRegisteredAndSetVariablesOverrideTheDefaults) {
  const PexHostRunResult r = RunPexHost("modules");
  EXPECT_EQ(r.status, 0) << r.out;
  for (const char* line : {
           "Startup path: " KIV_SOURCE_DIR "/resources\n",
           "/lib/libMoxPexViewers.so)\n",
           "  Trace modules (4):\n",
           "    MoxPexCtxMenuTrace: Traces for module MoxPexCtxMenuTrace [STDERR]\n",
           "    MoxPexViewerCmdsTrace: Traces for module MoxPexViewerCmdsTrace [STDERR]\n",
           "    MoxProductFlowViewerTrace: Traces for module MoxProductFlowViewer [STDERR]\n",
           "    MoxZitBltModelTrace: Traces for module MoxZitBltModel [STDERR]\n",
           "    MoxProcessGroupUtils: base class KivNull, framework MoxPexViewers\n",
           "    MoxProcessGroupUtils (no argument)\n",
       })
    EXPECT_TRUE(Shows(r.out, line));
  // Set variables override the defaults, and bad ones fail.
  const PexHostRunResult set =
      RunPexHost("modules", ".", "KivStartupPath=/somewhere/else KivModulePath=/no/modules");
  EXPECT_EQ(set.status, 1);
  EXPECT_TRUE(Shows(set.out, "Startup path: /somewhere/else\n"));
  EXPECT_TRUE(Shows(set.out, "pexhost: cannot load module MoxPexViewers: libMoxPexViewers.so not "
                             "found along \"/no/modules\""));
}

class PexHostCommandLineTest : public PexHostFolderTest {
 protected:
  // Runs pexhost in the test's folder with `input` on its standard input.
  PexHostRunResult RunWithInput(const std::string& arguments, const std::string& input) const {
    return RunPexHost(arguments + " < " + Write("typed.txt", input), folder_.string());
  }
};

TEST_F(PexHostCommandLineTest, UsageHelpAndVersionAnswerWithTheRightStatus) {
  struct Case {
    std::string args;
    int status;
    std::string says;
  } cases[] = {
      {"", 2, "Usage: pexhost VERB ARGUMENTS..."},
      {"--help", 0, "  pexhost levels DOCUMENT\n"},
      {"--version", 0, "pexhost 0.1.0\n"},
      {"help run", 0, "Usage: pexhost run SCRIPT|-\n"},
      {"help frobnicate", 2, "give one verb of these: view levels run shell serve modules"},
      {"frobnicate", 2, "pexhost: unknown verb \"frobnicate\""},
      {"modules ../evil", 1, "\"../evil\" is not a module name"},
      {"shell " + kExample + " -h", 0, "Usage: pexhost shell DOCUMENT\n"},
      {"levels --help", 0, "Usage: pexhost levels DOCUMENT\n"},
      {"levels", 2, "pexhost levels: give exactly one document"},
      {"view " + kExample + " -o - --json", 2, "both write to standard output"},
      {"view", 2, "pexhost view: which document?"},
      {"shell", 2, "pexhost shell: give exactly one document"},
      {"view " + kExample + " --activity", 2, "--activity needs a value"},
      {"view " + kExample + " --colour red", 2, "unknown option \"--colour\""},
      {"view /no/such/file.xml", 1, "pexhost view: open /no/such/file.xml: "},
      {"view " + kExample + " -o /no/such/folder/level.svg", 1,
       "pexhost view: render: cannot write /no/such/folder/level.svg"},
      {"view " + kExample + " --activity \"Rear floor cell\"", 0,
       "Opened \"underbody_line.xml/Underbody line/Rear floor cell\"\n"},
      // `--option=value` is `--option value`.
      {"view " + kExample + " --activity=Nowhere", 1,
       "pexhost view: view Nowhere: no object with identifier or name \"Nowhere\""},
  };
  for (const Case& c : cases) {
    const PexHostRunResult r = RunPexHost(c.args);
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.out;
    EXPECT_TRUE(Shows(r.out, c.says)) << c.args;
  }
}

TEST_F(PexHostCommandLineTest, LevelsListsTheActivityTreeWithIds) {
  const PexHostRunResult r = RunPexHost("levels " + kExample);
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out.rfind("A1 \"Underbody line\" BIWActivityRoot, level of ", 0), 0u) << r.out;
  EXPECT_TRUE(
      Shows(r.out,
            "\n  A10 \"Rear floor cell\" BIWActivityGrouping, level of 2 activities\n"
            "    A11 \"UB030 Rear floor framing\" BIWActivityStation, level of 4 activities\n"
            "      A12 \"UB030-10 Load rear floor panel and well\" BIWActivityLoading\n"));
  EXPECT_EQ(RunPexHost("levels /no/such.xml").status, 1);
}

// Every step and check the shell's help lists is documented in
// docs/scripting.md, and every documented one exists.
TEST_F(PexHostCommandLineTest, TheShellsHelpAndTheDocumentedStepsAgree) {
  const PexHostRunResult help = RunWithInput("shell " + kExample, "help\n");
  ASSERT_EQ(help.status, 0) << help.out;
  std::set<std::string> listed;
  std::istringstream lines(help.out);
  std::smatch m;
  for (std::string line; std::getline(lines, line);) {
    if (std::regex_search(line, m, std::regex("^  expect ([a-z-]+)")))
      listed.insert("expect " + m[1].str());
    else if (std::regex_search(line, m, std::regex("^  ([a-z-]+)")))
      listed.insert(m[1]);
  }
  // The documented ones: each backquoted step in the first cell of the tables.
  std::set<std::string> documented{"expect"};
  std::istringstream doc(ReadFile(KIV_SOURCE_DIR "/docs/scripting.md"));
  const std::regex step("`(expect )?([a-z-]+)");
  for (std::string line; std::getline(doc, line);) {
    if (line.rfind("| `", 0) != 0) continue;
    const std::string cell = line.substr(0, line.find(" | "));
    for (std::sregex_iterator i(cell.begin(), cell.end(), step), end; i != end; ++i)
      documented.insert((*i)[1].str() + (*i)[2].str());
  }
  EXPECT_EQ(listed, documented);
  EXPECT_GT(listed.size(), 30u);
}

TEST_F(PexHostCommandLineTest, MistakenNamesAreExplainedAndTheSessionGoesOnUntilQuit) {
  // A copy of the example where A9 takes the name of A3.
  std::string text = ReadFile(kExample);
  const std::string a9 = "UB020-30 Tunnel studs";
  text.replace(text.find(a9), a9.size(), "UB010-10 Load floor panel and tunnel");
  Write("twins.xml", text);
  const PexHostRunResult r = RunWithInput("shell twins.xml",
                                          "view\n"
                                          "zitblt A10 Nonsense show\n"
                                          "help nonsense\n"
                                          "view A3\n"
                                          "pick \"UB010-10 Load floor panel and tunnel\"\n"
                                          "expect nodes 0\nquit\nexpect nodes 5\n");
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_TRUE(std::regex_search(r.out, std::regex("shell:2: zitblt: the node has no button "
                                                  "\"Nonsense\" \\(its buttons: [A-Za-z]+, ")))
      << r.out;
  EXPECT_TRUE(Shows(r.out, "shell:3: help: no step or check \"nonsense\""));
  EXPECT_TRUE(Shows(r.out, "\"UB010-10 Load floor panel and tunnel\" has no child activities"));
  EXPECT_TRUE(Shows(r.out, "shell:5: pick: 2 objects are named \"UB010-10 Load floor panel and "
                           "tunnel\" (A3, A9); use an identifier"));
  // A failure does not end the session; quit does.
  EXPECT_TRUE(Shows(r.out, "shell:6: expect ok"));
  EXPECT_FALSE(Shows(r.out, "shell:8:"));
}

// A click at the point the JSON gives for a button hits that button, and
// says so; a second click closes its list again.
TEST_F(PexHostCommandLineTest, AClickAtAButtonsListedPointHitsThatButton) {
  const PexHostRunResult listing = RunPexHost("view " + kExample + " --json");
  ASSERT_EQ(listing.status, 0) << listing.out;
  const nlohmann::json json = nlohmann::json::parse(listing.out);
  std::string script = "open " + kExample + "\nview\n";
  int clicks = 0;
  for (const auto& node : json["nodes"])
    for (const auto& button : node["buttons"]) {
      if (!button["shown"].get<bool>() || !button.contains("x")) continue;
      const std::string at = " " + button["x"].dump() + " " + button["y"].dump() + "\n";
      const std::string named = std::string(node["id"]) + " " + std::string(button["name"]);
      script += "click" + at + "expect button " + named + " open\n";
      script += "click" + at + "expect button " + named + " closed\n";
      ++clicks;
    }
  ASSERT_GT(clicks, 10);
  const PexHostRunResult r = RunWithInput("run -", script);
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_TRUE(Shows(r.out, "stdin: all " + std::to_string(2 + 4 * clicks) + " steps succeeded\n"));
  EXPECT_TRUE(std::regex_search(
      r.out, std::regex("click ok \\(clicked at \\([^)]*\\): button \"[A-Za-z]+\" of A[0-9]+ "
                        "\"[^\"]+\", its list now open\\)")))
      << r.out;
}


TEST_F(PexHostCommandLineTest, SaveWithoutAFileSavesTheDocumentBack) {
  std::filesystem::copy_file(kExample, folder_ / "line.xml");
  const PexHostRunResult r =
      RunWithInput("shell line.xml", "view\nmove \"Rear floor cell\" 500 500\nsave\n");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_TRUE(Shows(r.out, "shell:3: save ok (saved line.xml)"));
  EXPECT_TRUE(Shows(ReadFile(folder_ / "line.xml"), "x=\"512.5\" y=\"512.5\""));
}
}  // namespace
