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

struct BrokenCase {
  const char* what;
  std::string text;
  const char* expected;  // a fragment of the message
};

TEST_F(KivProcessDocumentReaderTest, ASoundDocumentLoads) {
  KivProcessDocumentError error;
  KivVar<KivProcessDocument> doc = LoadText(Document("", ""), &error);
  ASSERT_TRUE(doc) << error.ToString();
  EXPECT_EQ(doc->ActivityCount(), 3);
  EXPECT_EQ(doc->GetStorageName(), KivUnicodeString("test.xml"));
  EXPECT_EQ(doc->GetCycleTime(doc->FindById("A2")), 50.0);
}

TEST_F(KivProcessDocumentReaderTest, EachKindOfBadInputIsRefusedWithItsPlace) {
  const std::string act = "<Activity id=\"A4\" type=\"BIWActivityStation\" name=\"ST020\"";
  const std::vector<BrokenCase> cases = {
      // Malformed XML: the parser's line.
      {"mismatched end tag", Document("<Product id=\"P3\" name=\"x\">\n</Activity><!--!-->\n", ""),
       "malformed XML"},
      {"not XML at all", "garbage<!--!-->", "malformed XML"},
      // Structure.
      {"wrong document element", "<Document version=\"1\"/><!--!-->", "must be <ProcessDocument>"},
      {"unsupported version",
       "<ProcessDocument version=\"2\"><!--!-->\n<Process/></ProcessDocument>",
       "unsupported format version \"2\""},
      {"no process section",
       "<ProcessDocument version=\"1\"><!--!-->\n<Products/>\n</ProcessDocument>",
       "missing <Process>"},
      {"section given twice",
       "<ProcessDocument version=\"1\">\n<Products/>\n<Products/><!--!-->\n</ProcessDocument>",
       "section given twice"},
      {"unknown element", Document("", "<Widget/><!--!-->\n"), "unknown element"},
      {"unknown attribute",
       Document("<Product id=\"P3\" name=\"x\" colour=\"red\"/><!--!-->\n", ""),
       "unknown attribute \"colour\""},
      {"missing name", Document("<Product id=\"P3\"/><!--!-->\n", ""),
       "missing attribute \"name\""},
      {"member without a reference",
       Document("", "", "<Assembly id=\"M2\" name=\"x\"><Member/><!--!--></Assembly>\n"),
       "missing attribute \"ref\""},
      {"two roots",
       "<ProcessDocument version=\"1\">\n<Process><!--!-->\n"
       "<Activity id=\"A1\" type=\"BIWActivityRoot\" name=\"a\"/>\n"
       "<Activity id=\"A2\" type=\"BIWActivityRoot\" name=\"b\"/>\n</Process>\n</ProcessDocument>",
       "exactly one <Activity>"},
      {"root of another type",
       "<ProcessDocument version=\"1\">\n<Process>\n"
       "<Activity id=\"A1\" type=\"BIWActivityStation\" name=\"a\"/><!--!-->\n</Process>\n"
       "</ProcessDocument>",
       "must be of type \"BIWActivityRoot\""},
      {"nesting too deep", "", "nested deeper than 256"},  // built below
      // Identifiers.
      {"duplicate product id", Document("<Product id=\"P2\" name=\"again\"/><!--!-->\n", ""),
       "duplicate identifier \"P2\""},
      {"activity id taken by a product",
       Document("", "<Activity id=\"P1\" type=\"BIWActivityLoading\" name=\"x\"/><!--!-->\n"),
       "duplicate identifier \"P1\""},
      {"invalid id", Document("<Product id=\"P 3\" name=\"x\"/><!--!-->\n", ""),
       "invalid identifier \"P 3\""},
      {"id in the Start node namespace",
       Document("", "<Activity id=\"A2/Start\" type=\"BIWActivityLoading\" name=\"x\"/><!--!-->\n"),
       "invalid identifier"},
      // Dangling references and references of the wrong kind.
      {"dangling link", Document("", "<Link from=\"A2\" to=\"A9\"/><!--!-->\n"),
       "unknown identifier \"A9\""},
      {"dangling input", Document("", act + ">\n<Input item=\"P99\"/><!--!-->\n</Activity>\n"),
       "unknown identifier \"P99\""},
      {"dangling member",
       Document("", "",
                "<Assembly id=\"M2\" name=\"x\">\n<Member ref=\"M9\"/><!--!-->\n</Assembly>\n"),
       "unknown identifier \"M9\""},
      {"resource given as an input",
       Document("", act + ">\n<Input item=\"R2\"/><!--!-->\n</Activity>\n"),
       "neither a product nor an assembly"},
      {"product assigned as a resource",
       Document("", act + ">\n<AssignedResource ref=\"P2\"/><!--!-->\n</Activity>\n"),
       "is not a resource"},
      {"activity as an assembly member",
       Document("", "",
                "<Assembly id=\"M2\" name=\"x\">\n<Member ref=\"A1\"/><!--!-->\n</Assembly>\n"),
       "neither a product nor an assembly"},
      {"link to another level", Document("", "<Link from=\"A2\" to=\"A3\"/><!--!-->\n"),
       "\"A3\" is no node of this activity's level"},
      {"link to a product", Document("", "<Link from=\"A2\" to=\"P1\"/><!--!-->\n"),
       "\"P1\" is no node"},
      // Ancestry: an assembly may not contain itself, directly or not.
      {"assembly holding itself",
       Document("", "",
                "<Assembly id=\"M2\" name=\"x\">\n<Member ref=\"M2\"/><!--!-->\n</Assembly>\n"),
       "its own ancestor"},
      {"assembly cycle",
       Document("", "",
                "<Assembly id=\"M2\" name=\"x\">\n<Member ref=\"M3\"/>\n</Assembly>\n"
                "<Assembly id=\"M3\" name=\"y\">\n<Member ref=\"M2\"/><!--!-->\n</Assembly>\n"),
       "its own ancestor"},
      // Activity types.
      {"unknown activity type",
       Document("", "<Activity id=\"A4\" type=\"BIWActivityPainting\" name=\"x\"/><!--!-->\n"),
       "unknown activity type \"BIWActivityPainting\""},
      {"a second root type below the root",
       Document("", "<Activity id=\"A4\" type=\"BIWActivityRoot\" name=\"x\"/><!--!-->\n"),
       "only the root activity"},
      {"cycle time on a loading activity",
       Document("",
                "<Activity id=\"A4\" type=\"BIWActivityLoading\" name=\"x\" "
                "cycleTime=\"3\"/><!--!-->\n"),
       "only stations and groupings"},
      {"Start data on an activity without a Start node",
       Document("",
                "<Activity id=\"A4\" type=\"BIWActivityLoading\" name=\"x\">\n<Start "
                "x=\"1\"/><!--!-->\n</Activity>\n"),
       "has no Start node"},
      // Absurd numbers.
      {"NaN position", Document("", act + " x=\"NaN\"/><!--!-->\n"),
       "attribute \"x\" is not a number"},
      {"infinite position", Document("", act + " y=\"1e400\"/><!--!-->\n"), "attribute \"y\""},
      {"position beyond range", Document("", act + " x=\"2e9\"/><!--!-->\n"),
       "from -1e+09 to 1e+09"},
      {"trailing text in a number", Document("", act + " width=\"16px\"/><!--!-->\n"), "\"16px\""},
      {"negative cycle time", Document("", act + " cycleTime=\"-5\"/><!--!-->\n"), "cycleTime"},
      {"super node state out of range", Document("", act + " superNode=\"3\"/><!--!-->\n"),
       "must be 0, 1 or 2"},
      {"placed is not a boolean", Document("", act + " placed=\"yes\"/><!--!-->\n"),
       "neither \"true\" nor \"false\""},
      {"hidden is not a boolean",
       Document("<Product id=\"P3\" name=\"x\" shown=\"0\"/><!--!-->\n", ""), "\"shown\""},
      // User attributes.
      {"unknown attribute type",
       Document(
           "",
           act + ">\n<Attribute name=\"n\" type=\"float\" value=\"1\"/><!--!-->\n</Activity>\n"),
       "unknown attribute type \"float\""},
      {"long that is not an integer",
       Document(
           "",
           act + ">\n<Attribute name=\"n\" type=\"long\" value=\"1.5\"/><!--!-->\n</Activity>\n"),
       "not a long integer"},
      {"double that is NaN",
       Document(
           "",
           act + ">\n<Attribute name=\"n\" type=\"double\" value=\"nan\"/><!--!-->\n</Activity>\n"),
       "not a finite number"},
      {"attribute given twice",
       Document("",
                act + ">\n<Attribute name=\"n\" type=\"long\" value=\"1\"/>\n"
                      "<Attribute name=\"n\" type=\"string\" value=\"x\"/><!--!-->\n</Activity>\n"),
       "given twice"},
      // Duplicates that would silently collapse.
      {"link given twice",
       Document("",
                "<Link from=\"A2\" to=\"A1/Stop\"/>\n<Link from=\"A2\" to=\"A1/Stop\"/><!--!-->\n"),
       "link given twice"},
      {"link to itself", Document("", "<Link from=\"A2\" to=\"A2\"/><!--!-->\n"), "refused"},
      {"item assigned twice",
       Document(
           "",
           act +
               ">\n<AssignedItem ref=\"P2\"/>\n<AssignedItem ref=\"P2\"/><!--!-->\n</Activity>\n"),
       "item assigned twice"},
      {"member given twice",
       Document("", "",
                "<Assembly id=\"M2\" name=\"x\">\n<Member ref=\"P1\"/>\n<Member "
                "ref=\"P1\"/><!--!-->\n</Assembly>\n"),
       "member given twice"},
  };

  for (BrokenCase c : cases) {
    if (std::string_view(c.what) == "nesting too deep") {
      std::string deep =
          "<ProcessDocument version=\"1\">\n<Process>\n"
          "<Activity id=\"A0\" type=\"BIWActivityRoot\" name=\"r\">\n";
      // The root is level 1, so the activity A<limit> is one level too deep.
      const int limit = KivProcessDocumentFormat::kMaxNesting;
      for (int i = 1; i <= limit + 1; ++i)
        deep += "<Activity id=\"A" + std::to_string(i) +
                "\" type=\"BIWActivityGrouping\" name=\"g\">" + (i == limit ? "<!--!-->" : "") +
                "\n";
      for (int i = 1; i <= limit + 1; ++i) deep += "</Activity>\n";
      c.text = deep + "</Activity>\n</Process>\n</ProcessDocument>\n";
    }
    SCOPED_TRACE(c.what);
    const int line = MarkedLine(c.text);
    ASSERT_GT(line, 0) << "the case marks no line";
    KivProcessDocumentError error;
    KivVar<KivProcessDocument> doc = LoadText(c.text, &error);
    EXPECT_FALSE(doc);
    EXPECT_EQ(error.source, "test.xml");
    EXPECT_EQ(error.line, line) << error.ToString();
    EXPECT_NE(error.message.find(c.expected), std::string::npos) << error.ToString();
    const std::string whole = error.ToString();
    EXPECT_EQ(whole.rfind("test.xml:" + std::to_string(line) + ": ", 0), 0u) << whole;
  }
}

TEST_F(KivProcessDocumentReaderTest, TheMessageNamesTheElementWithItsIdentifyingAttributes) {
  KivProcessDocumentError error;
  const std::string text = Document("", "<Link from=\"A2\" to=\"A9\"/>\n");
  ASSERT_FALSE(LoadText(text, &error));
  EXPECT_EQ(error.element, "<Link from=\"A2\" to=\"A9\">");
  EXPECT_EQ(error.ToString(), "test.xml:" + std::to_string(error.line) +
                                  ": <Link from=\"A2\" to=\"A9\">: unknown identifier \"A9\"");
}

TEST_F(KivProcessDocumentReaderTest, AFailedLoadKeepsNoDocumentAndReleasesWhatItBuilt) {
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

TEST_F(KivProcessDocumentReaderTest, ElementsMayComeInAnyOrderAndReferToLaterOnes) {
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
  KivProcessDocumentError error;
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
