// Feeds arbitrary bytes to the document builder. Whatever parses is walked
// whole and written back with the writer; the written text must parse again
// to the same elements and attributes.
#include "../KivFuzz.h"
#include "KivIXMLDOMDocumentBuilder.h"
#include "KivXMLWriter.h"

namespace {

// Writes the element and its subtree; text is copied, comments dropped.
void Copy(const KivIDOMElement_var& element, KivXMLWriter& writer) {
  writer.StartElement(element->GetTagName());
  const KivListValKivUnicodeString names = element->GetAttributeNames();
  for (const KivUnicodeString& name : names) writer.Attribute(name, element->GetAttribute(name));
  for (KivIDOMNode_var child = element->GetFirstChild(); child; child = child->GetNextSibling()) {
    if (KivIDOMElement_var childElement = child; childElement)
      Copy(childElement, writer);
    else if (child->GetNodeType() == KivIDOMNode::TEXT_NODE ||
             child->GetNodeType() == KivIDOMNode::CDATA_SECTION_NODE)
      writer.Text(child->GetNodeValue());
  }
  writer.EndElement();
}

std::string Signature(const KivIDOMDocument_var& document) {
  std::string signature;
  for (const KivIDOMElement_var& element : document->GetElementsByTagName("*")) {
    signature += element->GetTagName().ConvertToUTF8() + "(";
    for (const KivUnicodeString& name : element->GetAttributeNames())
      signature += name.ConvertToUTF8() + "=" + element->GetAttribute(name).ConvertToUTF8() + ";";
    signature += ")";
  }
  return signature;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static KivIXMLDOMDocumentBuilder_var builder;
  if (!builder) Require(SUCCEEDED(CreateKivIXMLDOMDocumentBuilder(CLSID_XML4C_DOM, builder)));
  KivIDOMDocument_var document;
  if (FAILED(builder->ParseBuffer(reinterpret_cast<const char*>(data), size, "fuzz.xml", document,
                                  {}, {}))) {
    Require(!document && !builder->GetLastError().IsEmpty());
    return 0;
  }
  KivIDOMElement_var root = document->GetDocumentElement();
  if (!root) std::abort();
  KivXMLWriter writer;
  Copy(root, writer);
  std::string text;
  // What the parser accepted is always writable, except characters only
  // XML 1.1 admits.
  if (FAILED(writer.GetText(text))) {
    Require(Text(data, size).find("1.1") != std::string::npos);
    return 0;
  }
  KivIDOMDocument_var again;
  Require(SUCCEEDED(builder->ParseBuffer(text.data(), text.size(), "again.xml", again, {}, {})) &&
          Signature(document) == Signature(again));
  return 0;
}
