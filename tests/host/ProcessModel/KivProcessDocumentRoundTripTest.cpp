// Saving and loading process documents: every fact survives, saving a loaded
// document reproduces the bytes, the example and generated documents load,
// and a failed save leaves the file alone.
#include <climits>

#include "KivProcessDocumentFileTestSupport.h"
#include "KivProcessDocumentFormat.h"

namespace {

using KivProcessDocumentRoundTripTest = KivProcessDocumentFileTest;

// A document that uses every fact the file can hold, with values away from
// their defaults and text that XML must escape.
KivVar<KivProcessDocument> BuildRichDocument() {
  KivVar<KivProcessDocument> doc = KivProcessDocument::Create();
  doc->SetRuleEnvironment(true);
  KivIProduct_var body = doc->CreateProduct(nullptr, "Body side LH", "P-body");
  KivIProduct_var outer = doc->CreateProduct(body, "Side panel outer LH", "P-outer");
  KivIProduct_var pillar = doc->CreateProduct(body, "B-pillar reinforcement", "P-pillar");
  KivIProduct_var sill = doc->CreateProduct(body, "Sill inner <LH> & \"RH\"\ttab\nline", "P-sill");
  KivIProduct_var clip = doc->CreateProduct(pillar, "Clip \xC3\xBC\xE2\x82\xAC", "P-clip");
  outer->SetAlias("5U0 809 605");
  body->SetAlias("BODY-SIDE");  // a root alias that differs from its name
  doc->SetShow(pillar, KivNoShow);
  doc->SetShow(clip, KivNoShow);
  KivIProduct_var robots = doc->CreateResource(nullptr, "Robots", "Folder", "R-robots");
  KivIProduct_var robot = doc->CreateResource(robots, "Robot BS010-R01", "Robot", "R-robot");
  KivIProduct_var gun = doc->CreateResource(robots, "Weld gun BS010-G01", "WeldGun", "R-gun");
  doc->SetShow(gun, KivNoShow);
  MoxIMfgAssembly_var inner = doc->CreateAssembly("MA inner", "M-inner");
  MoxIMfgAssembly_var outerAssembly = doc->CreateAssembly("MA body side", "M-side");
  // The outer assembly refers to one created before it and to products.
  doc->AddAssemblyChild(outerAssembly, outer);
  doc->AddAssemblyChild(outerAssembly, inner);
  doc->AddAssemblyChild(inner, sill);
  doc->AddAssemblyChild(inner, pillar);

  KivISPPActivity_var root = doc->CreateRootActivity("Body side line", "A-root");
  KivISPPActivity_var s1 = doc->CreateActivity(root, "BIWActivityStation", "BS010 Framing", "A-s1");
  KivISPPActivity_var group = doc->CreateActivity(root, "BIWActivityGrouping", "Cell", "A-g");
  KivISPPActivity_var s2 = doc->CreateActivity(group, "BIWActivityStation", "BS020 Respot", "A-s2");
  KivISPPActivity_var load = doc->CreateActivity(s1, "BIWActivityLoading", "Load outer", "A-load");
  KivISPPActivity_var weld = doc->CreateActivity(s1, "BIWActivitySpotWelding", "Weld", "A-weld");
  KivISPPActivity_var stud = doc->CreateActivity(weld, "BIWActivityStudWelding", "Studs", "A-stud");
  doc->SetCycleTime(s1, 52.5);
  doc->SetCycleTime(group, 0.1);  // a double with no short exact decimal form
  doc->SetCycleTime(s2, 1e-300);
  doc->SetPertNodeData(s1, {37.5, -12.5, 20.0, 9.5, 1, true});
  doc->SetPertNodeData(group, {1.0 / 3.0, 2e8, 16.0, 8.0, 2, false});
  doc->SetPertNodeData(doc->GetStartNode(root), {-25.0, 0.0, 16.0, 8.0, 0, true});
  doc->SetPertNodeData(doc->GetStopNode(weld), {5.0, 5.0, 16.0, 8.0, 0, true});

  doc->AddProductInput(s1, outer);
  doc->AddProductOutput(s1, body);
  doc->AddProductInput(s1, inner);  // an assembly, after an output
  doc->AddProductOutput(s2, outerAssembly);
  doc->AssignItem(load, outer);
  doc->AssignItem(load, inner);
  doc->AssignItem(s1, sill);
  doc->AssignResource(weld, robot);
  doc->AssignResource(weld, gun);
  doc->AssignResource(s1, gun);
  doc->SetAttribute(s1, "Operators", KivIPDValue(-3L));
  doc->SetAttribute(s1, "Availability", KivIPDValue(0.9575));
  doc->SetAttribute(s1, "Note", KivIPDValue(KivUnicodeString("two \"shifts\"\n& <weekend>")));
  doc->SetAttribute(root, "Big", KivIPDValue(9223372036854775807L));

  doc->AddPrecedence(doc->GetStartNode(root), s1);
  doc->AddPrecedence(s1, group);
  // The group's predecessors are s1 then Start, although the model lists
  // Start's links first: the file must keep both orders.
  doc->AddPrecedence(doc->GetStartNode(root), group);
  doc->AddPrecedence(group, doc->GetStopNode(root));
  doc->AddPrecedence(doc->GetStartNode(s1), load);
  doc->AddPrecedence(load, weld);
  doc->AddPrecedence(weld, load);  // a precedence cycle is data
  doc->AddPrecedence(weld, doc->GetStopNode(s1));
  return doc;
}

TEST_F(KivProcessDocumentRoundTripTest, EveryFactSurvivesSavingAndLoading) {
  KivVar<KivProcessDocument> original = BuildRichDocument();
  const std::vector<std::string> expected = KivDocumentFacts::Of(*original);
  ASSERT_GT(expected.size(), 30u);

  const std::string path = PathOf("rich.xml");
  std::string error;
  ASSERT_EQ(KivProcessDocumentWriter::SaveFile(*original, path, error), S_OK) << error;
  EXPECT_EQ(original->GetStorageName(), KivUnicodeString(path));

  KivVar<KivProcessDocument> loaded;
  KivProcessDocumentError loadError;
  ASSERT_EQ(KivProcessDocumentReader::LoadFile(path, loaded, loadError), S_OK)
      << loadError.ToString();
  EXPECT_EQ(loaded->GetStorageName(), KivUnicodeString(path));
  EXPECT_EQ(KivDocumentFacts::Of(*loaded), expected);
  EXPECT_EQ(SaveText(*loaded), ReadFile(path));
}

TEST_F(KivProcessDocumentRoundTripTest, TheExampleLoadsAndSavesBackByteForByte) {
  const std::string example = std::string(KIV_SOURCE_DIR) + "/examples/underbody_line.xml";
  KivVar<KivProcessDocument> first;
  KivProcessDocumentError error;
  ASSERT_EQ(KivProcessDocumentReader::LoadFile(example, first, error), S_OK) << error.ToString();

  // What the example promises: a realistic line under a root.
  EXPECT_GE(first->ProductCount(), 50);
  int stations = 0, groupings = 0;
  bool anyPlaced = false;
  first->ForEachActivity([&](KivBaseUnknown* activity) {
    const KivUnicodeString type = KivISPPActivity_var(activity)->TypeName();
    stations += type == KivUnicodeString("BIWActivityStation");
    groupings += type == KivUnicodeString("BIWActivityGrouping");
    anyPlaced = anyPlaced || first->GetPertNodeData(activity).placed;
  });
  EXPECT_GE(stations, 8);
  EXPECT_GE(groupings, 1);
  EXPECT_FALSE(anyPlaced) << "the example leaves the layout to the viewer";
  EXPECT_GE(first->ListAssemblies().Size(), 2);

  // Saved, loaded and saved again: the same facts and the same bytes.
  const std::string text = SaveText(*first);
  KivVar<KivProcessDocument> second = LoadText(text, &error);
  ASSERT_TRUE(second) << error.ToString();
  EXPECT_EQ(KivDocumentFacts::Of(*second), KivDocumentFacts::Of(*first));
  EXPECT_EQ(SaveText(*second), text);
  // The example is kept in the writer's own form.
  EXPECT_EQ(text, ReadFile(example));
}

TEST_F(KivProcessDocumentRoundTripTest, TheGeneratedDocumentLoadsWithItsPromisedSize) {
#ifndef KIV_GENERATED_DOCUMENT
  GTEST_SKIP() << "python3 was not found when the build was configured";
#else
  KivVar<KivProcessDocument> doc;
  KivProcessDocumentError error;
  ASSERT_EQ(KivProcessDocumentReader::LoadFile(KIV_GENERATED_DOCUMENT, doc, error), S_OK)
      << error.ToString();
  EXPECT_EQ(doc->ActivityCount(), KIV_GENERATED_ACTIVITIES);
  EXPECT_EQ(doc->ProductCount(), KIV_GENERATED_PRODUCTS);
  EXPECT_FALSE(doc->ListPrecedences().empty());
  const std::string text = SaveText(*doc);
  KivVar<KivProcessDocument> again = LoadText(text, &error);
  ASSERT_TRUE(again) << error.ToString();
  EXPECT_EQ(SaveText(*again), text);
#endif
}

TEST_F(KivProcessDocumentRoundTripTest, DefaultsAreLeftOutOfTheFile) {
  KivVar<KivProcessDocument> doc = KivProcessDocument::Create();
  KivISPPActivity_var root = doc->CreateRootActivity("Line", "A1");
  KivIProduct_var panel = doc->CreateProduct(nullptr, "Panel", "P1");
  doc->CreateActivity(root, "BIWActivityStation", "ST010", "A2");
  const std::string text = SaveText(*doc);
  EXPECT_EQ(text,
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<ProcessDocument version=\"1\">\n"
            "  <Products>\n"
            "    <Product id=\"P1\" name=\"Panel\"/>\n"
            "  </Products>\n"
            "  <Resources/>\n"
            "  <Assemblies/>\n"
            "  <Process>\n"
            "    <Activity id=\"A1\" type=\"BIWActivityRoot\" name=\"Line\">\n"
            "      <Activity id=\"A2\" type=\"BIWActivityStation\" name=\"ST010\"/>\n"
            "    </Activity>\n"
            "  </Process>\n"
            "</ProcessDocument>\n");
}

TEST_F(KivProcessDocumentRoundTripTest, AFailedSaveLeavesTheExistingFileAsItWas) {
  KivVar<KivProcessDocument> doc = KivProcessDocument::Create();
  doc->CreateRootActivity("Line", "A1");
  const std::string path = WriteFile("kept.xml", "previous content");
  // A name XML cannot carry makes the writer refuse the whole document.
  doc->CreateProduct(nullptr, "bad \x01 name", "P1");
  std::string error;
  EXPECT_EQ(KivProcessDocumentWriter::SaveFile(*doc, path, error), E_FAIL);
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(ReadFile(path), "previous content");
  EXPECT_EQ(doc->GetStorageName(), KivUnicodeString());

  std::string text = "untouched";
  EXPECT_EQ(KivProcessDocumentWriter::WriteText(*doc, text, error), E_FAIL);
  EXPECT_EQ(text, "untouched");
  // Nor is an identifier written that loading would refuse.
  KivVar<KivProcessDocument> spaced = KivProcessDocument::Create();
  spaced->CreateRootActivity("Line", "A 1");
  EXPECT_EQ(KivProcessDocumentWriter::SaveFile(*spaced, path, error), E_FAIL);
  EXPECT_NE(error.find("\"A 1\""), std::string::npos) << error;
  EXPECT_EQ(ReadFile(path), "previous content");
  // A folder that does not exist cannot be written either.
  KivVar<KivProcessDocument> fine = KivProcessDocument::Create();
  fine->CreateRootActivity("Line", "A1");
  EXPECT_EQ(KivProcessDocumentWriter::SaveFile(*fine, PathOf("no/such/folder.xml"), error), E_FAIL);
}

TEST(KivProcessDocumentFormatTest, NumbersReadBackExactlyAndBadTextIsRefused) {
  namespace fmt = KivProcessDocumentFormat;
  for (double value : {0.0, -0.0, 0.1, 1.0 / 3.0, 52.5, -1e-300, 1.7976931348623157e308, 5e-324}) {
    const std::string text = fmt::FormatDouble(value);
    ASSERT_TRUE(fmt::ParseDouble(text)) << text;
    EXPECT_EQ(*fmt::ParseDouble(text), value) << text;
  }
  EXPECT_EQ(fmt::FormatDouble(48.0), "48");
  EXPECT_EQ(fmt::FormatDouble(0.1), "0.1");
  for (const char* bad :
       {"", "NaN", "nan", "inf", "-inf", "1e400", "12abc", " 1", "1 ", "0x10", "+"})
    EXPECT_FALSE(fmt::ParseDouble(bad)) << bad;
  EXPECT_EQ(fmt::ParseLong("-9223372036854775808"), std::optional<long>(LONG_MIN));
  for (const char* bad : {"", "1.5", "9223372036854775808", "1e3", "--1", "7 "})
    EXPECT_FALSE(fmt::ParseLong(bad)) << bad;
  EXPECT_EQ(fmt::ParseBoolean("true"), std::optional<bool>(true));
  EXPECT_FALSE(fmt::ParseBoolean("True"));
  EXPECT_FALSE(fmt::ParseBoolean("1"));
}

TEST(KivProcessDocumentFormatTest, IdentifiersAreNonEmptyWordsWithoutSlashesOrQuotes) {
  namespace fmt = KivProcessDocumentFormat;
  for (const char* good : {"A1", "P-body", "UB010.20", "x:y", "\xC3\xBC"})
    EXPECT_TRUE(fmt::IsValidIdentifier(good)) << good;
  for (const char* bad : {"", "A 1", "A1/Start", "a\"b", "a'b", "tab\there", "\x7F"})
    EXPECT_FALSE(fmt::IsValidIdentifier(bad)) << bad;
  EXPECT_FALSE(fmt::IsValidIdentifier(std::string(201, 'a')));
  EXPECT_TRUE(fmt::IsValidIdentifier(std::string(200, 'a')));
}

}  // namespace
