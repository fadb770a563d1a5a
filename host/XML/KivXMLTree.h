#pragma once
// The parsed form of an XML document: every node in one array, in document
// order, linked by indices. Document order makes "all elements of a tag name
// below a node" a scan of the node's index range; indices instead of owning
// pointers keep memory linear and make destruction flat, however deep the
// document is nested. Names are interned, so tag comparisons are integer
// comparisons. Strings are kept as UTF-8.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct KivXMLTree {
  using Index = std::uint32_t;
  static constexpr Index kNone = 0xFFFFFFFFu;
  // The document node is always node 0.
  static constexpr Index kDocument = 0;

  struct Node {
    int type = 0;        // KivIDOMNode::NodeType
    Index name = kNone;  // element tag, PI target or DOCTYPE name
    Index parent = kNone;
    Index firstChild = kNone;
    Index lastChild = kNone;
    Index nextSibling = kNone;
    Index subtreeEnd = 0;  // index of the last node of the subtree
    Index firstAttribute = 0;
    Index attributeCount = 0;
    std::uint32_t line = 0;
    std::uint32_t column = 0;
    std::string value;  // text, CDATA, comment or PI data
  };
  struct Attribute {
    Index name = kNone;
    std::string value;
  };

  KivXMLTree();

  // The id of a name, added when new.
  Index InternName(std::string_view name);
  // The id of a name, or kNone when no node or attribute carries it.
  Index FindName(std::string_view name) const;
  const std::string& Name(Index id) const { return names_[id]; }

  // Appends a node of `type` as the last child of `parent`; returns its index.
  Index AppendChild(Index parent, int type);
  std::size_t Size() const { return nodes.size(); }

  // Attribute `name` of element `element`, or null.
  const Attribute* FindAttribute(Index element, Index name) const;

  std::vector<Node> nodes;
  std::vector<Attribute> attributes;
  std::size_t elementCount = 0;

 private:
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept {
      return std::hash<std::string_view>()(s);
    }
  };
  std::vector<std::string> names_;
  std::unordered_map<std::string, Index, NameHash, std::equal_to<>> nameIds_;
};
