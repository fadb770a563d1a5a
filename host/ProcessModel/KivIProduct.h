#pragma once
// A product or resource in its tree (late type "ASMPRODUCT").
#include "KivProcessModelTypes.h"
#include "KivString.h"
#include "KivVar.h"

inline constexpr IID IID_KivIProduct = KivGUID::FromName("KivIProduct");

class KivIProduct : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivIProduct)
 public:
  // The father product; empty for a tree root.
  virtual KivVar<KivIProduct> FatherProduct() = 0;
  // The direct children, in order (type "KivIProduct" or "": all of them).
  virtual KivSPPList ChildProducts(const KivString& type) = 0;
  // A new child product (a resource child under a resource). The container
  // argument is unused: the document holds every product.
  virtual KivVar<KivIProduct> AddChildProduct(const KivUnicodeString& name,
                                              KivBaseUnknown* container) = 0;
  // Deletes a child product with its subtree, its links and assignments.
  virtual HRESULT RemoveChildProduct(KivIProduct* child) = 0;
  // The alias (part number) of a product; tree roots carry their name.
  virtual KivUnicodeString GetAlias() = 0;
  virtual HRESULT SetAlias(const KivUnicodeString& alias) = 0;
};
KIV_DECLARE_VAR(KivIProduct);
