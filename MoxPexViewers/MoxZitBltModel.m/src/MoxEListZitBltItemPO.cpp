// The label of a product output row: the name of the product the output link
// gives.
#include "KivExtension.h"
#include "KivISPPItem.h"
#include "KivISPPProductIO.h"
#include "MoxIListZitBltItem.h"

class MoxEListZitBltItemPO : public KivExtend<KivExtension, MoxIListZitBltItem> {
  KIV_CLASS(MoxEListZitBltItemPO, KivExtension, "MoxPexViewers")
 public:
  HRESULT GetAssociatedNode(KivBaseUnknown**) override { return S_OK; }

  // S_FALSE (label unchanged) for a link whose product is gone.
  HRESULT GetLabel(KivUnicodeString& label) override {
    KivISPPProductIO_var link(GetImpl());
    KivISPPItem_var product(link ? link->GetOutputProduct().get() : nullptr);
    if (!product) return S_FALSE;
    label = product->GetItemName();
    return S_OK;
  }
};

KIV_BOA_CODE_EXTENSION(MoxIListZitBltItem, MoxEListZitBltItemPO, "ProductOutput");
