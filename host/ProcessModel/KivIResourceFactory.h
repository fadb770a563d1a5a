#pragma once
// Creates resources in the resource tree of a document.
#include "KivIResource.h"
#include "KivProcessModelTypes.h"
#include "KivVar.h"

inline constexpr IID IID_KivIResourceFactory = KivGUID::FromName("KivIResourceFactory");

class KivIResourceFactory : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivIResourceFactory)
 public:
  // A new resource under `father` (a resource), or a new resource tree root
  // when father is null.
  virtual KivVar<KivIResource> CreateResource(const KivUnicodeString& type,
                                              const KivUnicodeString& name,
                                              KivBaseUnknown* father) = 0;
};
KIV_DECLARE_VAR(KivIResourceFactory);
