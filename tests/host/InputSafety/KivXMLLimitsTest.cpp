// Documents built to exhaust memory or to be read other than they are
// written: refused with a message, or read in linear time.
#include <gtest/gtest.h>

#include <string>

#include "KivIXMLDOMDocumentBuilder.h"

namespace {
struct Outcome {
  KivIDOMDocument_var document;
  std::string error;
};

Outcome Parse(const std::string& text, bool validate = false) {
  KivIXMLDOMDocumentBuilder_var builder;
  EXPECT_EQ(CreateKivIXMLDOMDocumentBuilder(CLSID_XML4C_DOM, builder), S_OK);
  const KivListValKivUnicodeString names{KivUnicodeString(kKivXMLOptionDoValidation)};
  const KivListValKivUnicodeString values{KivUnicodeString(validate ? "true" : "false")};
  Outcome outcome;
  builder->ParseBuffer(text.data(), text.size(), "limits.xml", outcome.document, names, values);
  outcome.error = builder->GetLastError().ConvertToUTF8();
  return outcome;
}

std::string Repeated(const std::string& piece, int times) {
  std::string text;
  text.reserve(piece.size() * times);
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}
}  // namespace

// 40,000 references to a 50 KB entity would build a 2 GB attribute value
// (4 GB in the parser's 16-bit characters); the parser's memory budget stops
// it while the value grows, before the element is even reported.
TEST(KivXMLLimitsTest, AnAttributeBuiltFromALargeEntityIsRefusedWhileItGrows) {
  for (const char* place : {"attribute", "text"}) {
    const std::string references = Repeated("&e;", 40000);
    const std::string body = std::string(place) == "attribute" ? "<r a=\"" + references + "\"/>"
                                                               : "<r>" + references + "</r>";
    const Outcome outcome =
        Parse("<!DOCTYPE r [<!ENTITY e \"" + std::string(50000, 'x') + "\">]>" + body);
    EXPECT_FALSE(outcome.document) << place;
    EXPECT_NE(outcome.error.find("entity expansion refused"), std::string::npos)
        << place << ": " << outcome.error;
  }
}

TEST(KivXMLLimitsTest, TwoHundredThousandAttributesOnOneElementAreRead) {
  std::string text = "<r";
  for (int i = 0; i < 200000; ++i)
    text += " a" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
  text += "/>";
  const Outcome outcome = Parse(text);
  ASSERT_TRUE(outcome.document) << outcome.error;
  KivIDOMElement_var root = outcome.document->GetDocumentElement();
  EXPECT_EQ(root->GetAttributeNames().Size(), 200000);
  EXPECT_EQ(root->GetAttribute("a199999"), KivUnicodeString("199999"));
}

TEST(KivXMLLimitsTest, WhatAParserMightIgnoreOrEmptyIsRefused) {
  const struct {
    std::string text;
    const char* error;
  } cases[] = {
      {std::string("<r/>\n\0", 6), "limits.xml:2:1: a NUL character"},
      {std::string("<r/><!-- \0 -->", 14), "limits.xml:1:10: a NUL character"},
      {"<!DOCTYPE r SYSTEM \"r.dtd\"><r>&outside;</r>", "entity 'outside' is not declared"},
      {"<!DOCTYPE r SYSTEM \"r.dtd\"><r a=\"&outside;\"/>", "outside"},
  };
  for (const auto& c : cases) {
    const Outcome outcome = Parse(c.text);
    EXPECT_FALSE(outcome.document) << c.text;
    EXPECT_NE(outcome.error.find(c.error), std::string::npos) << c.text << ": " << outcome.error;
  }
  // In UTF-16 a zero byte is half of a character, not a NUL.
  const Outcome utf16 = Parse(std::string("\xFF\xFE<\0r\0/\0>\0", 10));
  EXPECT_TRUE(utf16.document) << utf16.error;
}
