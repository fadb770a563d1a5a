#pragma once
// Implemented by objects that stand for another element when the user selects,
// hides or shows them: a label drawn for a product, say, selects and hides
// the product, not the label. The host's select and hide/show actions
// (KivSelectShowActions) ask the picked object for it.
#include "KivPathElement.h"
#include "KivProcessModelTypes.h"

inline constexpr IID IID_KivISelectShow = KivGUID::FromName("KivISelectShow");

class KivISelectShow : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivISelectShow)
 public:
  // The element a selection of the object selects; empty when there is none.
  virtual KivBaseUnknown_var GetElement(KivPathElement* path) = 0;
  // The element a hide or show of the object hides or shows, with a
  // reference for the caller; `standsFor` is 1 when it is another object
  // than the picked one. E_FAIL (element null) when there is none.
  virtual HRESULT GetElementForHideShow(KivPathElement* path, KivBaseUnknown*& element,
                                        int& standsFor) = 0;
};
KIV_DECLARE_VAR(KivISelectShow);
