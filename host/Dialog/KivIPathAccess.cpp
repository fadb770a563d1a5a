#include "KivIPathAccess.h"

KivPathElement_var KivBuildPathElement(KivBaseUnknown* object) {
  if (!object) return NULL_var;
  if (KivIPathAccess_var access = object) {
    if (KivPathElement_var path = access->GetPathElement(); path && path->GetSize() > 0)
      return path;
  }
  return KivMake<KivPathElement>(object);
}
