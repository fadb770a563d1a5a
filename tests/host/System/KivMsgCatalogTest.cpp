#include <gtest/gtest.h>

#include "KivMsgCatalog.h"
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

TEST_F(MsgCatalogTest, TextOfTheKeyFromTheFirstCatalogueOnThePathWithItsParameters) {
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
}

TEST_F(MsgCatalogTest, MissingCatalogueOrKeyGivesTheDefaultTextAndATraceLine) {
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
  EXPECT_EQ(KivMsgCatalog::BuildMessage("../first/MoxPexPertGrpActCmd", "title", "Error"),
            KivUnicodeString("Error"));
  ScopedEnv unset("KivStartupPath", nullptr);
  EXPECT_EQ(Build("title", "Error"), "Error");
}
