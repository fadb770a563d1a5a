#pragma once
// The node operations shared by the document component and the node
// components: both are views of one node of the document's tree. `Primary`
// is the component's main interface (KivIDOMDocument or KivIDOMElement);
// KivIDOMNode is answered too.
#include "KivIDOMDocument.h"
#include "KivImplement.h"
#include "KivXMLTree.h"

class KivXMLDocument;

template <class Primary>
class KivXMLNodeCommon : public KivImplement<Primary> {
 public:
  int GetNodeType() override;
  KivUnicodeString GetNodeName() override;
  KivUnicodeString GetNodeValue() override;
  KivUnicodeString GetTextContent() override;
  KivIDOMNode_var GetParentNode() override;
  KivListValKivIDOMNode_var GetChildNodes() override;
  KivBoolean HasChildNodes() override;
  KivIDOMNode_var GetFirstChild() override;
  KivIDOMNode_var GetNextSibling() override;
  KivIDOMDocument_var GetOwnerDocument() override;
  int GetLineNumber() override;
  int GetColumnNumber() override;

 protected:
  KivXMLNodeCommon(KivXMLDocument& document, KivXMLTree::Index index)
      : document_(document), index_(index) {}

  void* FindOwnInterface(const IID& iid) override {
    if (iid == IID_KivIDOMNode) return static_cast<KivIDOMNode*>(this);
    return KivImplement<Primary>::FindOwnInterface(iid);
  }

  const KivXMLTree& Tree() const;
  const KivXMLTree::Node& Node() const { return Tree().nodes[index_]; }
  // Every element of `tag` ("*": all) strictly inside this node's subtree.
  KivListValKivIDOMElement_var ElementsByTagName(const KivUnicodeString& tag);

  KivXMLDocument& document_;
  const KivXMLTree::Index index_;
};
