#pragma once
// The naming view of every model object: name, type and owner.
#include "KivProcessModelTypes.h"
#include "KivString.h"
#include "KivVar.h"

inline constexpr IID IID_KivIModelObject = KivGUID::FromName("KivIModelObject");

class KivIModelObject : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivIModelObject)
 public:
  virtual KivUnicodeString ObjectName() = 0;
  // Activities: their type name; Start/Stop nodes: "Start"/"Stop"; product
  // links: "ProductInput"/"ProductOutput"; products and resources:
  // "ASMPRODUCT"; assemblies: "MoxMfgAssy".
  virtual KivString ObjectType() = 0;
  // Product links: their activity. Activities: the root activity of their
  // process (the root owns itself), whose modification events carry their
  // notifications. Start/Stop nodes: their activity. Products and resources:
  // their father product (empty for a tree root). Assemblies: empty.
  virtual KivBaseUnknown_var GetOwner() = 0;
};
KIV_DECLARE_VAR(KivIModelObject);
