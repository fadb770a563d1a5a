// The configuration files of the status buttons: where they are found, how
// often they are parsed, and which entries apply to an activity type.
#include <fstream>
#include <set>

#include "KivSettingRepository.h"
#include "MoxZitBltConfiguration.h"
#include "MoxZitBltTestSupport.h"
#include "StrX.h"

namespace {
std::vector<std::string> SelectedNames(const KivUnicodeString& type) {
  KivIDOMDocument_var document;
  std::vector<std::string> names;
  if (!MoxZitBltConfiguration::GetDomDocument(document)) return names;
  for (const auto& element : MoxZitBltConfiguration::SelectZitBlts(document, type))
    names.push_back(element->GetAttribute("Name").ConvertToUTF8());
  return names;
}

// Two blocks of the station type, one under a near miss of its name (a
// trailing blank, lower case), one of another type; a ZitBlt nested deeper.
const std::string kTwoBlocks =
    "<Anything>" +
    ActivityXml("BIWActivityStation", "<ZitBlt Name='A'/><Group><ZitBlt Name='B'/></Group>") +
    ActivityXml("BIWActivityStation ", "<ZitBlt Name='TrailingBlank'/>") +
    ActivityXml("biwactivitystation", "<ZitBlt Name='LowerCase'/>") +
    ActivityXml("BIWActivityGrouping", "<ZitBlt Name='G'/>") +
    ActivityXml("BIWActivityStation", "<ZitBlt Name='C'/>") + "</Anything>";
}  // namespace

using MoxZitBltConfigurationTest = ZitBltFixture;

TEST_F(MoxZitBltConfigurationTest, IsFoundAlongTheStartupPath) {
  WriteConfiguration("<c/>");
  const std::string other = (folder_ / "empty").string();
  std::filesystem::create_directories(other);
  setenv("KivStartupPath", (other + ":" + folder_.string()).c_str(), 1);
  EXPECT_EQ(MoxZitBltConfiguration::GetConfigFile().str(), (folder_ / "zitbltcfg.xml").string());
  unsetenv("KivStartupPath");
  EXPECT_TRUE(MoxZitBltConfiguration::GetConfigFile().IsEmpty());
  KivIDOMDocument_var document;
  EXPECT_FALSE(MoxZitBltConfiguration::GetDomDocument(document));
  EXPECT_FALSE(document);
}

TEST_F(MoxZitBltConfigurationTest, SelectsEveryBlockOfExactlyTheTypeInDocumentOrder) {
  WriteConfiguration(kTwoBlocks);
  EXPECT_EQ(SelectedNames("BIWActivityStation"), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(SelectedNames("BIWActivityStation "), (std::vector<std::string>{"TrailingBlank"}));
  EXPECT_EQ(SelectedNames("BIWActivityGrouping"), (std::vector<std::string>{"G"}));
  EXPECT_TRUE(SelectedNames("BIWActivityLoading").empty());
  EXPECT_TRUE(SelectedNames("").empty());
}

TEST_F(MoxZitBltConfigurationTest, ReadsAttributesAsWrittenAndMissingOnesAsEmpty) {
  WriteConfiguration(R"(<c><ActivityZitBlt ActivityType="T">
    <ZitBlt Name="Full" Type="MoxZitBltRep" LoadModule="MoxPexViewers" Location="topleft"
            Priority="High" InitialState="Open" IconFile="Red">
      <UpdateData CmdName="FirstCmd" LoadModule="ModA"/>
      <UpdateData CmdName="SecondCmd" LoadModule="ModB"/>
    </ZitBlt>
    <ZitBlt Name="Bare"/>
    <ZitBlt><Deep><UpdateData CmdName="Nested"/></Deep></ZitBlt>
  </ActivityZitBlt></c>)");
  KivIDOMDocument_var document;
  ASSERT_TRUE(MoxZitBltConfiguration::GetDomDocument(document));
  const auto elements = MoxZitBltConfiguration::SelectZitBlts(document, "T");
  ASSERT_EQ(elements.size(), 3u);

  const MoxZitBltEntry f = MoxZitBltConfiguration::ReadZitBlt(elements[0]);
  EXPECT_EQ(f.name.ConvertToUTF8() + f.type.str() + f.loadModule.str() + f.location.ConvertToUTF8() +
                f.priority.ConvertToUTF8() + f.initialState.ConvertToUTF8() +
                f.iconFile.ConvertToUTF8(),
            "FullMoxZitBltRepMoxPexViewerstopleftHighOpenRed");
  MoxZitBltUpdateData update;
  ASSERT_TRUE(MoxZitBltConfiguration::ReadUpdateData(elements[0], update));
  EXPECT_EQ(update.cmdName, "FirstCmd");
  EXPECT_EQ(update.loadModule, "ModA");

  const MoxZitBltEntry bare = MoxZitBltConfiguration::ReadZitBlt(elements[1]);
  EXPECT_EQ(bare.name, KivUnicodeString("Bare"));
  EXPECT_TRUE(bare.type.IsEmpty() && bare.loadModule.IsEmpty() && bare.location.IsEmpty() &&
              bare.priority.IsEmpty() && bare.initialState.IsEmpty() && bare.iconFile.IsEmpty());
  EXPECT_FALSE(MoxZitBltConfiguration::ReadUpdateData(elements[1], update));

  // The first UpdateData anywhere below the ZitBlt counts; its missing
  // module reads as empty.
  ASSERT_TRUE(MoxZitBltConfiguration::ReadUpdateData(elements[2], update));
  EXPECT_EQ(update.cmdName, "Nested");
  EXPECT_TRUE(update.loadModule.IsEmpty());
}

// A failed parse is tried again, and a repaired file picked up; once parsed,
// later edits are ignored.
TEST_F(MoxZitBltConfigurationTest, IsParsedOnceItParsesAndThenKept) {
  const auto write = [&](const char* name) {
    WriteConfiguration(std::string("<c><ActivityZitBlt ActivityType=\"T\"><ZitBlt Name=\"") + name +
                       "\"/></ActivityZitBlt></c>");
  };
  WriteConfiguration("<c><ActivityZitBlt ActivityType=\"T\"><ZitBlt Name=\"A\"></c>");
  KivIDOMDocument_var first, second;
  EXPECT_FALSE(MoxZitBltConfiguration::GetDomDocument(first));
  EXPECT_FALSE(MoxZitBltConfiguration::IsParsed());
  EXPECT_EQ(MoxZitBltConfiguration::ParseCount(), 0);
  write("A");
  ASSERT_TRUE(MoxZitBltConfiguration::GetDomDocument(first));
  EXPECT_TRUE(MoxZitBltConfiguration::IsParsed());
  write("Edited");
  ASSERT_TRUE(MoxZitBltConfiguration::GetDomDocument(second));
  EXPECT_TRUE(first == second);
  EXPECT_EQ(SelectedNames("T"), (std::vector<std::string>{"A"}));
  std::filesystem::remove(folder_ / "zitbltcfg.xml");
  EXPECT_EQ(SelectedNames("T"), (std::vector<std::string>{"A"}));
  EXPECT_EQ(MoxZitBltConfiguration::ParseCount(), 1);
}

TEST_F(MoxZitBltConfigurationTest, StatusBarFileComesFromTheSettingOrTheStartupPath) {
  // No setting, no file: nothing parsed, and the next request tries again.
  EXPECT_TRUE(MoxStatusBarConfiguration::GetConfigFile().IsEmpty());
  EXPECT_FALSE(MoxStatusBarConfiguration::Parse());
  EXPECT_FALSE(MoxStatusBarConfiguration::GetDocument());

  std::ofstream(folder_ / "StatusBarConfiguration.xml") << "<StatusBars/>";
  EXPECT_EQ(MoxStatusBarConfiguration::GetConfigFile().str(),
            (folder_ / "StatusBarConfiguration.xml").string());
  EXPECT_TRUE(MoxStatusBarConfiguration::Parse());
  ASSERT_TRUE(MoxStatusBarConfiguration::GetDocument());
  EXPECT_EQ(MoxStatusBarConfiguration::GetDocument()->GetDocumentElement()->GetTagName(),
            KivUnicodeString("StatusBars"));

  // A setting names the file directly, wherever it is; it is read on the
  // next parse only.
  const auto elsewhere = folder_ / "elsewhere.xml";
  std::ofstream(elsewhere) << "<Elsewhere/>";
  KivSettingRepository::GetRepository("MoxPFViewerSettings")
      ->WriteSetting("XMLFileForStatusbar", elsewhere.string());
  EXPECT_EQ(MoxStatusBarConfiguration::GetConfigFile().str(), elsewhere.string());
  EXPECT_TRUE(MoxStatusBarConfiguration::Parse());
  EXPECT_EQ(MoxStatusBarConfiguration::GetDocument()->GetDocumentElement()->GetTagName(),
            KivUnicodeString("StatusBars"));
  MoxStatusBarConfiguration::Forget();
  EXPECT_TRUE(MoxStatusBarConfiguration::Parse());
  EXPECT_EQ(MoxStatusBarConfiguration::GetDocument()->GetDocumentElement()->GetTagName(),
            KivUnicodeString("Elsewhere"));
}

TEST_F(MoxZitBltConfigurationTest, StrXKeepsNamesOutsideAsciiAsUtf8) {
  const KivUnicodeString name("St\xC3\xA4tion\xF0\x9F\x94\xA7");
  StrX fromHost(name);
  EXPECT_EQ(fromHost.localForm(), name.ConvertToUTF8());
  StrX fromParser(fromHost.xmlForm());
  EXPECT_EQ(fromParser.localForm(), name.ConvertToUTF8());
  EXPECT_EQ(StrX(static_cast<const XMLCh*>(nullptr)).localForm(), "");
}

TEST_F(MoxZitBltConfigurationTest, BundledFileGivesEveryWorkingActivityDistinctButtonsWithIcons) {
  setenv("KivStartupPath", KIV_SOURCE_DIR "/resources", 1);
  KivIDOMDocument_var document;
  ASSERT_TRUE(MoxZitBltConfiguration::GetDomDocument(document));
  for (const KivUnicodeString& type : KivProcessDocument::ActivityTypes()) {
    const auto elements = MoxZitBltConfiguration::SelectZitBlts(document, type);
    if (type == KivUnicodeString("BIWActivityRoot")) {
      EXPECT_TRUE(elements.empty());
      continue;
    }
    EXPECT_GE(elements.size(), 2u) << type;
    std::set<std::string> names, locations;
    for (const auto& element : elements) {
      const MoxZitBltEntry entry = MoxZitBltConfiguration::ReadZitBlt(element);
      EXPECT_TRUE(names.insert(entry.name.ConvertToUTF8()).second) << type << " " << entry.name;
      EXPECT_TRUE(locations.insert(entry.location.ConvertToUTF8()).second) << type;
      EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::path(KIV_SOURCE_DIR) /
                                                   "resources/icons" /
                                                   (entry.iconFile.ConvertToUTF8() + ".bmp")))
          << entry.iconFile;
      MoxZitBltUpdateData update;
      EXPECT_TRUE(MoxZitBltConfiguration::ReadUpdateData(element, update)) << entry.name;
      EXPECT_EQ(entry.loadModule, "MoxPexViewers");
    }
    EXPECT_TRUE(names.count("ProductInput") && names.count("Resources")) << type;
  }
  for (const char* icon :
       {"I_PODShownInputPart", "I_PODHiddenInputPart", "I_PODPartiallyHiddenInputPart"})
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::path(KIV_SOURCE_DIR) /
                                                 "resources/icons" / (std::string(icon) + ".bmp")))
        << icon;
}
