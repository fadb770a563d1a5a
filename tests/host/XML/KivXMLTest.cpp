// The XML parser, its document builder and the writer: the parsed tree,
// failures and their reports, options and validation, defences against
// hostile documents, escaping that survives a parse, and saving that never
// leaves a half-written file.
#include <gtest/gtest.h>

#include <string>

#include "KivIXMLDOMDocumentBuilder.h"
#include "KivLeakCheck.h"
#include "KivTestSupport.h"
#include "KivXMLPlatform.h"
#include "KivXMLUTF.h"
#include "KivXMLWriter.h"

namespace {

// A scratch folder, parse helpers, and a check that every component created
// during a test is released by its end.
class KivXMLTest : public LeakCheckedTest {
 protected:
  static KivIXMLDOMDocumentBuilder_var NewBuilder() {
    KivIXMLDOMDocumentBuilder_var builder;
    EXPECT_EQ(CreateKivIXMLDOMDocumentBuilder(CLSID_XML4C_DOM, builder), S_OK);
    return builder;
  }

  // Parses `text` as a buffer without options; empty on failure.
  static KivIDOMDocument_var ParseText(const std::string& text) {
    KivIDOMDocument_var document;
    KivIXMLDOMDocumentBuilder_var builder = NewBuilder();
    const HRESULT hr = builder->ParseBuffer(text.data(), text.size(), "test.xml", document, {}, {});
    EXPECT_EQ(hr, S_OK) << builder->GetLastError();
    return document;
  }

  // Switches the XML trace on for the rest of the test.
  void EnableTrace() { traces_.emplace("KivTraces", "KivXMLTrace"); }

  TempFolder folder_;
  std::optional<ScopedEnv> traces_;
};

// UTF-8 spelled as bytes, so that the test sources stay ASCII.
inline std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

std::vector<std::string> Attributes(const KivListValKivIDOMElement_var& elements,
                                    const char* name) {
  std::vector<std::string> values;
  for (const KivIDOMElement_var& element : elements)
    values.push_back(element->GetAttribute(name).ConvertToUTF8());
  return values;
}

using Strings = std::vector<std::string>;

const char* const kNested = R"(<Config>
  <ActivityZitBlt ActivityType="A" n="1">
    <Group><ActivityZitBlt n="2"><ZitBlt n="z1"/></ActivityZitBlt></Group>
    <ZitBlt n="z2"/>
  </ActivityZitBlt>
  <Other><ActivityZitBlt n="3"><ActivityZitBlt n="4"/></ActivityZitBlt></Other>
  <activityzitblt n="lower"/>
</Config>)";

TEST_F(KivXMLTest, ElementsByExactTagNameAreFoundAtAnyDepthInDocumentOrder) {
  KivIDOMDocument_var document = ParseText(kNested);
  ASSERT_TRUE(document);
  EXPECT_EQ(Attributes(document->GetElementsByTagName("ActivityZitBlt"), "n"),
            (Strings{"1", "2", "3", "4"}));
  // Below an element: its descendants only, not the element itself.
  KivIDOMElement_var first = document->GetElementsByTagName("ActivityZitBlt")[1];
  EXPECT_EQ(Attributes(first->GetElementsByTagName("ActivityZitBlt"), "n"), (Strings{"2"}));
  EXPECT_EQ(Attributes(first->GetElementsByTagName("ZitBlt"), "n"), (Strings{"z1", "z2"}));
  // The document's search includes the document element.
  EXPECT_EQ(document->GetElementsByTagName("Config").Size(), 1);
  EXPECT_EQ(document->GetElementsByTagName("*").Size(), 10);
  EXPECT_EQ(document->GetElementCount(), 10);
  EXPECT_EQ(first->GetElementsByTagName("*").Size(), 4);
  // Tag names match exactly; a name used only by an attribute is no tag.
  EXPECT_EQ(Attributes(document->GetElementsByTagName("activityzitblt"), "n"), (Strings{"lower"}));
  for (const char* none : {"ActivityZitBlt ", "Missing", "", "n"})
    EXPECT_TRUE(document->GetElementsByTagName(none).IsEmpty()) << none;
}

TEST_F(KivXMLTest, AbsentAttributesReadAsEmpty) {
  KivIDOMDocument_var document = ParseText(
      R"(<r><e Name="x" Empty="" Padded=" Station " Escaped="a&amp;b &lt;&#x20AC;&gt;" z="1" a="2"/></r>)");
  ASSERT_TRUE(document);
  KivIDOMElement_var e = document->GetElementsByTagName("e")[1];
  EXPECT_EQ(e->GetAttribute("Name"), KivUnicodeString("x"));
  EXPECT_EQ(e->GetAttribute("Location"), KivUnicodeString());
  EXPECT_FALSE(e->HasAttribute("Location"));
  EXPECT_EQ(e->GetAttribute("Empty"), KivUnicodeString());
  EXPECT_TRUE(e->HasAttribute("Empty"));
  EXPECT_EQ(e->GetAttribute("Padded"), KivUnicodeString(" Station "));  // blanks are kept
  EXPECT_EQ(e->GetAttribute("name"), KivUnicodeString());               // case counts
  EXPECT_EQ(e->GetAttribute("Escaped").ConvertToUTF8(), Utf8(u8"a&b <\u20AC>"));
  const KivListValKivUnicodeString names = e->GetAttributeNames();
  ASSERT_EQ(names.Size(), 6);
  EXPECT_EQ(names[5], KivUnicodeString("z"));  // written order, not sorted
  EXPECT_EQ(names[6], KivUnicodeString("a"));
  // An element without attributes.
  KivIDOMElement_var root = document->GetDocumentElement();
  EXPECT_EQ(root->GetAttribute("Name"), KivUnicodeString());
  EXPECT_TRUE(root->GetAttributeNames().IsEmpty());
}

TEST_F(KivXMLTest, ChildrenCarryTheirNodeTypes) {
  KivIDOMDocument_var document = ParseText(
      "<!DOCTYPE r [<!ENTITY who \"world\"><!-- inside the DTD -->]>\n"
      "<!-- before -->\n"
      "<r>hello &who; &amp; more<!--note--><e/><![CDATA[a<b]]><![CDATA[c]]><?target some "
      "data?></r>");
  ASSERT_TRUE(document);
  EXPECT_EQ(document->GetNodeType(), KivIDOMNode::DOCUMENT_NODE);
  EXPECT_EQ(document->GetNodeName(), KivUnicodeString("#document"));
  EXPECT_FALSE(document->GetParentNode());

  // Each node as "type name=value" (1 element, 3 text, 4 CDATA section,
  // 7 processing instruction, 8 comment, 10 document type).
  auto describe = [](const KivListValKivIDOMNode_var& nodes) {
    Strings out;
    for (const auto& n : nodes)
      out.push_back(std::to_string(n->GetNodeType()) + " " + n->GetNodeName().ConvertToUTF8() +
                    "=" + n->GetNodeValue().ConvertToUTF8());
    return out;
  };
  const KivListValKivIDOMNode_var top = document->GetChildNodes();
  // The DTD's comment is not a node.
  EXPECT_EQ(describe(top), (Strings{"10 r=", "8 #comment= before ", "1 r="}));
  ASSERT_EQ(top.Size(), 3);
  EXPECT_TRUE(top[3] == document->GetDocumentElement());
  const KivListValKivIDOMNode_var children = top[3]->GetChildNodes();
  // Text split by entity references is one node, with the entities expanded.
  EXPECT_EQ(describe(children),
            (Strings{"3 #text=hello world & more", "8 #comment=note",
                     "1 e=", "4 #cdata-section=a<b", "4 #cdata-section=c", "7 target=some data"}));
  ASSERT_EQ(children.Size(), 6);
  EXPECT_EQ(top[3]->GetTextContent(), KivUnicodeString("hello world & morea<bc"));

  // Only elements answer the element interface.
  EXPECT_FALSE(KivIDOMElement_var(children[1]));
  EXPECT_TRUE(KivIDOMElement_var(children[3]));
  EXPECT_TRUE(children[3]->GetParentNode() == top[3]);
  EXPECT_TRUE(children[3]->GetOwnerDocument() == document);
  EXPECT_TRUE(children[3]->GetNextSibling() == children[4]);
  EXPECT_FALSE(children[6]->GetNextSibling());
  EXPECT_FALSE(children[3]->HasChildNodes());
  EXPECT_TRUE(top[3]->GetFirstChild() == children[1]);
  EXPECT_EQ(KivIDOMElement_var(top[3])->GetChildElements().Size(), 1);
}

// (Handles on one node being one component, the node types test shows; queries
// by name, the kernel's.)
TEST_F(KivXMLTest, NodeHandlesKeepTheirDocumentAlive) {
  // Node handles keep their document alive (and release it with the last of
  // them: the fixture's leak check).
  KivIDOMElement_var leaf;
  {
    KivIDOMDocument_var deep = ParseText("<r><deep><leaf k='v'>t</leaf></deep></r>");
    ASSERT_TRUE(deep);
    leaf = deep->GetElementsByTagName("leaf")[1];
  }
  EXPECT_EQ(leaf->GetAttribute("k"), KivUnicodeString("v"));
  EXPECT_EQ(leaf->GetTextContent(), KivUnicodeString("t"));
  KivIDOMDocument_var owner = leaf->GetOwnerDocument();
  EXPECT_EQ(owner->GetDocumentElement()->GetTagName(), KivUnicodeString("r"));
}

// (Text in every plane survives a parse: the writer's round trip below and
// the conversion test show.)
TEST_F(KivXMLTest, NonAsciiPathsDeclaredEncodingsAndPrefixedNamesAreKept) {
  const std::string path = folder_.Write(Utf8(u8"Konfiguration-\u00E4\u00F6\u00FC.xml"), "<r/>");
  KivIDOMDocument_var document;
  KivIXMLDOMDocumentBuilder_var builder = NewBuilder();
  ASSERT_EQ(builder->Parse(path, document, {}, {}, nullptr, nullptr), S_OK)
      << builder->GetLastError();
  EXPECT_EQ(document->GetSourcePath().ConvertToUTF8(), path);

  // "Stra\xDFe" in ISO-8859-1 is "Strasse" with a sharp s.
  document = ParseText(
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r v=\"Stra\xDF"
      "e\"/>");
  ASSERT_TRUE(document);
  EXPECT_EQ(document->GetDocumentElement()->GetAttribute("v").ConvertToUTF8(),
            Utf8(u8"Stra\u00DFe"));
  // Namespace prefixes are part of the name.
  document = ParseText("<p:r xmlns:p='urn:x'><p:e q:a='1'/><undeclared:e/></p:r>");
  ASSERT_TRUE(document);
  EXPECT_EQ(document->GetDocumentElement()->GetTagName(), KivUnicodeString("p:r"));
  EXPECT_EQ(document->GetDocumentElement()->GetAttribute("xmlns:p"), KivUnicodeString("urn:x"));
  EXPECT_EQ(document->GetElementsByTagName("p:e")[1]->GetAttribute("q:a"), KivUnicodeString("1"));
  EXPECT_TRUE(document->GetElementsByTagName("e").IsEmpty());
}

TEST_F(KivXMLTest, DeepNestingAndManyAttributesAreReadWithoutRecursionOrQuadraticWork) {
  constexpr int kDepth = 100000;
  std::string text;
  for (int i = 0; i < kDepth; ++i) text += "<d>";
  for (int i = 0; i < kDepth; ++i) text += "</d>";
  KivIDOMDocument_var document = ParseText(text);
  ASSERT_TRUE(document);
  EXPECT_EQ(document->GetElementsByTagName("d").Size(), kDepth);

  text = "<r";
  for (int i = 0; i < 200000; ++i)
    text += " a" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
  document = ParseText(text + "/>");
  ASSERT_TRUE(document);
  KivIDOMElement_var root = document->GetDocumentElement();
  EXPECT_EQ(root->GetAttributeNames().Size(), 200000);
  EXPECT_EQ(root->GetAttribute("a199999"), KivUnicodeString("199999"));
}

// Xerces' UTF-16 strings and UTF-8 convert into each other (text in every
// plane survives the writer's round trip); broken input becomes replacement
// characters.
TEST(KivXMLUTFTest, EveryPlaneConvertsAndBrokenInputBecomesReplacementCharacters) {
  auto toUtf8 = [](const std::u16string& s) {
    std::string out;
    KivXMLAppendUTF8(out, reinterpret_cast<const XMLCh*>(s.data()), s.size());
    return out;
  };
  EXPECT_EQ(toUtf8(std::u16string{u'a', 0xD800, u'b'}),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(toUtf8(std::u16string{0xDC00}), "\xEF\xBF\xBD");
  EXPECT_EQ(KivXMLFromUTF8("A\xC3\xA9\xF0\x9F\x9A\x97"), u"A\u00E9\U0001F697");
  // A truncated sequence, an overlong form and an encoded surrogate.
  EXPECT_EQ(KivXMLFromUTF8("a\xE2\x82"), (std::u16string{u'a', 0xFFFD, 0xFFFD}));
  EXPECT_EQ(KivXMLFromUTF8("\xC0\xAF"), (std::u16string{0xFFFD, 0xFFFD}));
  EXPECT_EQ(KivXMLFromUTF8("\xED\xA0\x80"), (std::u16string{0xFFFD, 0xFFFD, 0xFFFD}));
  EXPECT_EQ(KivXMLToUTF8(nullptr), "");
}

using Names = KivListValKivUnicodeString;

TEST_F(KivXMLTest, FileFailuresLeaveNoDocumentAndSayWhereAndWhy) {
  EnableTrace();
  const std::string path = folder_.Sub("absent.xml");
  KivIDOMDocument_var document = ParseText("<stale/>");  // a previous result is not kept
  KivIXMLDOMDocumentBuilder_var builder = NewBuilder();
  testing::internal::CaptureStderr();
  EXPECT_EQ(builder->Parse(path, document, {}, {}, nullptr, nullptr), E_FAIL);
  const std::string trace = testing::internal::GetCapturedStderr();
  EXPECT_FALSE(document);
  std::string error = builder->GetLastError().ConvertToUTF8();
  EXPECT_EQ(error.rfind(path + ": cannot open", 0), 0u) << error;
  EXPECT_EQ(builder->GetLastErrorLine(), 0);
  EXPECT_NE(trace.find("[KivXMLTrace]"), std::string::npos) << trace;
  EXPECT_NE(trace.find(error), std::string::npos) << trace;
  // Neither an empty path nor a folder is a document.
  EXPECT_EQ(builder->Parse("", document, {}, {}, nullptr, nullptr), E_FAIL);
  EXPECT_EQ(builder->Parse(folder_.Path(), document, {}, {}, nullptr, nullptr), E_FAIL);
  EXPECT_NE(builder->GetLastError().ConvertToUTF8().find("folder"), std::string::npos);

  // A malformed file: its path, line and column, then the parser's message.
  const std::string broken = folder_.Write("broken.xml", "<r>\n  <a>\n  </a>\n  <b></c>\n</r>\n");
  EXPECT_EQ(builder->Parse(broken, document, {}, {}, nullptr, nullptr), E_FAIL);
  EXPECT_EQ(builder->GetLastErrorLine(), 4);
  EXPECT_GT(builder->GetLastErrorColumn(), 0);
  error = builder->GetLastError().ConvertToUTF8();
  EXPECT_EQ(error.rfind(broken + ":4:", 0), 0u) << error;
  EXPECT_GT(error.size(), broken.size() + 6) << "the parser's message is missing";
  // A good parse afterwards clears the error.
  EXPECT_EQ(builder->Parse(folder_.Write("good.xml", "<r/>"), document, {}, {}, nullptr, nullptr),
            S_OK);
  EXPECT_EQ(builder->GetLastError(), KivUnicodeString());
  EXPECT_EQ(builder->GetLastErrorLine(), 0);
}

TEST_F(KivXMLTest, InputsThatAreNotSafeDocumentsFailWithAMessage) {
  const std::string secret = folder_.Write("secret.txt", "top secret");
  std::string laughs = "<!DOCTYPE lolz [<!ENTITY lol0 \"lol\">";
  for (int i = 1; i <= 9; ++i) {
    laughs += "<!ENTITY lol" + std::to_string(i) + " \"";
    for (int k = 0; k < 10; ++k) laughs += "&lol" + std::to_string(i - 1) + ";";
    laughs += "\">";
  }
  laughs += "]><lolz a=\"&lol9;\">&lol9;</lolz>";
  // 40,000 references to a 50 KB entity would build a 2 GB value (4 GB in the
  // parser's 16-bit characters); the parser's memory budget stops it while
  // the value grows, before the element is even reported.
  const std::string big = "<!DOCTYPE r [<!ENTITY e \"" + std::string(50000, 'x') + "\">]>";
  std::string references;
  for (int i = 0; i < 40000; ++i) references += "&e;";
  const struct {
    std::string text;
    const char* error;  // a fragment of the message
  } cases[] = {
      {"", ""},
      {"   ", ""},
      {"<r></r><second/>", ""},  // (one of the parser's own refusals stands for all)
      {"<r>&undefined;</r>", ""},
      {std::string("<r>\0</r>", 8), ""},
      {"\xFF\xFE<r/>", ""},
      // What a parser might ignore or leave empty.
      {std::string("<r/>\n\0", 6), "buffer:2:1: a NUL character"},
      {std::string("<r/><!-- \0 -->", 14), "buffer:1:10: a NUL character"},
      {"<!DOCTYPE r SYSTEM \"r.dtd\"><r>&outside;</r>", "entity 'outside' is not declared"},
      {"<!DOCTYPE r SYSTEM \"r.dtd\"><r a=\"&outside;\"/>", "outside"},
      // External entities are never read; entity bombs fail cleanly.
      {"<!DOCTYPE r [<!ENTITY s SYSTEM 'file://" + secret + "'>]><r>&s;</r>", "refused"},
      {laughs, ""},
      {big + "<r a=\"" + references + "\"/>", "entity expansion refused"},
      {big + "<r>" + references + "</r>", "entity expansion refused"},
  };
  KivIXMLDOMDocumentBuilder_var builder = NewBuilder();
  KivIDOMDocument_var document;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 60));
    EXPECT_EQ(builder->ParseBuffer(c.text.data(), c.text.size(), "buffer", document, {}, {}),
              E_FAIL);
    EXPECT_FALSE(document);
    const std::string error = builder->GetLastError().ConvertToUTF8();
    EXPECT_FALSE(error.empty());
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
  }
  EXPECT_EQ(builder->ParseBuffer(nullptr, 0, "null", document, {}, {}), E_FAIL);
  EXPECT_EQ(builder->ParseBuffer(nullptr, 5, "null", document, {}, {}), E_INVALIDARG);
  // In UTF-16 a zero byte is half of a character, not a NUL.
  EXPECT_TRUE(ParseText(std::string("\xFF\xFE<\0r\0/\0>\0", 10)));
  // Many character references are no bomb.
  std::string text = "<r>";
  for (int i = 0; i < 60000; ++i) text += "&amp;&#65;";
  document = ParseText(text + "</r>");
  ASSERT_TRUE(document);
  EXPECT_EQ(document->GetDocumentElement()->GetTextContent().GetLengthInChar(), 120000);
}

TEST_F(KivXMLTest, OptionListsAreCheckedAndResolversRefused) {
  EnableTrace();
  KivIXMLDOMDocumentBuilder_var builder = NewBuilder();
  KivIDOMDocument_var document;
  const std::string text = "<r/>";
  auto parse = [&](const KivListValKivUnicodeString& names,
                   const KivListValKivUnicodeString& values) {
    return builder->ParseBuffer(text.data(), text.size(), "options", document, names, values);
  };
  EXPECT_EQ(parse(Names{"KivDoValidation"}, {}), E_INVALIDARG);
  EXPECT_FALSE(document);
  EXPECT_EQ(parse(Names{"KivDoValidation"}, Names{"yes"}), E_INVALIDARG);
  EXPECT_NE(builder->GetLastError().ConvertToUTF8().find("yes"), std::string::npos);
  EXPECT_EQ(parse(Names{"KivDoValidation"}, Names{"True"}), E_INVALIDARG);

  testing::internal::CaptureStderr();
  EXPECT_EQ(parse(Names{"KivUnknown", "KivDoValidation"}, Names{"1", "true"}), S_OK);
  const std::string trace = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(document);
  EXPECT_NE(trace.find("KivUnknown"), std::string::npos) << trace;

  // Resolvers and error handlers are refused, not ignored.
  const std::string path = folder_.Write("r.xml", "<r/>");
  KivIDOMDocument_var other = ParseText("<x/>");
  EXPECT_EQ(builder->Parse(path, document, {}, {}, other, nullptr), E_INVALIDARG);
  EXPECT_EQ(builder->Parse(path, document, {}, {}, nullptr, other), E_INVALIDARG);
  EXPECT_FALSE(document);
  EXPECT_NE(builder->GetLastError().ConvertToUTF8().find("not supported"), std::string::npos);
}

TEST_F(KivXMLTest, ValidationOnlyWhenAskedAgainstLocalGrammarsOnly) {
  KivIXMLDOMDocumentBuilder_var builder = NewBuilder();
  KivIDOMDocument_var document;
  const auto validate = Names{"KivDoValidation"};
  const auto yes = Names{"true"};
  auto parse = [&](const std::string& text, const char* validating) {
    return builder->ParseBuffer(text.data(), text.size(), "v.xml", document, validate,
                                Names{validating});
  };
  const std::string invalid =
      "<!DOCTYPE r [<!ELEMENT r (a)*><!ELEMENT a EMPTY><!ATTLIST a n CDATA #REQUIRED>]>\n"
      "<r>\n<a n='1'/>\n<b/>\n</r>";
  EXPECT_EQ(parse(invalid, "false"), S_OK);
  EXPECT_EQ(parse(invalid, "true"), E_FAIL);
  EXPECT_EQ(builder->GetLastErrorLine(), 4);  // <b/> is not declared
  EXPECT_FALSE(document);
  std::string valid = invalid;
  valid.replace(valid.find("<b/>"), 4, "<a n='2'/>");
  EXPECT_EQ(parse(valid, "true"), S_OK) << builder->GetLastError();
  // Without a grammar there is nothing to validate against.
  EXPECT_EQ(parse("<free><form/></free>", "true"), S_OK) << builder->GetLastError();

  // External grammars are read from the document's folder, and only to validate.
  folder_.Write("grammar.dtd", "<!ELEMENT r (a)*><!ELEMENT a EMPTY>");
  const std::string path =
      folder_.Write("doc.xml", "<!DOCTYPE r SYSTEM 'grammar.dtd'>\n<r><a/><b/></r>");
  const std::string unreachable =
      folder_.Write("far.xml", "<!DOCTYPE r SYSTEM 'http://192.0.2.1/grammar.dtd'>\n<r/>");
  EXPECT_EQ(builder->Parse(path, document, {}, {}, nullptr, nullptr), S_OK);
  EXPECT_EQ(builder->Parse(unreachable, document, {}, {}, nullptr, nullptr), S_OK);
  EXPECT_EQ(builder->Parse(path, document, validate, yes, nullptr, nullptr), E_FAIL);
  EXPECT_NE(builder->GetLastError().ConvertToUTF8().find("'b'"), std::string::npos)
      << builder->GetLastError();
  EXPECT_EQ(builder->Parse(unreachable, document, validate, yes, nullptr, nullptr), E_FAIL);
  EXPECT_NE(builder->GetLastError().ConvertToUTF8().find("refused"), std::string::npos)
      << builder->GetLastError();

  // A document naming a schema is validated against it.
  folder_.Write("process.xsd", R"(<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema">
  <xs:element name="r"><xs:complexType><xs:sequence>
    <xs:element name="a" maxOccurs="unbounded"><xs:complexType>
      <xs:attribute name="n" type="xs:int" use="required"/>
    </xs:complexType></xs:element>
  </xs:sequence></xs:complexType></xs:element>
</xs:schema>)");
  const std::string head =
      "<r xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance' "
      "xsi:noNamespaceSchemaLocation='process.xsd'>\n";
  const std::string schemaValid = folder_.Write("valid.xml", head + "<a n='1'/></r>");
  const std::string schemaInvalid = folder_.Write("invalid.xml", head + "<a n='one'/></r>");
  EXPECT_EQ(builder->Parse(schemaValid, document, validate, yes, nullptr, nullptr), S_OK)
      << builder->GetLastError();
  EXPECT_EQ(builder->Parse(schemaInvalid, document, validate, yes, nullptr, nullptr), E_FAIL);
  EXPECT_EQ(builder->GetLastErrorLine(), 2);
  EXPECT_EQ(builder->Parse(schemaInvalid, document, {}, {}, nullptr, nullptr), S_OK);
}

TEST_F(KivXMLTest, OnlyTheXercesClassIsCreatedAndXercesLivesWithItsBuilders) {
  KivIXMLDOMDocumentBuilder_var other = NewBuilder();
  EXPECT_EQ(CreateKivIXMLDOMDocumentBuilder(KivGUID::FromName("SomethingElse"), other), E_FAIL);
  EXPECT_FALSE(other);
  const int before = KivXMLPlatformUse::Users();
  {
    KivIXMLDOMDocumentBuilder_var builder = NewBuilder();
    EXPECT_EQ(KivXMLPlatformUse::Users(), before + 1);
    KivXMLPlatformUse own;
    EXPECT_TRUE(own.IsReady());
    EXPECT_EQ(KivXMLPlatformUse::Users(), before + 2);
  }
  EXPECT_EQ(KivXMLPlatformUse::Users(), before);
  // Parsing again after the platform was released re-initialises it.
  EXPECT_TRUE(ParseText("<again/>"));
}

TEST_F(KivXMLTest, WritesIndentedUtf8) {
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

TEST_F(KivXMLTest, AwkwardCharactersSurviveARoundTrip) {
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

// Each case fails for its own reason: the first error is kept, so a check
// that let the case through would show as another message.
TEST_F(KivXMLTest, RefusesWhatXmlCannotHold) {
  const struct {
    const char* error;  // a fragment of the first error
    void (*write)(KivXMLWriter&);
  } cases[] = {
      {"text holds U+0001",
       [](KivXMLWriter& w) {
         w.StartElement("r").Text(KivUnicodeString(std::u32string{'a', 1}));
       }},
      {"attribute \"a\" holds U+0000",
       [](KivXMLWriter& w) {
         w.StartElement("r").Attribute("a", KivUnicodeString(std::u32string{'x', 0}));
       }},
      {"invalid element name \"two words\"", [](KivXMLWriter& w) { w.StartElement("two words"); }},
      {"invalid element name \"1st\"", [](KivXMLWriter& w) { w.StartElement("1st"); }},
      {"invalid attribute name",
       [](KivXMLWriter& w) { w.StartElement("r").Attribute("a\"b", "v"); }},
      {"written twice",
       [](KivXMLWriter& w) { w.StartElement("r").Attribute("a", "1").Attribute("a", "2"); }},
      {"outside a start tag",
       [](KivXMLWriter& w) { w.StartElement("r").Text("t").Attribute("a", "v"); }},
      {"a second root element",
       [](KivXMLWriter& w) { w.StartElement("r").EndElement().StartElement("s"); }},
      {"may not contain", [](KivXMLWriter& w) { w.StartElement("r").Comment("a--b"); }},
      {"may not contain", [](KivXMLWriter& w) { w.StartElement("r").Comment("a-"); }},
      {"EndElement without an open element", [](KivXMLWriter& w) { w.EndElement(); }},
      {"text written outside the root", [](KivXMLWriter& w) { w.Text("loose"); }},
      {"element \"r\" is still open",
       [](KivXMLWriter& w) { w.StartElement("r").StartElement("s").EndElement(); }},
      {"no element", [](KivXMLWriter&) {}},
  };
  for (const auto& c : cases) {
    KivXMLWriter writer;
    c.write(writer);
    std::string text = "untouched";
    EXPECT_EQ(writer.GetText(text), E_FAIL) << c.error;
    EXPECT_EQ(text, "untouched") << c.error;
    EXPECT_NE(writer.GetLastError().find(c.error), std::string::npos) << writer.GetLastError();
  }
  // Nothing is written after an error.
  KivXMLWriter writer;
  writer.StartElement("r").Attribute("bad name", "v").StartElement("s").EndElement().EndElement();
  EXPECT_EQ(writer.Depth(), 1);
}

TEST_F(KivXMLTest, SavingReplacesTheFileOnlyWhenTheDocumentIsWhole) {
  const std::string path = folder_.Write("process.xml", "<old/>");

  KivXMLWriter broken;
  broken.StartElement("new");  // never closed
  EXPECT_EQ(broken.SaveToFile(path), E_FAIL);
  EXPECT_EQ(ReadFile(path), "<old/>");

  KivXMLWriter writer;
  writer.StartElement("new").Attribute("k", "v").EndElement();
  EXPECT_EQ(writer.SaveToFile(folder_.Sub("no/such/folder.xml")), E_FAIL);
  EXPECT_NE(writer.GetLastError().find("cannot write"), std::string::npos);
  EXPECT_TRUE(writer.IsOk());  // the document itself is fine and may be saved elsewhere
  ASSERT_EQ(writer.SaveToFile(path), S_OK) << writer.GetLastError();
  EXPECT_TRUE(writer.GetLastError().empty());

  std::string text;
  ASSERT_EQ(writer.GetText(text), S_OK);
  EXPECT_EQ(ReadFile(path), text);  // (the safe file writer leaves no temporary behind)
}

}  // namespace
