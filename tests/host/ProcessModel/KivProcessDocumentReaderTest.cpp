// Loading process documents: each kind of bad input is refused with the
// file, line and element of the fault, and nothing half-loaded survives.
#include <string_view>

#include "KivProcessDocumentFileTestSupport.h"
#include "KivProcessDocumentFormat.h"

namespace {

using KivProcessDocumentReaderTest = KivProcessDocumentFileTest;

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

// The line holding the mark, to name a case.
std::string MarkedText(const std::string& text) {
  const std::size_t end = text.find("<!--!-->");
  const std::size_t start = text.rfind('\n', end);
  return text.substr(start == std::string::npos ? 0 : start + 1, end - start);
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

TEST_F(KivProcessDocumentReaderTest, EachKindOfBadInputIsRefusedWithItsPlace) {
  const std::string doc1 = "<ProcessDocument version=\"1\">";
  const struct {
    std::string text;
    const char* expected;  // a fragment of the message
  } cases[] = {
      // Malformed XML: the parser's line.
      {InProducts("<Product id=\"P3\" name=\"x\">\n</Activity>"), "malformed XML"},
      {"garbage<!--!-->", "malformed XML"},
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
      {InAssembly("<Member/>"), "missing attribute \"ref\""},
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
    SCOPED_TRACE(MarkedText(c.text));
    ASSERT_GT(line, 0) << "the case marks no line";
    KivProcessDocumentError error;
    EXPECT_FALSE(LoadText(c.text, &error));
    EXPECT_EQ(error.source, "test.xml");
    EXPECT_EQ(error.line, line) << error.ToString();
    EXPECT_NE(error.message.find(c.expected), std::string::npos) << error.ToString();
    const std::string whole = error.ToString();
    EXPECT_EQ(whole.rfind("test.xml:" + std::to_string(line) + ": ", 0), 0u) << whole;
  }
}

TEST_F(KivProcessDocumentReaderTest, AFailedLoadNamesTheElementAndReleasesWhatItBuilt) {
  // The fault comes last, after products, assemblies and most activities
  // were built: all of it must go, and a previous handle is emptied.
  const long before = KivBaseUnknown::LiveInstances();
  KivVar<KivProcessDocument> doc = KivProcessDocument::Create();
  KivProcessDocumentError error;
  const std::string text = Document("", "<Link from=\"A2\" to=\"A9\"/>\n");
  EXPECT_EQ(KivProcessDocumentReader::LoadBuffer(text.data(), text.size(), "t.xml", doc, error),
            E_FAIL);
  EXPECT_FALSE(doc);
  EXPECT_EQ(KivBaseUnknown::LiveInstances(), before);
  EXPECT_EQ(error.element, "<Link from=\"A2\" to=\"A9\">");
  EXPECT_EQ(error.ToString(), "t.xml:" + std::to_string(error.line) +
                                  ": <Link from=\"A2\" to=\"A9\">: unknown identifier \"A9\"");
}

TEST_F(KivProcessDocumentReaderTest, AMissingFileIsNamedInTheError) {
  KivVar<KivProcessDocument> doc;
  KivProcessDocumentError error;
  const std::string path = PathOf("absent.xml");
  EXPECT_EQ(KivProcessDocumentReader::LoadFile(path, doc, error), E_FAIL);
  EXPECT_FALSE(doc);
  EXPECT_EQ(error.source, path);
  EXPECT_EQ(error.line, 0);
  EXPECT_EQ(error.ToString().rfind(path + ": ", 0), 0u) << error.ToString();
  EXPECT_EQ(error.message.find("malformed"), std::string::npos) << error.ToString();
}

TEST_F(KivProcessDocumentReaderTest, SoundDocumentsLoadWithElementsInAnyOrder) {
  KivProcessDocumentError error;
  KivVar<KivProcessDocument> sound = LoadText(Document("", ""), &error);
  ASSERT_TRUE(sound) << error.ToString();
  EXPECT_EQ(sound->ActivityCount(), 3);
  EXPECT_EQ(sound->GetStorageName(), KivUnicodeString("test.xml"));
  EXPECT_EQ(sound->GetCycleTime(sound->FindById("A2")), 50.0);

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
  KivSPPList next = KivISPPFlowMgt_var(doc->FindById("A2"))->NextActivities("Activity");
  ASSERT_EQ(next->Size(), 1);
  EXPECT_EQ(doc->IdOf((*next)[1]), "A3");
  const KivPertNodeData stop = doc->GetPertNodeData(doc->FindById("A1/Stop"));
  EXPECT_EQ(stop.x, 100.0);
  EXPECT_TRUE(stop.placed);
}

}  // namespace
