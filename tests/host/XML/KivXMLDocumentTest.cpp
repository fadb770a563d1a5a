// The parsed tree: elements by tag name, attributes, children, node types,
// handle identity and lifetime, source lines and non-ASCII text.
#include "KivXMLTestSupport.h"
#include "KivXMLUTF.h"

namespace {

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

using KivXMLDocumentTest = KivXMLTest;

TEST_F(KivXMLDocumentTest, ElementsByExactTagNameAreFoundAtAnyDepthInDocumentOrder) {
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

TEST_F(KivXMLDocumentTest, AbsentAttributesReadAsEmpty) {
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

TEST_F(KivXMLDocumentTest, ChildrenCarryTheirNodeTypes) {
  KivIDOMDocument_var document = ParseText(
      "<!DOCTYPE r [<!ENTITY who \"world\"><!-- inside the DTD -->]>\n"
      "<!-- before -->\n"
      "<r>hello &who; &amp; more<!--note--><e/><![CDATA[a<b]]><![CDATA[c]]><?target some "
      "data?></r>");
  ASSERT_TRUE(document);
  EXPECT_EQ(document->GetNodeType(), KivIDOMNode::DOCUMENT_NODE);
  EXPECT_EQ(document->GetNodeName(), KivUnicodeString("#document"));
  EXPECT_FALSE(document->GetParentNode());

  const KivListValKivIDOMNode_var top = document->GetChildNodes();
  ASSERT_EQ(top.Size(), 3);  // DOCTYPE, comment, root; the DTD's comment is not a node
  EXPECT_EQ(top[1]->GetNodeType(), KivIDOMNode::DOCUMENT_TYPE_NODE);
  EXPECT_EQ(top[1]->GetNodeName(), KivUnicodeString("r"));
  EXPECT_EQ(top[2]->GetNodeType(), KivIDOMNode::COMMENT_NODE);
  EXPECT_EQ(top[2]->GetNodeValue(), KivUnicodeString(" before "));
  EXPECT_TRUE(top[3] == document->GetDocumentElement());

  const KivListValKivIDOMNode_var children = top[3]->GetChildNodes();
  // Text split by entity references is one node, with the entities expanded.
  const struct {
    int type;
    const char* name;
    const char* value;
  } expected[] = {
      {KivIDOMNode::TEXT_NODE, "#text", "hello world & more"},
      {KivIDOMNode::COMMENT_NODE, "#comment", "note"},
      {KivIDOMNode::ELEMENT_NODE, "e", ""},
      {KivIDOMNode::CDATA_SECTION_NODE, "#cdata-section", "a<b"},
      {KivIDOMNode::CDATA_SECTION_NODE, "#cdata-section", "c"},
      {KivIDOMNode::PROCESSING_INSTRUCTION_NODE, "target", "some data"},
  };
  ASSERT_EQ(children.Size(), 6);
  for (int i = 1; i <= 6; ++i) {
    EXPECT_EQ(children[i]->GetNodeType(), expected[i - 1].type) << i;
    EXPECT_EQ(children[i]->GetNodeName(), KivUnicodeString(expected[i - 1].name)) << i;
    EXPECT_EQ(children[i]->GetNodeValue(), KivUnicodeString(expected[i - 1].value)) << i;
  }
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

TEST_F(KivXMLDocumentTest, HandlesOnOneNodeAreOneComponentAndKeepTheDocumentAlive) {
  KivIDOMDocument_var document = ParseText("<r><a/><b/></r>");
  ASSERT_TRUE(document);
  KivIDOMElement_var byTag = document->GetElementsByTagName("a")[1];
  KivIDOMNode_var byChild = document->GetDocumentElement()->GetFirstChild();
  EXPECT_EQ(static_cast<KivIDOMNode*>(byTag.get()), byChild.get());
  EXPECT_TRUE(byTag == byChild);
  EXPECT_FALSE(byTag == document->GetElementsByTagName("b")[1]);
  // Queries by name reach the same interfaces.
  void* out = nullptr;
  ASSERT_EQ(byChild->QueryInterface("KivIDOMElement", &out), S_OK);
  EXPECT_EQ(out, static_cast<void*>(byTag.get()));
  static_cast<KivIDOMElement*>(out)->Release();

  // Node handles keep their document alive.
  const long before = KivBaseUnknown::LiveInstances();
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
  owner = NULL_var;
  leaf = NULL_var;
  EXPECT_EQ(KivBaseUnknown::LiveInstances(), before);
}

TEST_F(KivXMLDocumentTest, ElementsKnowTheirSourceLine) {
  KivIDOMDocument_var document =
      ParseText("<?xml version=\"1.0\"?>\n<r>\n  <a/>\n\n  <b\n     x=\"1\">\n  </b>\n</r>\n");
  ASSERT_TRUE(document);
  EXPECT_EQ(document->GetDocumentElement()->GetLineNumber(), 2);
  EXPECT_EQ(document->GetElementsByTagName("a")[1]->GetLineNumber(), 3);
  // A start tag over several lines reports the line where it ends.
  EXPECT_EQ(document->GetElementsByTagName("b")[1]->GetLineNumber(), 6);
  EXPECT_GT(document->GetElementsByTagName("a")[1]->GetColumnNumber(), 1);
  EXPECT_EQ(document->GetLineNumber(), 0);
}

TEST_F(KivXMLDocumentTest, NonAsciiTextSurvivesFromFileAndPath) {
  const std::string text = Utf8(u8"Schwei\u00DFpunkt \u2013 \u6EB6\u63A5 \U0001F697");
  const std::string path = WriteFile(
      Utf8(u8"Konfiguration-\u00E4\u00F6\u00FC.xml"),
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r label=\"" + text + "\">" + text + "</r>");
  KivIDOMDocument_var document;
  KivIXMLDOMDocumentBuilder_var builder = NewBuilder();
  ASSERT_EQ(builder->Parse(path, document, {}, {}, nullptr, nullptr), S_OK)
      << builder->GetLastError();
  KivIDOMElement_var root = document->GetDocumentElement();
  EXPECT_EQ(root->GetAttribute("label").ConvertToUTF8(), text);
  EXPECT_EQ(root->GetTextContent().ConvertToUTF8(), text);
  EXPECT_EQ(root->GetAttribute("label").GetLengthInChar(), 19);  // the car is one character
  EXPECT_EQ(document->GetSourcePath().ConvertToUTF8(), path);
}

TEST_F(KivXMLDocumentTest, DeclaredEncodingsAreDecodedAndPrefixesKept) {
  // "Stra\xDFe" in ISO-8859-1 is "Strasse" with a sharp s.
  KivIDOMDocument_var document = ParseText(
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

TEST_F(KivXMLDocumentTest, DeepNestingAndManyAttributesAreReadWithoutRecursionOrQuadraticWork) {
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
// plane survives the parse above); broken input becomes replacement characters.
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

}  // namespace
