#pragma once
// Moves resources in the resource tree.
#include "KivVar.h"

class KivSPPReparentService {
 public:
  // Moves `resource` (with its subtree) under `newFather`, a resource of the
  // same document. Refused (E_FAIL, nothing changed) when the new father is
  // the resource itself or lies below it. The path element and the container
  // are accepted for the host's calling convention; the document is found
  // from the resource. Assignments stay as they were.
  static HRESULT ReparentResource(KivBaseUnknown* resource, KivBaseUnknown* newFather,
                                  KivBaseUnknown* fatherPath, KivBaseUnknown* container);
};
