// Loading and saving process documents: each kind of bad input is refused
// with the file, line and element of the fault and nothing half-loaded
// survives; every fact survives a round trip, saving a loaded document
// reproduces the bytes, and a failed save leaves the file alone.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <string_view>

#include "KivIModelObject.h"
#include "KivLeakCheck.h"
#include "KivProcessDocument.h"
#include "KivProcessDocumentFormat.h"
#include "KivProcessDocumentReader.h"
#include "KivProcessDocumentWriter.h"
#include "KivTestSupport.h"

namespace {

// A scratch folder per test, and a check that every component is released.
class KivProcessDocumentFileTest : public LeakCheckedTest {
 protected:
  static KivVar<KivProcessDocument> LoadText(const std::string& text,
                                             KivProcessDocumentError* error = nullptr) {
    KivVar<KivProcessDocument> document;
    KivProcessDocumentError ignored;
    KivProcessDocumentReader::LoadBuffer(text.data(), text.size(), "test.xml", document,
                                         error ? *error : ignored);
    return document;
  }

  static std::string SaveText(KivProcessDocument& document) {
    std::string text, error;
    EXPECT_EQ(KivProcessDocumentWriter::WriteText(document, text, error), S_OK) << error;
    return text;
  }

  TempFolder folder_;
};

// A sound document of a few lines; each broken case below changes one spot,
// marked with <!--!--> on the line where the fault must be reported.
std::string Document(std::string_view products, std::string_view process,
                     std::string_view extra = "") {
  std::string text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ProcessDocument version=\"1\">\n";
  text += "<Products>\n<Product id=\"P1\" name=\"Floor\">\n<Product id=\"P2\" name=\"Panel\"/>\n";
  text += std::string(products);
  text += "</Product>\n</Products>\n";
  text += "<Resources>\n<Resource id=\"R1\" name=\"Robots\" type=\"Folder\">\n";
  text += "<Resource id=\"R2\" name=\"Robot 1\" type=\"Robot\"/>\n</Resource>\n</Resources>\n";
  text += "<Assemblies>\n<Assembly id=\"M1\" name=\"MA floor\">\n<Member ref=\"P2\"/>\n";
  text += "</Assembly>\n";
  text += std::string(extra);
  text += "</Assemblies>\n<Process>\n";
  text += "<Activity id=\"A1\" type=\"BIWActivityRoot\" name=\"Line\">\n";
  text += "<Activity id=\"A2\" type=\"BIWActivityStation\" name=\"ST010\" cycleTime=\"50\">\n";
  text += "<Activity id=\"A3\" type=\"BIWActivityLoading\" name=\"Load\"/>\n";
  text += "<Link from=\"A2/Start\" to=\"A3\"/>\n</Activity>\n";
  text += std::string(process);
  text += "<Link from=\"A1/Start\" to=\"A2\"/>\n</Activity>\n</Process>\n</ProcessDocument>\n";
  return text;
}

int MarkedLine(const std::string& text) {
  const std::size_t at = text.find("<!--!-->");
  if (at == std::string::npos) return 0;
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + at, '\n'));
}

// The sound document with lines added among the products, on the root's
// level, inside a new station A4 or inside a new assembly M2; the fault is
// marked at the end of the added lines.
const std::string kMark = "<!--!-->\n";
const std::string kStation = "<Activity id=\"A4\" type=\"BIWActivityStation\" name=\"ST020\"";
std::string InProducts(const std::string& lines) { return Document(lines + kMark, ""); }
std::string InProcess(const std::string& lines) { return Document("", lines + kMark); }
std::string StationWith(const std::string& attributes) { return InProcess(kStation + attributes); }
std::string InStation(const std::string& lines) {
  return Document("", kStation + ">\n" + lines + kMark + "</Activity>\n");
}
std::string InAssembly(const std::string& lines) {
  return Document("", "", "<Assembly id=\"M2\" name=\"x\">\n" + lines + kMark + "</Assembly>\n");
}

// Activities nested one level deeper than the reader accepts; the root is
// level 1, so the activity A<limit> is one level too deep.
std::string TooDeep() {
  const int limit = KivProcessDocumentFormat::kMaxNesting;
  std::string deep =
      "<ProcessDocument version=\"1\">\n<Process>\n"
      "<Activity id=\"A0\" type=\"BIWActivityRoot\" name=\"r\">\n";
  for (int i = 1; i <= limit + 1; ++i)
    deep += "<Activity id=\"A" + std::to_string(i) + "\" type=\"BIWActivityGrouping\" name=\"g\">" +
            (i == limit ? kMark : "\n");
  for (int i = 1; i <= limit + 1; ++i) deep += "</Activity>\n";
  return deep + "</Activity>\n</Process>\n</ProcessDocument>\n";
}

TEST_F(KivProcessDocumentFileTest, EachKindOfBadInputIsRefusedWithItsPlace) {
  const std::string doc1 = "<ProcessDocument version=\"1\">";
  const struct {
    std::string text;
    const char* expected;  // a fragment of the message
  } cases[] = {
      // Malformed XML: the parser's line.
      {InProducts("<Product id=\"P3\" name=\"x\">\n</Activity>"), "malformed XML"},
      // Structure.
      {"<Document version=\"1\"/><!--!-->", "must be <ProcessDocument>"},
      {"<ProcessDocument version=\"2\">" + kMark + "<Process/></ProcessDocument>",
       "unsupported format version \"2\""},
      {doc1 + kMark + "<Products/>\n</ProcessDocument>", "missing <Process>"},
      {doc1 + "\n<Products/>\n<Products/>" + kMark + "</ProcessDocument>", "section given twice"},
      {InProcess("<Widget/>"), "unknown element"},
      {InProducts("<Product id=\"P3\" name=\"x\" colour=\"red\"/>"),
       "unknown attribute \"colour\""},
      {InProducts("<Product id=\"P3\"/>"), "missing attribute \"name\""},
      {doc1 + "\n<Process>" + kMark +
           "<Activity id=\"A1\" type=\"BIWActivityRoot\" name=\"a\"/>\n" +
           "<Activity id=\"A2\" type=\"BIWActivityRoot\" "
           "name=\"b\"/>\n</Process>\n</ProcessDocument>",
       "exactly one <Activity>"},
      {doc1 + "\n<Process>\n<Activity id=\"A1\" type=\"BIWActivityStation\" name=\"a\"/>" + kMark +
           "</Process>\n</ProcessDocument>",
       "must be of type \"BIWActivityRoot\""},
      {TooDeep(), "nested deeper than 256"},
      // Identifiers.
      {InProducts("<Product id=\"P2\" name=\"again\"/>"), "duplicate identifier \"P2\""},
      {InProcess("<Activity id=\"P1\" type=\"BIWActivityLoading\" name=\"x\"/>"),
       "duplicate identifier \"P1\""},
      {InProducts("<Product id=\"P 3\" name=\"x\"/>"), "invalid identifier \"P 3\""},
      {InProcess("<Activity id=\"A2/Start\" type=\"BIWActivityLoading\" name=\"x\"/>"),
       "invalid identifier"},
      // Dangling references and references of the wrong kind.
      {InProcess("<Link from=\"A2\" to=\"A9\"/>"), "unknown identifier \"A9\""},
      {InStation("<Input item=\"P99\"/>"), "unknown identifier \"P99\""},
      {InAssembly("<Member ref=\"M9\"/>"), "unknown identifier \"M9\""},
      {InStation("<Input item=\"R2\"/>"), "neither a product nor an assembly"},
      {InStation("<AssignedResource ref=\"P2\"/>"), "is not a resource"},
      {InAssembly("<Member ref=\"A1\"/>"), "neither a product nor an assembly"},
      {InProcess("<Link from=\"A2\" to=\"A3\"/>"), "\"A3\" is no node of this activity's level"},
      {InProcess("<Link from=\"A2\" to=\"P1\"/>"), "\"P1\" is no node"},
      // Ancestry: an assembly may not contain itself, directly or not.
      {InAssembly("<Member ref=\"M2\"/>"), "its own ancestor"},
      {InAssembly("<Member ref=\"M3\"/>\n</Assembly>\n<Assembly id=\"M3\" name=\"y\">\n"
                  "<Member ref=\"M2\"/>"),
       "its own ancestor"},
      // Activity types.
      {InProcess("<Activity id=\"A4\" type=\"BIWActivityPainting\" name=\"x\"/>"),
       "unknown activity type \"BIWActivityPainting\""},
      {InProcess("<Activity id=\"A4\" type=\"BIWActivityRoot\" name=\"x\"/>"),
       "only the root activity"},
      {InProcess("<Activity id=\"A4\" type=\"BIWActivityLoading\" name=\"x\" cycleTime=\"3\"/>"),
       "only stations and groupings"},
      {Document("",
                "<Activity id=\"A4\" type=\"BIWActivityLoading\" name=\"x\">\n<Start x=\"1\"/>" +
                    kMark + "</Activity>\n"),
       "has no Start node"},
      // Absurd numbers.
      {StationWith(" x=\"NaN\"/>"), "attribute \"x\" is not a number"},
      {StationWith(" y=\"1e400\"/>"), "attribute \"y\""},
      {StationWith(" x=\"2e9\"/>"), "from -1e+09 to 1e+09"},
      {StationWith(" width=\"16px\"/>"), "\"16px\""},
      {StationWith(" cycleTime=\"-5\"/>"), "cycleTime"},
      {StationWith(" superNode=\"3\"/>"), "must be 0, 1 or 2"},
      {StationWith(" placed=\"yes\"/>"), "neither \"true\" nor \"false\""},
      {InProducts("<Product id=\"P3\" name=\"x\" shown=\"0\"/>"), "\"shown\""},
      // User attributes.
      {InStation("<Attribute name=\"n\" type=\"float\" value=\"1\"/>"),
       "unknown attribute type \"float\""},
      {InStation("<Attribute name=\"n\" type=\"long\" value=\"1.5\"/>"), "not a long integer"},
      {InStation("<Attribute name=\"n\" type=\"double\" value=\"nan\"/>"), "not a finite number"},
      {InStation("<Attribute name=\"n\" type=\"long\" value=\"1\"/>\n"
                 "<Attribute name=\"n\" type=\"string\" value=\"x\"/>"),
       "given twice"},
      // Duplicates that would silently collapse.
      {InProcess("<Link from=\"A2\" to=\"A1/Stop\"/>\n<Link from=\"A2\" to=\"A1/Stop\"/>"),
       "link given twice"},
      {InProcess("<Link from=\"A2\" to=\"A2\"/>"), "refused"},
      {InStation("<AssignedItem ref=\"P2\"/>\n<AssignedItem ref=\"P2\"/>"), "item assigned twice"},
      {InAssembly("<Member ref=\"P1\"/>\n<Member ref=\"P1\"/>"), "member given twice"},
  };

  for (const auto& c : cases) {
    const int line = MarkedLine(c.text);
    SCOPED_TRACE(c.expected);
    ASSERT_GT(line, 0) << "the case marks no line";
    KivProcessDocumentError error;
    EXPECT_FALSE(LoadText(c.text, &error));
    EXPECT_NE(error.message.find(c.expected), std::string::npos) << error.ToString();
    // The source and the line of the mark lead the report.
    const std::string whole = error.ToString();
    EXPECT_EQ(whole.rfind("test.xml:" + std::to_string(line) + ": ", 0), 0u) << whole;
  }
}

TEST_F(KivProcessDocumentFileTest, AFailedLoadNamesTheElementOrTheFileAndReleasesWhatItBuilt) {
  // The fault comes last, after products, assemblies and most activities
  // were built: all of it must go (the fixture's leak check), and a
  // previous handle is emptied.
  KivVar<KivProcessDocument> doc = KivProcessDocument::Create();
  KivProcessDocumentError error;
  const std::string text = Document("", "<Link from=\"A2\" to=\"A9\"/>\n");
  EXPECT_EQ(KivProcessDocumentReader::LoadBuffer(text.data(), text.size(), "t.xml", doc, error),
            E_FAIL);
  EXPECT_FALSE(doc);
  EXPECT_EQ(error.ToString(), "t.xml:" + std::to_string(error.line) +
                                  ": <Link from=\"A2\" to=\"A9\">: unknown identifier \"A9\"");

  // A missing file is named in the error, with no line and not as malformed XML.
  const std::string path = folder_.Sub("absent.xml");
  EXPECT_EQ(KivProcessDocumentReader::LoadFile(path, doc, error), E_FAIL);
  EXPECT_FALSE(doc);
  EXPECT_EQ(error.ToString().rfind(path + ": ", 0), 0u) << "the path, and no line";
  EXPECT_EQ(error.message.find("malformed"), std::string::npos) << error.ToString();
}

TEST_F(KivProcessDocumentFileTest, SoundDocumentsLoadWithElementsInAnyOrder) {
  // (That the sound document of the refusal table loads, each of its cases
  // shows by its message; the storage name, the rich document's load.)
  KivProcessDocumentError error;
  // Process first, links before the activities they join, an assembly member
  // written further down.
  const std::string text =
      "<ProcessDocument version=\"1\">\n<Process>\n"
      "<Activity id=\"A1\" type=\"BIWActivityRoot\" name=\"Line\">\n"
      "<Link from=\"A2\" to=\"A3\"/>\n"
      "<Activity id=\"A2\" type=\"BIWActivityStation\" name=\"S1\"><Input "
      "item=\"M1\"/></Activity>\n"
      "<Activity id=\"A3\" type=\"BIWActivityStation\" name=\"S2\"/>\n"
      "<Stop x=\"100\" placed=\"true\"/>\n"
      "</Activity>\n</Process>\n"
      "<Assemblies>\n<Assembly id=\"M1\" name=\"a\"><Member ref=\"M2\"/></Assembly>\n"
      "<Assembly id=\"M2\" name=\"b\"><Member ref=\"P1\"/></Assembly>\n</Assemblies>\n"
      "<Products><Product id=\"P1\" name=\"p\"/></Products>\n</ProcessDocument>\n";
  KivVar<KivProcessDocument> doc = LoadText(text, &error);
  ASSERT_TRUE(doc) << error.ToString();
  const std::string saved = SaveText(*doc);
  for (const char* kept : {"<Link from=\"A2\" to=\"A3\"/>", "<Input item=\"M1\"/>",
                           "<Stop x=\"100\" placed=\"true\"/>", "<Member ref=\"P1\"/>"})
    EXPECT_NE(saved.find(kept), std::string::npos) << kept << " lost in\n" << saved;
}

// A document that uses every fact the file can hold, with values away from
// their defaults, text that XML must escape and a precedence cycle, in the
// writer's own form.
const char* const kRichText = R"(<?xml version="1.0" encoding="UTF-8"?>
<ProcessDocument version="1" ruleEnvironment="true">
  <Products>
    <Product id="P-body" name="Body side LH" alias="BODY-SIDE">
      <Product id="P-outer" name="Side panel outer LH" alias="5U0 809 605"/>
      <Product id="P-pillar" name="B-pillar reinforcement" shown="false">
        <Product id="P-clip" name="Clip ü€" shown="false"/>
      </Product>
      <Product id="P-sill" name="Sill inner &lt;LH&gt; &amp; &quot;RH&quot;&#9;tab&#10;line"/>
    </Product>
  </Products>
  <Resources>
    <Resource id="R-robots" name="Robots" type="Folder">
      <Resource id="R-robot" name="Robot BS010-R01" type="Robot"/>
      <Resource id="R-gun" name="Weld gun BS010-G01" type="WeldGun" shown="false"/>
    </Resource>
  </Resources>
  <Assemblies>
    <Assembly id="M-inner" name="MA inner">
      <Member ref="P-sill"/>
    </Assembly>
    <Assembly id="M-side" name="MA body side">
      <Member ref="P-outer"/>
      <Member ref="M-inner"/>
    </Assembly>
  </Assemblies>
  <Process>
    <Activity id="A-root" type="BIWActivityRoot" name="Body side line">
      <Start x="-25" placed="true"/>
      <Attribute name="Big" type="long" value="9223372036854775807"/>
      <Activity id="A-s1" type="BIWActivityStation" name="BS010 Framing" cycleTime="52.5" x="37.5" y="-12.5" width="20" height="9.5" superNode="1" placed="true">
        <Input item="P-outer"/>
        <Output item="P-body"/>
        <Input item="M-inner"/>
        <AssignedItem ref="P-sill"/>
        <AssignedResource ref="R-gun"/>
        <Attribute name="Availability" type="double" value="0.9575"/>
        <Attribute name="Note" type="string" value="two &quot;shifts&quot;&#10;&amp; &lt;weekend&gt;"/>
        <Activity id="A-load" type="BIWActivityLoading" name="Load outer">
          <AssignedItem ref="P-outer"/>
          <AssignedItem ref="M-inner"/>
        </Activity>
        <Activity id="A-weld" type="BIWActivitySpotWelding" name="Weld">
          <Stop x="5" y="5" placed="true"/>
          <AssignedResource ref="R-robot"/>
          <AssignedResource ref="R-gun"/>
          <Activity id="A-stud" type="BIWActivityStudWelding" name="Studs"/>
        </Activity>
        <Link from="A-s1/Start" to="A-load"/>
        <Link from="A-load" to="A-weld"/>
        <Link from="A-weld" to="A-load"/>
        <Link from="A-weld" to="A-s1/Stop"/>
      </Activity>
      <Activity id="A-g" type="BIWActivityGrouping" name="Cell" cycleTime="0.1" x="0.3333333333333333" y="2e+08" superNode="2">
        <Activity id="A-s2" type="BIWActivityStation" name="BS020 Respot" cycleTime="1e-300">
          <Output item="M-side"/>
        </Activity>
      </Activity>
      <Link from="A-root/Start" to="A-s1"/>
      <Link from="A-s1" to="A-g"/>
      <Link from="A-root/Start" to="A-g"/>
      <Link from="A-g" to="A-root/Stop"/>
    </Activity>
  </Process>
</ProcessDocument>
)";

TEST_F(KivProcessDocumentFileTest, EveryFactSurvivesLoadingAndSaving) {
  const std::string path = folder_.Write("rich.xml", kRichText);
  KivVar<KivProcessDocument> doc;
  KivProcessDocumentError loadError;
  ASSERT_EQ(KivProcessDocumentReader::LoadFile(path, doc, loadError), S_OK) << loadError.ToString();
  EXPECT_EQ(doc->GetStorageName(), KivUnicodeString(path));
  // A fact lost or changed on either side shows in the saved bytes below;
  // these read the model itself, so that a reader and a writer cannot agree
  // on a wrong meaning (decoded text, the node fields, typed attributes).
  auto at = [&doc](const char* id) { return doc->FindById(id); };
  EXPECT_EQ(KivIModelObject_var(at("P-sill"))->ObjectName(),
            KivUnicodeString("Sill inner <LH> & \"RH\"\ttab\nline"));
  EXPECT_EQ(doc->GetPertNodeData(at("A-s1")), (KivPertNodeData{37.5, -12.5, 20, 9.5, 1, true}));
  EXPECT_EQ(std::get<KivUnicodeString>(doc->GetAttribute(at("A-s1"), "Note")),
            KivUnicodeString("two \"shifts\"\n& <weekend>"));
  EXPECT_EQ(std::get<long>(doc->GetAttribute(at("A-root"), "Big")), LONG_MAX);

  const std::string copy = folder_.Sub("copy.xml");
  std::string error;
  ASSERT_EQ(KivProcessDocumentWriter::SaveFile(*doc, copy, error), S_OK) << error;
  EXPECT_EQ(doc->GetStorageName(), KivUnicodeString(copy));
  EXPECT_EQ(ReadFile(copy), kRichText) << "a fact was lost or changed";
}

TEST_F(KivProcessDocumentFileTest, TheExampleLoadsAndSavesBackByteForByte) {
  const std::string example = std::string(KIV_SOURCE_DIR) + "/examples/underbody_line.xml";
  KivVar<KivProcessDocument> first;
  KivProcessDocumentError error;
  ASSERT_EQ(KivProcessDocumentReader::LoadFile(example, first, error), S_OK) << error.ToString();
  // Saved, loaded and saved again: the same facts and the same bytes.
  const std::string text = SaveText(*first);
  KivVar<KivProcessDocument> second = LoadText(text, &error);
  ASSERT_TRUE(second) << error.ToString();
  EXPECT_EQ(SaveText(*second), text);
  // The example is kept in the writer's own form.
  EXPECT_EQ(text, ReadFile(example));
}

TEST_F(KivProcessDocumentFileTest, TheGeneratedDocumentLoadsWithItsPromisedSize) {
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
  // (That it saves back, the example's and the rich document's round trips show.)
#endif
}

TEST_F(KivProcessDocumentFileTest, AFailedSaveLeavesTheExistingFileAsItWas) {
  KivVar<KivProcessDocument> doc = KivProcessDocument::Create();
  doc->CreateRootActivity("Line", "A1");
  const std::string path = folder_.Write("kept.xml", "previous content");
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
  EXPECT_EQ(KivProcessDocumentWriter::SaveFile(*fine, folder_.Sub("no/such/folder.xml"), error),
            E_FAIL);
}

// Identifiers are non-empty words without blanks, slashes or quotes, and
// booleans are spelled in lower case. (Numbers that are no numbers, the
// refusal table shows; doubles read back exactly, the round trip.)
TEST(KivProcessDocumentFormatTest, IdentifiersBooleansAndLongsAreReadStrictly) {
  namespace fmt = KivProcessDocumentFormat;
  for (const char* good : {"A1", "P-body", "UB010.20", "x:y", "\xC3\xBC"})
    EXPECT_TRUE(fmt::IsValidIdentifier(good)) << good;
  for (const char* bad : {"", "A 1", "A1/Start", "a\"b", "a'b", "tab\there", "\x7F"})
    EXPECT_FALSE(fmt::IsValidIdentifier(bad)) << bad;
  EXPECT_FALSE(fmt::IsValidIdentifier(std::string(201, 'a')));
  EXPECT_TRUE(fmt::IsValidIdentifier(std::string(200, 'a')));
  for (const char* bad : {"True", "1"}) EXPECT_FALSE(fmt::ParseBoolean(bad)) << bad;
  EXPECT_EQ(fmt::ParseLong("-9223372036854775808"), std::optional<long>(LONG_MIN));
}

}  // namespace
