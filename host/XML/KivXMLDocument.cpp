#include "KivXMLDocument.h"

#include "KivXMLNode.h"

KivXMLDocument::KivXMLDocument(std::unique_ptr<KivXMLTree> tree, KivUnicodeString sourcePath)
    : KivXMLNodeCommon<KivIDOMDocument>(*this, KivXMLTree::kDocument),
      tree_(std::move(tree)),
      sourcePath_(std::move(sourcePath)),
      nodes_(tree_->Size(), nullptr) {}

KivXMLDocument::~KivXMLDocument() = default;

KivIDOMElement_var KivXMLDocument::GetDocumentElement() {
  for (KivXMLTree::Index i = tree_->nodes[KivXMLTree::kDocument].firstChild; i != KivXMLTree::kNone;
       i = tree_->nodes[i].nextSibling)
    if (tree_->nodes[i].type == KivIDOMNode::ELEMENT_NODE) return ElementAt(i);
  return NULL_var;
}

KivListValKivIDOMElement_var KivXMLDocument::GetElementsByTagName(const KivUnicodeString& tag) {
  return ElementsByTagName(tag);
}

KivXMLNode* KivXMLDocument::AcquireNode(KivXMLTree::Index index) {
  if (KivXMLNode* live = nodes_[index]) {
    live->AddRef();
    return live;
  }
  auto* created = new KivXMLNode(*this, index);  // the creation reference is the caller's
  nodes_[index] = created;
  return created;
}

KivIDOMNode_var KivXMLDocument::NodeAt(KivXMLTree::Index index) {
  if (index == KivXMLTree::kNone) return NULL_var;
  if (index == KivXMLTree::kDocument) return KivIDOMNode_var(static_cast<KivIDOMNode*>(this));
  return KivIDOMNode_var::Adopt(static_cast<KivIDOMNode*>(AcquireNode(index)));
}

KivIDOMElement_var KivXMLDocument::ElementAt(KivXMLTree::Index index) {
  return KivIDOMElement_var::Adopt(static_cast<KivIDOMElement*>(AcquireNode(index)));
}

void KivXMLDocument::Forget(KivXMLTree::Index index) { nodes_[index] = nullptr; }
