// Inputs the host shell refuses at once, with a message that says why.
#include <sys/stat.h>

#include <string>

#include "PexHostRunner.h"

namespace fs = std::filesystem;

using PexInputSafetyTest = PexHostFolderTest;

// Which kinds of file are refused is the safe reader's concern, checked in
// process; a pipe without a writer would block the shell for good.
TEST_F(PexInputSafetyTest, AScriptThatIsNotARegularFileIsRefusedAtOnce) {
  const std::string fifo = (folder_ / "pipe.pexs").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const PexHostRunResult r = RunPexHost("run " + fifo, folder_.string());
  EXPECT_EQ(r.status, 2) << r.out;
  EXPECT_TRUE(
      Shows(r.out, "pexhost: cannot read script " + fifo + ": cannot open the file: it is a pipe"));
}

TEST_F(PexInputSafetyTest, AMoveBeyondWhatADocumentCanHoldIsRefused) {
  const PexHostRunResult r = RunUnderbodyScript("move \"UB080 Sill joining\" 2e9 0\n");
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_TRUE(Shows(r.out, ":3: move: move node UB080 Sill joining to (2e+09, 0): beyond the "
                           "positions a document can hold"));
}

TEST_F(PexInputSafetyTest, SavingKeepsALinkAndAFailedRenderSaysWhy) {
  const std::string target = Write("target.xml", "old");
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  fs::create_symlink("target.xml", folder_ / "link.xml");
  const PexHostRunResult r = RunUnderbodyScript("save link.xml\nrender no/such/folder/level.svg\n");
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_TRUE(fs::is_symlink(folder_ / "link.xml"));
  EXPECT_TRUE(Shows(ReadFile(target), "<ProcessDocument"));
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_TRUE(Shows(r.out, "cannot write no/such/folder/level.svg: cannot create a temporary file "
                           "beside it: No such file or directory"));
  EXPECT_FALSE(Shows(r.out, ".tmp-"));
}

TEST_F(PexInputSafetyTest, StatusButtonConfigurationMistakesAreWarnedWithFileAndLine) {
  const std::string config = Write("zitbltcfg.xml",
                                   "<Buttons>\n"
                                   "  <ActivityZitBlt ActivityType=\"BIWActivityStation\">\n"
                                   "    <ZitBlt Name=\"A\" Location=\"\"/>\n"
                                   "    <ZitBlt Name=\"B\" Location=\"middle\"/>\n"
                                   "    <ZitBlt Name=\"A\" Location=\"lefttop\"/>\n"
                                   "  </ActivityZitBlt>\n"
                                   "</Buttons>\n");
  const PexHostRunResult r =
      RunPexHost("view " + kExample, folder_.string(),
                 "KivStartupPath=" + folder_.string() + ":" KIV_SOURCE_DIR "/resources");
  for (const std::string warning : {
           ":1: warning: the root element is <Buttons>, not <ZitBltConfiguration>",
           ":3: warning: ZitBlt \"A\" has no Location",
           ":4: warning: ZitBlt \"B\": unknown Location \"middle\"",
           ":5: warning: ZitBlt \"A\" is named twice for activity type \"BIWActivityStation\" "
           "(first on line 3)",
       })
    EXPECT_TRUE(Shows(r.out, config + warning));
}
