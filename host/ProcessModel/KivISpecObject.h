#pragma once
// The naming view of every model object: name, type and owner.
#include "KivProcessModelTypes.h"
#include "KivString.h"
#include "KivVar.h"

inline constexpr IID IID_KivISpecObject = KivGUID::FromName("KivISpecObject");

class KivISpecObject : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivISpecObject)
 public:
  virtual KivUnicodeString SpecName() = 0;
  // Activities: their type name; Start/Stop nodes: "Start"/"Stop"; product
  // links: "ProductInput"/"ProductOutput"; products and resources:
  // "ASMPRODUCT"; assemblies: "MoxMfgAssy".
  virtual KivString SpecType() = 0;
  // Product links: their activity. Activities: the root activity of their
  // process (the root owns itself), whose modification events carry their
  // notifications. Start/Stop nodes: their activity. Products and resources:
  // their father product (empty for a tree root). Assemblies: empty.
  virtual KivBaseUnknown_var GetOwner() = 0;
};
KIV_DECLARE_VAR(KivISpecObject);
