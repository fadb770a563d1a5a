#include <gtest/gtest.h>

#include "KivEnvironment.h"
#include "KivPathSearch.h"
#include "KivTestSupport.h"

class PathSearchTest : public ::testing::Test {
 protected:
  std::string Find(const std::string& name, const std::string& list) {
    return KivFindPath(KivString(name), KivString(list)).str();
  }
  std::string Image(const char* name) { return KivGetImagePathName(KivString(name)).str(); }
  TempFolder tmp_;
};

TEST_F(PathSearchTest, FirstFolderThatHoldsTheFileWinsSkippingWhatCannotHoldIt) {
  tmp_.Write("a/other.xml", "");
  const std::string inB = tmp_.Write("b/cfg.xml", "b");
  const std::string inC = tmp_.Write("c/cfg.xml", "c");
  EXPECT_EQ(Find("cfg.xml", tmp_.Sub("a") + ":" + tmp_.Sub("b") + ":" + tmp_.Sub("c")), inB);
  EXPECT_EQ(Find("cfg.xml", tmp_.Sub("c") + ":" + tmp_.Sub("b")), inC);
  // Missing folders, empty entries and a folder called cfg.xml are skipped.
  tmp_.Write("d/cfg.xml/inner", "");
  EXPECT_EQ(Find("cfg.xml",
                 "::" + tmp_.Sub("missing") + ";;" + tmp_.Sub("d") + ":" + tmp_.Sub("b") + "/:"),
            inB);
  // An empty or unset list finds nothing, not even in the current folder.
  EXPECT_EQ(Find("CMakeLists.txt", ""), "");
  EXPECT_EQ(Find("CMakeLists.txt", ":;:"), "");
  EXPECT_EQ(Find("", tmp_.Path()), "");
  EXPECT_TRUE(KivFindPath("x", KivString(static_cast<const char*>(nullptr))).IsEmpty());
}

TEST_F(PathSearchTest, NameWithASlashIsAPathOfItsOwn) {
  const std::string file = tmp_.Write("deep/cfg.xml", "");
  tmp_.Write("list/deep/cfg.xml", "");
  EXPECT_EQ(Find(file, tmp_.Sub("list")), file);
  // Never combined with the folders, so "../" cannot climb out of them.
  EXPECT_EQ(Find("deep/cfg.xml", tmp_.Sub("list")), "");
  EXPECT_EQ(Find(tmp_.Sub("nothing.xml"), ""), "");
}

TEST_F(PathSearchTest, ImagesAreSearchedInTheImagePathElseTheStartupPathAndItsIconsFolders) {
  ScopedEnv noImagePath("KivImagePath", nullptr);
  const std::string icon = tmp_.Write("res/icons/I_Green.bmp", "BM");
  tmp_.Write("res2/I_Green.bmp", "BM");
  const std::string red = tmp_.Write("res2/I_Red.bmp", "BM");
  ScopedEnv startup("KivStartupPath", (tmp_.Sub("res") + ":" + tmp_.Sub("res2")).c_str());
  // res comes first; within it the icons folder holds the file.
  EXPECT_EQ(Image("I_Green.bmp"), icon);
  EXPECT_EQ(KivGetImagePathName(KivUnicodeString("I_Green.bmp")).str(), icon);
  // A file directly in a folder comes before that folder's icons folder.
  const std::string direct = tmp_.Write("res/I_Green.bmp", "BM");
  EXPECT_EQ(Image("I_Green.bmp"), direct);
  // A set image path replaces the startup path; an empty one does not.
  const std::string blue = tmp_.Write("images/I_Blue.bmp", "BM");
  {
    ScopedEnv images("KivImagePath", tmp_.Sub("images").c_str());
    EXPECT_EQ(Image("I_Blue.bmp"), blue);
    EXPECT_EQ(Image("I_Red.bmp"), "");
  }
  ScopedEnv emptyImages("KivImagePath", "");
  EXPECT_EQ(Image("I_Red.bmp"), red);
}

TEST_F(PathSearchTest, ImagesRefuseNamesThatAreNotPlainFileNames) {
  tmp_.Write("res/icons/secret.bmp", "BM");
  ScopedEnv startup("KivStartupPath", tmp_.Sub("res/icons/sub").c_str());
  ScopedEnv noImagePath("KivImagePath", nullptr);
  for (const std::string& name : {std::string("../secret.bmp"), tmp_.Sub("res/icons/secret.bmp"),
                                 std::string(".bmp"), std::string()})
    EXPECT_EQ(Image(name.c_str()), "") << name;
}

TEST(EnvironmentTest, UnsetEmptyAndNamelessVariablesAreToldApart) {
  KivString value("stale");
  {
    ScopedEnv unset("KivTstVar", nullptr);
    EXPECT_EQ(KivGetEnv("KivTstVar"), nullptr);
    EXPECT_EQ(KivGetEnvValue("KivTstVar", value), E_FAIL);
    EXPECT_TRUE(value.IsEmpty());
  }
  ScopedEnv empty("KivTstVar", "");
  ASSERT_NE(KivGetEnv("KivTstVar"), nullptr);
  value = KivString("stale");
  EXPECT_EQ(KivGetEnvValue("KivTstVar", value), S_OK);
  EXPECT_TRUE(value.IsEmpty());
  // A null or empty name is never found.
  EXPECT_EQ(KivGetEnv(nullptr), nullptr);
  EXPECT_EQ(KivGetEnv(""), nullptr);
  EXPECT_EQ(KivGetEnvValue(nullptr, value), E_FAIL);
}
