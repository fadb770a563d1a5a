#include <gtest/gtest.h>

#include <sstream>

#include "KivSettingRepository.h"
#include "KivTestSupport.h"

class SettingRepositoryTest : public ::testing::Test {
 protected:
  ~SettingRepositoryTest() override { KivSettingRepository::ForgetAll(); }
  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // Drops what is in memory so the next GetRepository reads the file.
  static KivSettingRepository* Reopen(const char* name) {
    KivSettingRepository::ForgetAll();
    return KivSettingRepository::GetRepository(name);
  }
  // The value of the key, or "none" (with what was left in the value) when it has none.
  static std::string Read(KivSettingRepository* repo, const std::string& key) {
    KivString value("stale");
    return repo->ReadSetting(KivString(key), value) == S_OK ? value.str() : "none" + value.str();
  }
  TempFolder tmp_;
  ScopedEnv folder_{"KivUserSettingsPath", tmp_.Sub("settings").c_str()};
};

TEST_F(SettingRepositoryTest, MissingRepositoryIsEmptyBadNamesGiveNoneAndSavedSettingsAreReadBack) {
  KivSettingRepository* repo = KivSettingRepository::GetRepository("MoxPFViewerSettings");
  ASSERT_NE(repo, nullptr);
  EXPECT_EQ(repo->GetFilePath().str(), tmp_.Sub("settings") + "/MoxPFViewerSettings.kivsettings");
  EXPECT_EQ(Read(repo, "XMLFileForStatusbar"), "none");
  EXPECT_FALSE(std::filesystem::exists(repo->GetFilePath().str()));
  EXPECT_EQ(KivSettingRepository::GetRepository("MoxPFViewerSettings"), repo);
  for (const char* bad : {"", "../escape", ".."})
    EXPECT_EQ(KivSettingRepository::GetRepository(bad), nullptr) << bad;

  // What is saved is read back by the next session.
  ASSERT_EQ(repo->WriteSetting("XMLFileForStatusbar", "/opt/cfg/StatusBar.xml"), S_OK);
  ASSERT_EQ(repo->WriteSetting("Other", "1"), S_OK);
  ASSERT_EQ(repo->WriteSetting("Other", "2"), S_OK);
  EXPECT_EQ(repo->WriteSetting("", "lost"), E_INVALIDARG);
  ASSERT_EQ(repo->Save(), S_OK);

  KivSettingRepository* again = Reopen("MoxPFViewerSettings");
  EXPECT_EQ(Read(again, "XMLFileForStatusbar"), "/opt/cfg/StatusBar.xml");
  EXPECT_EQ(Read(again, "Other"), "2");
  EXPECT_EQ(again->Keys().size(), 2u);
  EXPECT_EQ(again->RemoveSetting("Other"), S_OK);
  EXPECT_EQ(again->RemoveSetting("Other"), S_FALSE);
  ASSERT_EQ(again->Save(), S_OK);
  EXPECT_EQ(Read(Reopen("MoxPFViewerSettings"), "Other"), "none");
}

TEST_F(SettingRepositoryTest, OddKeysAndValuesSurviveASaveUnchanged) {
  const std::vector<std::pair<std::string, std::string>> odd = {
      {"empty", ""},
      {"blanks", "  leading and trailing  "},
      {"lines", "one\ntwo\r\nthree\\n"},
      {"a=b", "x=y==z"},
      {"#notacomment", "#value"},
      {"back\\slash", "C:\\temp\\"},
      {"utf8",
       "Gr\xC3\xBC\xC3\x9F"
       "e"},
  };
  KivSettingRepository* repo = KivSettingRepository::GetRepository("Odd");
  for (const auto& [k, v] : odd) ASSERT_EQ(repo->WriteSetting(KivString(k), KivString(v)), S_OK);
  ASSERT_EQ(repo->Save(), S_OK);

  KivSettingRepository* again = Reopen("Odd");
  for (const auto& [k, v] : odd) EXPECT_EQ(Read(again, k), v) << k;
  EXPECT_EQ(again->Keys().size(), odd.size());
}

TEST_F(SettingRepositoryTest, LinesItCannotReadAreKeptThroughASave) {
  const std::string kept =
      "# written by hand\n\nbroken line without equals\nbad\\qescape=1\nKept=old\n";
  const std::string path = tmp_.Write("settings/Hand.kivsettings", kept + "Kept=in force\n");
  KivSettingRepository* repo = KivSettingRepository::GetRepository("Hand");
  EXPECT_EQ(Read(repo, "Kept"), "in force");
  EXPECT_EQ(Read(repo, "broken line without equals"), "none");

  ASSERT_EQ(repo->WriteSetting("Kept", "new"), S_OK);
  ASSERT_EQ(repo->WriteSetting("Added", "yes"), S_OK);
  ASSERT_EQ(repo->Save(), S_OK);
  EXPECT_EQ(ReadFile(path), kept + "Kept=new\nAdded=yes\n");
}

TEST_F(SettingRepositoryTest, FailedSaveKeepsTheOldFileAndNoFolderMeansNoSave) {
  // A name so long that no temporary file can be made beside it.
  const std::string name(240, 'L');
  const std::string path = tmp_.Write("settings/" + name + ".kivsettings", "k=old\n");
  KivSettingRepository* repo = KivSettingRepository::GetRepository(name);
  ASSERT_EQ(repo->WriteSetting("k", "new"), S_OK);
  EXPECT_EQ(repo->Save(), E_FAIL);
  EXPECT_EQ(ReadFile(path), "k=old\n");

  ScopedEnv unsetFolder("KivUserSettingsPath", nullptr);
  {
    ScopedEnv home("HOME", tmp_.Sub("home").c_str());
    EXPECT_EQ(KivSettingRepository::UserSettingsFolder().str(),
              tmp_.Sub("home") + "/.config/pexhost");
  }
  ScopedEnv noHome("HOME", nullptr);
  KivSettingRepository* nowhere = KivSettingRepository::GetRepository("Nowhere");
  ASSERT_NE(nowhere, nullptr);
  EXPECT_EQ(nowhere->WriteSetting("k", "v"), S_OK);
  EXPECT_EQ(nowhere->Save(), E_FAIL);
}
