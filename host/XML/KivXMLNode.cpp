#include "KivXMLNode.h"

#include "KivXMLDocument.h"

KivXMLNode::KivXMLNode(KivXMLDocument& document, KivXMLTree::Index index)
    : KivXMLNodeCommon<KivIDOMElement>(document, index), keepDocument_(&document) {}

KivXMLNode::~KivXMLNode() {
  // The document is still alive here: keepDocument_ is released after this body.
  document_.Forget(index_);
}

void* KivXMLNode::FindOwnInterface(const IID& iid) {
  if (iid == IID_KivIDOMElement && !IsElement()) return nullptr;
  return KivXMLNodeCommon<KivIDOMElement>::FindOwnInterface(iid);
}

const KivXMLTree::Attribute* KivXMLNode::FindAttribute(const KivUnicodeString& name) const {
  if (!IsElement()) return nullptr;
  return Tree().FindAttribute(index_, Tree().FindName(name.ConvertToUTF8()));
}

KivUnicodeString KivXMLNode::GetTagName() {
  return IsElement() ? KivUnicodeString(Tree().Name(Node().name)) : KivUnicodeString();
}

KivUnicodeString KivXMLNode::GetAttribute(const KivUnicodeString& name) {
  const KivXMLTree::Attribute* attribute = FindAttribute(name);
  return attribute ? KivUnicodeString(attribute->value) : KivUnicodeString();
}

KivBoolean KivXMLNode::HasAttribute(const KivUnicodeString& name) {
  return FindAttribute(name) != nullptr;
}

KivListValKivUnicodeString KivXMLNode::GetAttributeNames() {
  KivListValKivUnicodeString names;
  if (!IsElement()) return names;
  const KivXMLTree::Node& node = Node();
  for (KivXMLTree::Index i = 0; i < node.attributeCount; ++i)
    names.Append(KivUnicodeString(Tree().Name(Tree().attributes[node.firstAttribute + i].name)));
  return names;
}

KivListValKivIDOMElement_var KivXMLNode::GetElementsByTagName(const KivUnicodeString& tag) {
  return ElementsByTagName(tag);
}

KivListValKivIDOMElement_var KivXMLNode::GetChildElements() {
  KivListValKivIDOMElement_var children;
  const KivXMLTree& tree = Tree();
  for (KivXMLTree::Index i = Node().firstChild; i != KivXMLTree::kNone;
       i = tree.nodes[i].nextSibling)
    if (tree.nodes[i].type == KivIDOMNode::ELEMENT_NODE) children.Append(document_.ElementAt(i));
  return children;
}
