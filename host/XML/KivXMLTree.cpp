#include "KivXMLTree.h"

#include "KivIDOMNode.h"

KivXMLTree::KivXMLTree() {
  Node document;
  document.type = KivIDOMNode::DOCUMENT_NODE;
  nodes.push_back(std::move(document));
}

KivXMLTree::Index KivXMLTree::InternName(std::string_view name) {
  auto found = nameIds_.find(name);
  if (found != nameIds_.end()) return found->second;
  const auto id = static_cast<Index>(names_.size());
  names_.emplace_back(name);
  nameIds_.emplace(names_.back(), id);
  return id;
}

KivXMLTree::Index KivXMLTree::FindName(std::string_view name) const {
  auto found = nameIds_.find(name);
  return found != nameIds_.end() ? found->second : kNone;
}

KivXMLTree::Index KivXMLTree::AppendChild(Index parent, int type) {
  const auto index = static_cast<Index>(nodes.size());
  Node& node = nodes.emplace_back();
  node.type = type;
  node.parent = parent;
  node.subtreeEnd = index;
  Node& up = nodes[parent];
  if (up.lastChild == kNone)
    up.firstChild = index;
  else
    nodes[up.lastChild].nextSibling = index;
  up.lastChild = index;
  if (type == KivIDOMNode::ELEMENT_NODE) ++elementCount;
  return index;
}

const KivXMLTree::Attribute* KivXMLTree::FindAttribute(Index element, Index name) const {
  if (name == kNone) return nullptr;
  const Node& node = nodes[element];
  for (Index i = 0; i < node.attributeCount; ++i) {
    const Attribute& attribute = attributes[node.firstAttribute + i];
    if (attribute.name == name) return &attribute;
  }
  return nullptr;
}
