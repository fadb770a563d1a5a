#pragma once
// The document component: owns the parsed tree and hands out node
// components on demand. A node component is created the first time a node is
// asked for and reused while any handle on it lives, so handles on one node
// are the same component; it holds a reference on the document, so the tree
// outlives every node handle. Not thread-safe, like every component reached
// from the user-interface thread.
#include <memory>
#include <vector>

#include "KivXMLNodeCommon.h"

class KivXMLNode;

class KivXMLDocument : public KivXMLNodeCommon<KivIDOMDocument> {
  KIV_CLASS(KivXMLDocument, KivBaseUnknown, "XML")
 public:
  KivXMLDocument(std::unique_ptr<KivXMLTree> tree, KivUnicodeString sourcePath);

  KivIDOMElement_var GetDocumentElement() override;
  KivListValKivIDOMElement_var GetElementsByTagName(const KivUnicodeString& tag) override;
  KivUnicodeString GetSourcePath() override { return sourcePath_; }
  int GetElementCount() override { return static_cast<int>(tree_->elementCount); }

  const KivXMLTree& Tree() const { return *tree_; }
  // The node's handle: the document itself for the root, empty for kNone.
  KivIDOMNode_var NodeAt(KivXMLTree::Index index);
  // The element's handle; `index` must be an element.
  KivIDOMElement_var ElementAt(KivXMLTree::Index index);
  // Called by a node component as it dies.
  void Forget(KivXMLTree::Index index);

 protected:
  ~KivXMLDocument() override;

 private:
  // A node component with a reference for the caller.
  KivXMLNode* AcquireNode(KivXMLTree::Index index);

  std::unique_ptr<KivXMLTree> tree_;
  KivUnicodeString sourcePath_;
  std::vector<KivXMLNode*> nodes_;  // live node components, not owned
};
