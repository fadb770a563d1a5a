#pragma once
// A product input or output link of an activity (late types "ProductInput"
// and "ProductOutput"). Its item is a product or a manufacturing assembly.
#include "KivProcessModelTypes.h"
#include "KivString.h"
#include "KivVar.h"

inline constexpr IID IID_KivISPPProductIO = KivGUID::FromName("KivISPPProductIO");

class KivISPPProductIO : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivISPPProductIO)
 public:
  // The linked item (product or assembly); empty once the link was removed.
  virtual KivBaseUnknown_var GetItem() = 0;
  // The item when this is an input link, else empty.
  virtual KivBaseUnknown_var GetInputProduct() = 0;
  // The item when this is an output link, else empty.
  virtual KivBaseUnknown_var GetOutputProduct() = 0;
  // The activity that owns the link; empty once removed.
  virtual KivBaseUnknown_var GetActivity() = 0;
  virtual KivBoolean IsInput() = 0;
  // "ProductInput" or "ProductOutput".
  virtual KivString GetLinkType() = 0;
};
KIV_DECLARE_VAR(KivISPPProductIO);
