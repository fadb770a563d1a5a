// What the host reads from its surroundings: message catalogues, files found
// along search paths, environment variables and saved settings.
#include <gtest/gtest.h>

#include "KivEnvironment.h"
#include "KivMsgCatalog.h"
#include "KivPathSearch.h"
#include "KivSettingRepository.h"
#include "KivTestSupport.h"

class MsgCatalogTest : public ::testing::Test {
 protected:
  MsgCatalogTest() {
    tmp_.Write("first/MoxPexPertGrpActCmd.kivmsg",
               "# group command messages\n"
               "title = Fehler\n"
               "\n"
               "NotOneLevel=  Activities /P1 and /P2 are not on one level.  \n"
               "Escapes = line one\\nline two\\t\\\\ /P3 /P12\n"
               "Twice = old\n"
               "Twice = new\n"
               "no equals sign here\n"
               "Umlaut = Gr\xC3\xBC\xC3\x9F"
               "e /P1\n");
    tmp_.Write("second/MoxPexPertGrpActCmd.kivmsg", "title = Shadowed\nOnlyHere = second\n");
  }
  std::string Build(const char* key, const char* defaultText,
                    const std::vector<KivUnicodeString>& parameters = {}) {
    return KivMsgCatalog::BuildMessage("MoxPexPertGrpActCmd", key, defaultText, parameters)
        .ConvertToUTF8();
  }
  TempFolder tmp_;
  ScopedEnv startup_{
      "KivStartupPath",
      (tmp_.Sub("missing") + ":" + tmp_.Sub("first") + ":" + tmp_.Sub("second")).c_str()};
};

TEST_F(MsgCatalogTest, TextOfTheKeyFromTheFirstCatalogueWithItsParametersElseTheDefault) {
  EXPECT_EQ(Build("title", "Error"), "Fehler");
  // Keys are not looked up in a later catalogue of the same name.
  EXPECT_EQ(Build("OnlyHere", "dflt"), "dflt");
  EXPECT_EQ(Build("Twice", ""), "new");
  EXPECT_EQ(Build("no equals sign here", "dflt"), "dflt");

  // Parameters replace their numbers; unknown numbers stay.
  EXPECT_EQ(Build("NotOneLevel", "", {"A1", "B2"}), "Activities A1 and B2 are not on one level.");
  EXPECT_EQ(Build("NotOneLevel", ""), "Activities /P1 and /P2 are not on one level.");
  std::vector<KivUnicodeString> twelve;
  for (long i = 1; i <= 12; ++i) twelve.push_back(KivUnicodeString::BuildFromNum(i * 10));
  EXPECT_EQ(Build("Escapes", "", twelve), "line one\nline two\t\\ 30 120");
  EXPECT_EQ(KivMsgCatalog::Substitute("/P /P0 /Px P1 //P1", {"v"}),
            KivUnicodeString("/P /P0 /Px P1 /v"));
  // Text and parameters are counted in characters, not bytes.
  const std::string text = Build("Umlaut", "", {"\xC3\xA9t\xC3\xA9"});
  EXPECT_EQ(KivUnicodeString(text).GetLengthInChar(), 9);
  EXPECT_EQ(text,
            "Gr\xC3\xBC\xC3\x9F"
            "e \xC3\xA9t\xC3\xA9");

  // A missing catalogue or key gives the default text and a trace line.
  {
    ScopedEnv traces("KivTraces", "KivSystemTrace");
    testing::internal::CaptureStderr();
    EXPECT_EQ(KivMsgCatalog::BuildMessage("NoSuchCatalog", "title", "Error"),
              KivUnicodeString("Error"));
    EXPECT_EQ(Build("NoSuchKey", "Default /P1", {"x"}), "Default x");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("[KivSystemTrace] KivMsgCatalog: catalogue \"NoSuchCatalog\" not found"),
              std::string::npos)
        << err;
    EXPECT_NE(err.find("key \"NoSuchKey\" not in"), std::string::npos) << err;
  }
  // A path is not a catalogue name, and without a startup path nothing is found.
  EXPECT_EQ(KivMsgCatalog::BuildMessage(tmp_.Sub("first/MoxPexPertGrpActCmd"), "title", "Error"),
            KivUnicodeString("Error"));
  ScopedEnv unset("KivStartupPath", nullptr);
  EXPECT_EQ(Build("title", "Error"), "Error");
}

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
  EXPECT_EQ(Find("CMakeLists.txt", "") + Find("CMakeLists.txt", ":;:") + Find("", tmp_.Path()), "");
  EXPECT_TRUE(KivFindPath("x", KivString(static_cast<const char*>(nullptr))).IsEmpty());

  // A name with a slash is a path of its own, never combined with the
  // folders, so "../" cannot climb out of them.
  const std::string file = tmp_.Write("deep/cfg.xml", "");
  tmp_.Write("list/deep/cfg.xml", "");
  EXPECT_EQ(Find(file, tmp_.Sub("list")), file);
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
  // Names that are not plain file names are refused, wherever they lead.
  const std::string secret = tmp_.Write("secret.bmp", "BM");
  for (const std::string& name : {std::string("../secret.bmp"), secret, std::string()})
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
  EXPECT_TRUE(KivGetEnv(nullptr) == nullptr && KivGetEnv("") == nullptr);
  EXPECT_EQ(KivGetEnvValue(nullptr, value), E_FAIL);
}

class SettingRepositoryTest : public ::testing::Test {
 protected:
  ~SettingRepositoryTest() override { KivSettingRepository::ForgetAll(); }
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
  // (Its file in the settings folder, the grid configuration tests read.)
  EXPECT_EQ(Read(repo, "XMLFileForStatusbar"), "none");
  EXPECT_FALSE(std::filesystem::exists(repo->GetFilePath().str()));
  EXPECT_EQ(KivSettingRepository::GetRepository("MoxPFViewerSettings"), repo);
  for (const char* bad : {"", "../escape", ".."})
    EXPECT_EQ(KivSettingRepository::GetRepository(bad), nullptr) << bad;

  // What is saved is read back by the next session (odd values below); a
  // key written twice keeps the last value, and a removal is saved too.
  ASSERT_EQ(repo->WriteSetting("Other", "1"), S_OK);
  ASSERT_EQ(repo->WriteSetting("Other", "2"), S_OK);
  EXPECT_EQ(repo->WriteSetting("", "lost"), E_INVALIDARG);
  ASSERT_EQ(repo->Save(), S_OK);

  KivSettingRepository* again = Reopen("MoxPFViewerSettings");
  EXPECT_EQ(Read(again, "Other"), "2");
  EXPECT_EQ(again->Keys().size(), 1u);
  EXPECT_EQ(again->RemoveSetting("Other"), S_OK);
  EXPECT_EQ(again->RemoveSetting("Other"), S_FALSE);
  ASSERT_EQ(again->Save(), S_OK);
  EXPECT_EQ(Read(Reopen("MoxPFViewerSettings"), "Other"), "none");
}

TEST_F(SettingRepositoryTest, OddKeysAndValuesAndLinesItCannotReadSurviveASave) {
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

  // Lines it cannot read are kept through a save.
  const std::string kept =
      "# written by hand\n\nbroken line without equals\nbad\\qescape=1\nKept=old\n";
  const std::string path = tmp_.Write("settings/Hand.kivsettings", kept + "Kept=in force\n");
  KivSettingRepository* hand = KivSettingRepository::GetRepository("Hand");
  EXPECT_EQ(Read(hand, "Kept"), "in force");
  EXPECT_EQ(Read(hand, "broken line without equals"), "none");

  ASSERT_EQ(hand->WriteSetting("Kept", "new"), S_OK);
  ASSERT_EQ(hand->WriteSetting("Added", "yes"), S_OK);
  ASSERT_EQ(hand->Save(), S_OK);
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
