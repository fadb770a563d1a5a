#pragma once
// The component of one node of a parsed document other than the document
// itself. It answers KivIDOMElement only when the node is an element.
#include "KivVar.h"
#include "KivXMLNodeCommon.h"

class KivXMLNode : public KivXMLNodeCommon<KivIDOMElement> {
  KIV_CLASS(KivXMLNode, KivBaseUnknown, "XML")
 public:
  KivXMLNode(KivXMLDocument& document, KivXMLTree::Index index);

  KivUnicodeString GetTagName() override;
  KivUnicodeString GetAttribute(const KivUnicodeString& name) override;
  KivBoolean HasAttribute(const KivUnicodeString& name) override;
  KivListValKivUnicodeString GetAttributeNames() override;
  KivListValKivIDOMElement_var GetElementsByTagName(const KivUnicodeString& tag) override;
  KivListValKivIDOMElement_var GetChildElements() override;

 protected:
  ~KivXMLNode() override;
  void* FindOwnInterface(const IID& iid) override;

 private:
  bool IsElement() const { return Node().type == KivIDOMNode::ELEMENT_NODE; }
  const KivXMLTree::Attribute* FindAttribute(const KivUnicodeString& name) const;

  KivVar<KivXMLDocument> keepDocument_;
};
