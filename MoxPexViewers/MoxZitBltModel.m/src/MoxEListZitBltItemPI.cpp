// The label of a product input row: the name of the product the input link
// brings, or the assembly's own name when the row is an assembly.
#include "KivExtension.h"
#include "KivISPPItem.h"
#include "KivISPPProductIO.h"
#include "KivIModelObject.h"
#include "MoxIListZitBltItem.h"

class MoxEListZitBltItemPI : public KivExtend<KivExtension, MoxIListZitBltItem> {
  KIV_CLASS(MoxEListZitBltItemPI, KivExtension, "MoxPexViewers")
 public:
  HRESULT GetAssociatedNode(KivBaseUnknown**) override { return S_OK; }

  HRESULT GetLabel(KivUnicodeString& label) override {
    KivBaseUnknown* object = GetImpl();
    KivIModelObject_var named(object);
    if (named && named->ObjectType() == "MoxMfgAssy") {
      if (KivISPPItem_var assembly = object) label = assembly->GetItemName();
      return S_OK;
    }
    KivISPPProductIO_var link(object);
    KivISPPItem_var product(link ? link->GetInputProduct().get() : nullptr);
    if (!product) return E_FAIL;
    label = product->GetItemName();
    return S_OK;
  }
};

KIV_BOA_CODE_EXTENSION(MoxIListZitBltItem, MoxEListZitBltItemPI, "ProductInput");
// An assembly listed among the inputs is labelled by the same extension.
static const KivExtensionRegistrar kAssemblyBinding(
    "MoxMfgAssy", IID_MoxIListZitBltItem, "MoxEListZitBltItemPI", KivExtensionKind::Code,
    &CreateBOAMoxIListZitBltItemMoxEListZitBltItemPI);
