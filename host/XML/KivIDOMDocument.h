#pragma once
// A parsed XML document. It is also the tree's root node (DOCUMENT_NODE),
// whose children are the document element and any top-level comments,
// processing instructions and the DOCTYPE.
#include "KivIDOMElement.h"
#include "KivIDOMNode.h"

inline constexpr IID IID_KivIDOMDocument = KivGUID::FromName("KivIDOMDocument");

class KivIDOMDocument : public virtual KivIDOMNode {
  KIV_INTERFACE(KivIDOMDocument)
 public:
  virtual KivIDOMElement_var GetDocumentElement() = 0;
  // A new list of every element of that tag name in the document, the
  // document element included, in document order. "*" matches every element.
  virtual KivListValKivIDOMElement_var GetElementsByTagName(const KivUnicodeString& tag) = 0;
  // The file the document was parsed from, or the name given to a buffer.
  virtual KivUnicodeString GetSourcePath() = 0;
  // Number of elements in the document.
  virtual int GetElementCount() = 0;
};
