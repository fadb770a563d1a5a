#pragma once
// An element of a parsed XML document. Names are compared exactly (case and
// blanks count); namespaces play no part: a prefixed name is just a name.
#include "KivIDOMNode.h"

inline constexpr IID IID_KivIDOMElement = KivGUID::FromName("KivIDOMElement");

class KivIDOMElement : public virtual KivIDOMNode {
  KIV_INTERFACE(KivIDOMElement)
 public:
  virtual KivUnicodeString GetTagName() = 0;
  // The attribute's value; an absent attribute reads as the empty string.
  virtual KivUnicodeString GetAttribute(const KivUnicodeString& name) = 0;
  virtual KivBoolean HasAttribute(const KivUnicodeString& name) = 0;
  // Names of the attributes in the order they were written.
  virtual KivListValKivUnicodeString GetAttributeNames() = 0;
  // A new list of every element of that tag name below this one (not this
  // one), at any depth, in document order. "*" matches every element.
  virtual KivListValKivIDOMElement_var GetElementsByTagName(const KivUnicodeString& tag) = 0;
  // A new list of the direct child elements, in document order.
  virtual KivListValKivIDOMElement_var GetChildElements() = 0;
};
