#pragma once
// A node of a parsed XML document: its type (DOM numbering), name, value,
// parent, children and the source line it came from. Handles on the same
// node compare equal; every node keeps its document alive.
#include "KivList.h"
#include "KivUnicodeString.h"
#include "KivVar.h"

class KivIDOMNode;
class KivIDOMElement;
class KivIDOMDocument;
KIV_DECLARE_VAR(KivIDOMNode);
KIV_DECLARE_VAR(KivIDOMElement);
KIV_DECLARE_VAR(KivIDOMDocument);
using KivListValKivIDOMNode_var = KivListVal<KivIDOMNode_var>;
using KivListValKivIDOMElement_var = KivListVal<KivIDOMElement_var>;

inline constexpr IID IID_KivIDOMNode = KivGUID::FromName("KivIDOMNode");

class KivIDOMNode : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivIDOMNode)
 public:
  // The DOM numbering of node types. Attribute, entity, entity reference,
  // fragment and notation nodes never appear in a parsed tree: attributes are
  // read through KivIDOMElement and entities arrive expanded.
  enum NodeType : int {
    ELEMENT_NODE = 1,
    ATTRIBUTE_NODE = 2,
    TEXT_NODE = 3,
    CDATA_SECTION_NODE = 4,
    ENTITY_REFERENCE_NODE = 5,
    ENTITY_NODE = 6,
    PROCESSING_INSTRUCTION_NODE = 7,
    COMMENT_NODE = 8,
    DOCUMENT_NODE = 9,
    DOCUMENT_TYPE_NODE = 10,
    DOCUMENT_FRAGMENT_NODE = 11,
    NOTATION_NODE = 12
  };

  virtual int GetNodeType() = 0;
  // Tag name for elements, target for processing instructions, document type
  // name for the DOCTYPE, and "#text", "#cdata-section", "#comment",
  // "#document" for the others.
  virtual KivUnicodeString GetNodeName() = 0;
  // Text of text, CDATA, comment and processing-instruction nodes; empty for
  // elements, the DOCTYPE and the document.
  virtual KivUnicodeString GetNodeValue() = 0;
  // The concatenated text of the node and all its descendants (comments and
  // processing instructions excluded).
  virtual KivUnicodeString GetTextContent() = 0;

  // Empty for the document node.
  virtual KivIDOMNode_var GetParentNode() = 0;
  // A new list (1-based) of the direct children, in document order.
  virtual KivListValKivIDOMNode_var GetChildNodes() = 0;
  virtual KivBoolean HasChildNodes() = 0;
  virtual KivIDOMNode_var GetFirstChild() = 0;
  virtual KivIDOMNode_var GetNextSibling() = 0;
  virtual KivIDOMDocument_var GetOwnerDocument() = 0;

  // Source position reported by the parser: for an element the end of its
  // start tag, for other nodes where their text ends; 0 for the document.
  virtual int GetLineNumber() = 0;
  virtual int GetColumnNumber() = 0;
};
