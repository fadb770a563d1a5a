#include <gtest/gtest.h>

#include "KivPathSearch.h"
#include "KivTestSupport.h"

class PathSearchTest : public ::testing::Test {
 protected:
  TempFolder tmp_;
};

TEST_F(PathSearchTest, FirstFolderThatHoldsTheFileWins) {
  tmp_.Write("a/other.xml", "");
  const std::string inB = tmp_.Write("b/cfg.xml", "b");
  tmp_.Write("c/cfg.xml", "c");
  const std::string list = tmp_.Sub("a") + ":" + tmp_.Sub("b") + ":" + tmp_.Sub("c");
  EXPECT_EQ(KivFindPath("cfg.xml", KivString(list)).str(), inB);
  const std::string reversed = tmp_.Sub("c") + ":" + tmp_.Sub("b");
  EXPECT_EQ(KivFindPath("cfg.xml", KivString(reversed)).str(), tmp_.Sub("c") + "/cfg.xml");
}

TEST_F(PathSearchTest, SkipsMissingFoldersEmptyEntriesAndFoldersNamedLikeTheFile) {
  tmp_.Write("a/cfg.xml/inner", "");  // a folder called cfg.xml is not the file
  tmp_.Write("b/cfg.xml", "");
  const std::string list =
      "::" + tmp_.Sub("missing") + ";;" + tmp_.Sub("a") + ":" + tmp_.Sub("b") + "/:";
  EXPECT_EQ(KivFindPath("cfg.xml", KivString(list)).str(), tmp_.Sub("b") + "/cfg.xml");
}

TEST_F(PathSearchTest, EmptyOrUnsetListFindsNothingEvenInTheCurrentFolder) {
  EXPECT_TRUE(KivFindPath("CMakeLists.txt", KivString()).IsEmpty());
  EXPECT_TRUE(KivFindPath("CMakeLists.txt", KivString(":;:")).IsEmpty());
  EXPECT_TRUE(KivFindPath("", KivString(tmp_.Path())).IsEmpty());
  EXPECT_TRUE(KivFindPath("x", KivString(static_cast<const char*>(nullptr))).IsEmpty());
}

TEST_F(PathSearchTest, NameWithASlashIsAPathOfItsOwn) {
  const std::string file = tmp_.Write("deep/cfg.xml", "");
  tmp_.Write("list/deep/cfg.xml", "");
  EXPECT_EQ(KivFindPath(KivString(file), KivString(tmp_.Sub("list"))).str(), file);
  // Never combined with the folders, so "../" cannot climb out of them.
  EXPECT_TRUE(KivFindPath("deep/cfg.xml", KivString(tmp_.Sub("list"))).IsEmpty());
  EXPECT_TRUE(KivFindPath(KivString(tmp_.Sub("nothing.xml")), KivString()).IsEmpty());
}

class ImagePathTest : public PathSearchTest {};

TEST_F(ImagePathTest, SearchesTheStartupPathAndItsIconsFolders) {
  ScopedEnv noImagePath("KivImagePath", nullptr);
  const std::string icon = tmp_.Write("res/icons/I_Green.bmp", "BM");
  tmp_.Write("res2/I_Green.bmp", "BM");
  ScopedEnv startup("KivStartupPath", (tmp_.Sub("res") + ":" + tmp_.Sub("res2")).c_str());
  // res comes first; within it the icons folder holds the file.
  EXPECT_EQ(KivGetImagePathName(KivString("I_Green.bmp")).str(), icon);
  EXPECT_EQ(KivGetImagePathName(KivUnicodeString("I_Green.bmp")).str(), icon);
  // A file directly in a folder comes before that folder's icons folder.
  const std::string direct = tmp_.Write("res/I_Green.bmp", "BM");
  EXPECT_EQ(KivGetImagePathName(KivString("I_Green.bmp")).str(), direct);
}

TEST_F(ImagePathTest, ImagePathReplacesTheStartupPathWhenSetAndNotEmpty) {
  tmp_.Write("startup/I_Red.bmp", "BM");
  const std::string img = tmp_.Write("images/I_Blue.bmp", "BM");
  ScopedEnv startup("KivStartupPath", tmp_.Sub("startup").c_str());
  {
    ScopedEnv images("KivImagePath", tmp_.Sub("images").c_str());
    EXPECT_EQ(KivGetImagePathName(KivString("I_Blue.bmp")).str(), img);
    EXPECT_TRUE(KivGetImagePathName(KivString("I_Red.bmp")).IsEmpty());
  }
  ScopedEnv emptyImages("KivImagePath", "");
  EXPECT_EQ(KivGetImagePathName(KivString("I_Red.bmp")).str(), tmp_.Sub("startup") + "/I_Red.bmp");
}

TEST_F(ImagePathTest, RefusesNamesThatAreNotPlainFileNames) {
  tmp_.Write("res/icons/secret.bmp", "BM");
  ScopedEnv startup("KivStartupPath", tmp_.Sub("res/icons/sub").c_str());
  ScopedEnv noImagePath("KivImagePath", nullptr);
  EXPECT_TRUE(KivGetImagePathName(KivString("../secret.bmp")).IsEmpty());
  EXPECT_TRUE(KivGetImagePathName(KivString(tmp_.Sub("res/icons/secret.bmp"))).IsEmpty());
  EXPECT_TRUE(KivGetImagePathName(KivString(".bmp")).IsEmpty());
  EXPECT_TRUE(KivGetImagePathName(KivString("")).IsEmpty());
}
