// The label of a product or resource row (an item assigned to an activity, a
// resource of it): the item's own name.
#include "KivExtension.h"
#include "KivISPPItem.h"
#include "MoxIListZitBltItem.h"

class MoxEListZitBltItemResource : public KivExtend<KivExtension, MoxIListZitBltItem> {
  KIV_CLASS(MoxEListZitBltItemResource, KivExtension, "MoxPexViewers")
 public:
  HRESULT GetAssociatedNode(KivBaseUnknown**) override { return S_FALSE; }

  HRESULT GetLabel(KivUnicodeString& label) override {
    if (KivISPPItem_var item = GetImpl()) label = item->GetItemName();
    return S_OK;
  }
};

KIV_BOA_CODE_EXTENSION(MoxIListZitBltItem, MoxEListZitBltItemResource, "ASMPRODUCT");
