#pragma once
// Objects that know where they stand in their document give their selection
// path (root to the object itself) through this interface.
#include "KivPathElement.h"

inline constexpr IID IID_KivIPathAccess = KivGUID::FromName("KivIPathAccess");

class KivIPathAccess : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivIPathAccess)
 public:
  // A new path ending with this object, or an empty handle.
  virtual KivPathElement_var GetPathElement() = 0;
};
KIV_DECLARE_VAR(KivIPathAccess);

// The path of any object: its own path when it answers KivIPathAccess, else
// a path of the object alone. Empty for a null object.
KivPathElement_var KivBuildPathElement(KivBaseUnknown* object);
