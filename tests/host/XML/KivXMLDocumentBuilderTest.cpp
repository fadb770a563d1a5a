// The document builder: creation, failures and their reports, options,
// validation, and its defences against hostile documents.
#include "KivXMLPlatform.h"
#include "KivXMLTestSupport.h"

namespace {

using KivXMLDocumentBuilderTest = KivXMLTest;

KivListValKivUnicodeString Names(std::initializer_list<KivUnicodeString> names) {
  return KivListValKivUnicodeString(names);
}

TEST_F(KivXMLDocumentBuilderTest, FileFailuresLeaveNoDocumentAndSayWhereAndWhy) {
  EnableTrace();
  const std::string path = (folder_ / "absent.xml").string();
  KivIDOMDocument_var document = ParseText("<stale/>");  // a previous result is not kept
  KivIXMLDOMDocumentBuilder_var builder = NewBuilder();
  testing::internal::CaptureStderr();
  EXPECT_EQ(builder->Parse(path, document, {}, {}, nullptr, nullptr), E_FAIL);
  const std::string trace = testing::internal::GetCapturedStderr();
  EXPECT_FALSE(document);
  std::string error = builder->GetLastError().ConvertToUTF8();
  EXPECT_NE(error.find(path), std::string::npos) << error;
  EXPECT_NE(error.find("cannot open"), std::string::npos) << error;
  EXPECT_EQ(builder->GetLastErrorLine(), 0);
  EXPECT_NE(trace.find("[KivXMLTrace]"), std::string::npos) << trace;
  EXPECT_NE(trace.find(error), std::string::npos) << trace;
  // Neither an empty path nor a folder is a document.
  EXPECT_EQ(builder->Parse("", document, {}, {}, nullptr, nullptr), E_FAIL);
  EXPECT_EQ(builder->Parse(folder_.string(), document, {}, {}, nullptr, nullptr), E_FAIL);
  EXPECT_NE(builder->GetLastError().ConvertToUTF8().find("folder"), std::string::npos);

  // A malformed file: its path, line and column, then the parser's message.
  const std::string broken = WriteFile("broken.xml", "<r>\n  <a>\n  </a>\n  <b></c>\n</r>\n");
  EXPECT_EQ(builder->Parse(broken, document, {}, {}, nullptr, nullptr), E_FAIL);
  EXPECT_EQ(builder->GetLastErrorLine(), 4);
  EXPECT_GT(builder->GetLastErrorColumn(), 0);
  error = builder->GetLastError().ConvertToUTF8();
  EXPECT_EQ(error.rfind(broken + ":4:", 0), 0u) << error;
  EXPECT_GT(error.size(), broken.size() + 6) << "the parser's message is missing";
  // A good parse afterwards clears the error.
  EXPECT_EQ(builder->Parse(WriteFile("good.xml", "<r/>"), document, {}, {}, nullptr, nullptr),
            S_OK);
  EXPECT_EQ(builder->GetLastError(), KivUnicodeString());
  EXPECT_EQ(builder->GetLastErrorLine(), 0);
}

TEST_F(KivXMLDocumentBuilderTest, InputsThatAreNotSafeDocumentsFailWithAMessage) {
  const std::string secret = WriteFile("secret.txt", "top secret");
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
      {"<r>", ""},
      {"<r></r><second/>", ""},
      {"text only", ""},
      {"<r a='1' a='2'/>", ""},
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

TEST_F(KivXMLDocumentBuilderTest, OptionListsAreCheckedAndResolversRefused) {
  EnableTrace();
  KivIXMLDOMDocumentBuilder_var builder = NewBuilder();
  KivIDOMDocument_var document;
  const std::string text = "<r/>";
  auto parse = [&](const KivListValKivUnicodeString& names,
                   const KivListValKivUnicodeString& values) {
    return builder->ParseBuffer(text.data(), text.size(), "options", document, names, values);
  };
  EXPECT_EQ(parse(Names({"KivDoValidation"}), {}), E_INVALIDARG);
  EXPECT_FALSE(document);
  EXPECT_EQ(parse(Names({"KivDoValidation"}), Names({"yes"})), E_INVALIDARG);
  EXPECT_NE(builder->GetLastError().ConvertToUTF8().find("yes"), std::string::npos);
  EXPECT_EQ(parse(Names({"KivDoValidation"}), Names({"True"})), E_INVALIDARG);

  testing::internal::CaptureStderr();
  EXPECT_EQ(parse(Names({"KivUnknown", "KivDoValidation"}), Names({"1", "true"})), S_OK);
  const std::string trace = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(document);
  EXPECT_NE(trace.find("KivUnknown"), std::string::npos) << trace;

  // Resolvers and error handlers are refused, not ignored.
  const std::string path = WriteFile("r.xml", "<r/>");
  KivIDOMDocument_var other = ParseText("<x/>");
  EXPECT_EQ(builder->Parse(path, document, {}, {}, other, nullptr), E_INVALIDARG);
  EXPECT_EQ(builder->Parse(path, document, {}, {}, nullptr, other), E_INVALIDARG);
  EXPECT_FALSE(document);
  EXPECT_NE(builder->GetLastError().ConvertToUTF8().find("not supported"), std::string::npos);
}

TEST_F(KivXMLDocumentBuilderTest, ValidationOnlyWhenAskedAgainstLocalGrammarsOnly) {
  KivIXMLDOMDocumentBuilder_var builder = NewBuilder();
  KivIDOMDocument_var document;
  const auto validate = Names({"KivDoValidation"});
  const auto yes = Names({"true"});
  auto parse = [&](const std::string& text, const char* validating) {
    return builder->ParseBuffer(text.data(), text.size(), "v.xml", document, validate,
                                Names({validating}));
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
  WriteFile("grammar.dtd", "<!ELEMENT r (a)*><!ELEMENT a EMPTY>");
  const std::string path =
      WriteFile("doc.xml", "<!DOCTYPE r SYSTEM 'grammar.dtd'>\n<r><a/><b/></r>");
  const std::string unreachable =
      WriteFile("far.xml", "<!DOCTYPE r SYSTEM 'http://192.0.2.1/grammar.dtd'>\n<r/>");
  EXPECT_EQ(builder->Parse(path, document, {}, {}, nullptr, nullptr), S_OK);
  EXPECT_EQ(builder->Parse(unreachable, document, {}, {}, nullptr, nullptr), S_OK);
  EXPECT_EQ(builder->Parse(path, document, validate, yes, nullptr, nullptr), E_FAIL);
  EXPECT_NE(builder->GetLastError().ConvertToUTF8().find("'b'"), std::string::npos)
      << builder->GetLastError();
  EXPECT_EQ(builder->Parse(unreachable, document, validate, yes, nullptr, nullptr), E_FAIL);
  EXPECT_NE(builder->GetLastError().ConvertToUTF8().find("refused"), std::string::npos)
      << builder->GetLastError();

  // A document naming a schema is validated against it.
  WriteFile("process.xsd", R"(<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema">
  <xs:element name="r"><xs:complexType><xs:sequence>
    <xs:element name="a" maxOccurs="unbounded"><xs:complexType>
      <xs:attribute name="n" type="xs:int" use="required"/>
    </xs:complexType></xs:element>
  </xs:sequence></xs:complexType></xs:element>
</xs:schema>)");
  const std::string head =
      "<r xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance' "
      "xsi:noNamespaceSchemaLocation='process.xsd'>\n";
  const std::string schemaValid = WriteFile("valid.xml", head + "<a n='1'/></r>");
  const std::string schemaInvalid = WriteFile("invalid.xml", head + "<a n='one'/></r>");
  EXPECT_EQ(builder->Parse(schemaValid, document, validate, yes, nullptr, nullptr), S_OK)
      << builder->GetLastError();
  EXPECT_EQ(builder->Parse(schemaInvalid, document, validate, yes, nullptr, nullptr), E_FAIL);
  EXPECT_EQ(builder->GetLastErrorLine(), 2);
  EXPECT_EQ(builder->Parse(schemaInvalid, document, {}, {}, nullptr, nullptr), S_OK);
}

TEST_F(KivXMLDocumentBuilderTest, OnlyTheXercesClassIsCreatedAndXercesLivesWithItsBuilders) {
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

}  // namespace
