#include "KivXMLNodeCommon.h"

#include "KivXMLDocument.h"

namespace {
KivUnicodeString FixedName(int type) {
  switch (type) {
    case KivIDOMNode::TEXT_NODE:
      return "#text";
    case KivIDOMNode::CDATA_SECTION_NODE:
      return "#cdata-section";
    case KivIDOMNode::COMMENT_NODE:
      return "#comment";
    case KivIDOMNode::DOCUMENT_NODE:
      return "#document";
    default:
      return {};
  }
}

bool IsText(int type) {
  return type == KivIDOMNode::TEXT_NODE || type == KivIDOMNode::CDATA_SECTION_NODE;
}
}  // namespace

template <class Primary>
const KivXMLTree& KivXMLNodeCommon<Primary>::Tree() const {
  return document_.Tree();
}

template <class Primary>
int KivXMLNodeCommon<Primary>::GetNodeType() {
  return Node().type;
}

template <class Primary>
KivUnicodeString KivXMLNodeCommon<Primary>::GetNodeName() {
  const KivXMLTree::Node& node = Node();
  if (node.name != KivXMLTree::kNone) return KivUnicodeString(Tree().Name(node.name));
  return FixedName(node.type);
}

template <class Primary>
KivUnicodeString KivXMLNodeCommon<Primary>::GetNodeValue() {
  return KivUnicodeString(Node().value);
}

template <class Primary>
KivUnicodeString KivXMLNodeCommon<Primary>::GetTextContent() {
  const KivXMLTree::Node& node = Node();
  if (node.type != KivIDOMNode::ELEMENT_NODE && node.type != KivIDOMNode::DOCUMENT_NODE)
    return KivUnicodeString(node.value);
  std::string text;
  const KivXMLTree& tree = Tree();
  for (KivXMLTree::Index i = index_ + 1; i <= node.subtreeEnd; ++i)
    if (IsText(tree.nodes[i].type)) text += tree.nodes[i].value;
  return KivUnicodeString(text);
}

template <class Primary>
KivIDOMNode_var KivXMLNodeCommon<Primary>::GetParentNode() {
  return document_.NodeAt(Node().parent);
}

template <class Primary>
KivListValKivIDOMNode_var KivXMLNodeCommon<Primary>::GetChildNodes() {
  KivListValKivIDOMNode_var children;
  const KivXMLTree& tree = Tree();
  for (KivXMLTree::Index i = Node().firstChild; i != KivXMLTree::kNone;
       i = tree.nodes[i].nextSibling)
    children.Append(document_.NodeAt(i));
  return children;
}

template <class Primary>
KivBoolean KivXMLNodeCommon<Primary>::HasChildNodes() {
  return Node().firstChild != KivXMLTree::kNone;
}

template <class Primary>
KivIDOMNode_var KivXMLNodeCommon<Primary>::GetFirstChild() {
  return document_.NodeAt(Node().firstChild);
}

template <class Primary>
KivIDOMNode_var KivXMLNodeCommon<Primary>::GetNextSibling() {
  return document_.NodeAt(Node().nextSibling);
}

template <class Primary>
KivIDOMDocument_var KivXMLNodeCommon<Primary>::GetOwnerDocument() {
  return KivIDOMDocument_var(static_cast<KivIDOMDocument*>(&document_));
}

template <class Primary>
int KivXMLNodeCommon<Primary>::GetLineNumber() {
  return static_cast<int>(Node().line);
}

template <class Primary>
int KivXMLNodeCommon<Primary>::GetColumnNumber() {
  return static_cast<int>(Node().column);
}

template <class Primary>
KivListValKivIDOMElement_var KivXMLNodeCommon<Primary>::ElementsByTagName(
    const KivUnicodeString& tag) {
  KivListValKivIDOMElement_var found;
  const KivXMLTree& tree = Tree();
  const bool all = tag == KivUnicodeString("*");
  const KivXMLTree::Index name = all ? KivXMLTree::kNone : tree.FindName(tag.ConvertToUTF8());
  if (!all && name == KivXMLTree::kNone) return found;  // no node carries that name
  const KivXMLTree::Index end = Node().subtreeEnd;
  for (KivXMLTree::Index i = index_ + 1; i <= end; ++i) {
    const KivXMLTree::Node& node = tree.nodes[i];
    if (node.type == KivIDOMNode::ELEMENT_NODE && (all || node.name == name))
      found.Append(document_.ElementAt(i));
  }
  return found;
}

template class KivXMLNodeCommon<KivIDOMDocument>;
template class KivXMLNodeCommon<KivIDOMElement>;
