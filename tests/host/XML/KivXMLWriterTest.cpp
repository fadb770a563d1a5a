// The writer: layout, escaping that survives a parse, refusal of what XML
// cannot hold, and saving that never leaves a half-written file.
#include "KivXMLTestSupport.h"
#include "KivXMLWriter.h"

namespace {

using KivXMLWriterTest = KivXMLTest;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(KivXMLWriterTest, WritesIndentedUtf8) {
  KivXMLWriter writer;
  writer.StartElement("Process").Attribute("Name", "Line 1");
  writer.Comment("stations");
  writer.StartElement("Station").Attribute("Id", "S1");
  writer.StartElement("Label").Text("Framing").EndElement();
  writer.StartElement("Empty").EndElement();
  writer.EndElement();
  writer.EndElement();
  writer.Comment("end");
  std::string text;
  ASSERT_EQ(writer.GetText(text), S_OK) << writer.GetLastError();
  EXPECT_EQ(text,
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<Process Name=\"Line 1\">\n"
            "  <!--stations-->\n"
            "  <Station Id=\"S1\">\n"
            "    <Label>Framing</Label>\n"
            "    <Empty/>\n"
            "  </Station>\n"
            "</Process>\n"
            "<!--end-->\n");
}

TEST_F(KivXMLWriterTest, AwkwardCharactersSurviveARoundTrip) {
  const KivUnicodeString awkward(
      Utf8(u8"a&b <c> \"quoted\" 'single' ]]> tab\there\nline two\r\nwindows "
           u8"\u00E4\u00DF\u20AC\U0001F697 &amp; "));
  KivXMLWriter writer;
  writer.StartElement("r").Attribute("value", awkward).Attribute("blank", "  lead and trail  ");
  writer.StartElement("t").Text(awkward).EndElement();
  writer.StartElement("mixed").Text("before ").StartElement("b").Text("bold").EndElement();
  writer.Text(" after").EndElement();
  writer.EndElement();
  std::string text;
  ASSERT_EQ(writer.GetText(text), S_OK) << writer.GetLastError();

  KivIDOMDocument_var document = ParseText(text);
  ASSERT_TRUE(document) << text;
  KivIDOMElement_var root = document->GetDocumentElement();
  EXPECT_EQ(root->GetAttribute("value"), awkward);
  EXPECT_EQ(root->GetAttribute("blank"), KivUnicodeString("  lead and trail  "));
  EXPECT_EQ(document->GetElementsByTagName("t")[1]->GetTextContent(), awkward);
  // Indentation never enters an element that holds text.
  EXPECT_EQ(document->GetElementsByTagName("mixed")[1]->GetTextContent(),
            KivUnicodeString("before bold after"));
}

TEST_F(KivXMLWriterTest, RefusesWhatXmlCannotHold) {
  struct Case {
    const char* what;
    void (*write)(KivXMLWriter&);
  };
  const Case cases[] = {
      {"control character in text",
       [](KivXMLWriter& w) {
         w.StartElement("r").Text(KivUnicodeString(std::u32string{'a', 1}));
       }},
      {"nul in attribute",
       [](KivXMLWriter& w) {
         w.StartElement("r").Attribute("a", KivUnicodeString(std::u32string{'x', 0}));
       }},
      {"element name with a blank", [](KivXMLWriter& w) { w.StartElement("two words"); }},
      {"element name starting with a digit", [](KivXMLWriter& w) { w.StartElement("1st"); }},
      {"attribute name with a quote",
       [](KivXMLWriter& w) { w.StartElement("r").Attribute("a\"b", "v"); }},
      {"attribute written twice",
       [](KivXMLWriter& w) { w.StartElement("r").Attribute("a", "1").Attribute("a", "2"); }},
      {"attribute after content",
       [](KivXMLWriter& w) { w.StartElement("r").Text("t").Attribute("a", "v"); }},
      {"two root elements",
       [](KivXMLWriter& w) { w.StartElement("r").EndElement().StartElement("s"); }},
      {"comment with two dashes", [](KivXMLWriter& w) { w.StartElement("r").Comment("a--b"); }},
      {"comment ending in a dash", [](KivXMLWriter& w) { w.StartElement("r").Comment("a-"); }},
      {"end without start", [](KivXMLWriter& w) { w.EndElement(); }},
      {"text outside the root", [](KivXMLWriter& w) { w.Text("loose"); }},
      {"element left open",
       [](KivXMLWriter& w) { w.StartElement("r").StartElement("s").EndElement(); }},
      {"no element at all", [](KivXMLWriter&) {}},
  };
  for (const Case& c : cases) {
    KivXMLWriter writer;
    c.write(writer);
    std::string text = "untouched";
    EXPECT_EQ(writer.GetText(text), E_FAIL) << c.what;
    EXPECT_EQ(text, "untouched") << c.what;
    EXPECT_FALSE(writer.GetLastError().empty()) << c.what;
  }
}

TEST_F(KivXMLWriterTest, TheFirstErrorIsKeptAndLaterCallsWriteNothing) {
  KivXMLWriter writer;
  writer.StartElement("r").Attribute("bad name", "v").StartElement("s").EndElement().EndElement();
  EXPECT_FALSE(writer.IsOk());
  EXPECT_NE(writer.GetLastError().find("bad name"), std::string::npos) << writer.GetLastError();
  EXPECT_EQ(writer.Depth(), 1);  // nothing after the error was written
}

TEST_F(KivXMLWriterTest, SavingReplacesTheFileOnlyWhenTheDocumentIsWhole) {
  const std::string path = WriteFile("process.xml", "<old/>");

  KivXMLWriter broken;
  broken.StartElement("new");  // never closed
  EXPECT_EQ(broken.SaveToFile(path), E_FAIL);
  EXPECT_EQ(ReadAll(path), "<old/>");

  KivXMLWriter writer;
  writer.StartElement("new").Attribute("k", "v").EndElement();
  EXPECT_EQ(writer.SaveToFile((folder_ / "no" / "such" / "folder.xml").string()), E_FAIL);
  EXPECT_NE(writer.GetLastError().find("cannot write"), std::string::npos);
  EXPECT_TRUE(writer.IsOk());  // the document itself is fine and may be saved elsewhere
  ASSERT_EQ(writer.SaveToFile(path), S_OK) << writer.GetLastError();
  EXPECT_TRUE(writer.GetLastError().empty());

  std::string text;
  ASSERT_EQ(writer.GetText(text), S_OK);
  EXPECT_EQ(ReadAll(path), text);  // (the safe file writer leaves no temporary behind)
}

}  // namespace
