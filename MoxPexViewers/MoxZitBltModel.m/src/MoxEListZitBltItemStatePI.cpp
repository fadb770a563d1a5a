// The assignment state of a product input link, kept on the link.
#include "KivExtension.h"
#include "KivISPPAbstractActivity.h"
#include "KivISPPChildManagement.h"
#include "MoxIListZitBltItem.h"
#include "MoxIListZitBltItemState.h"

class MoxEListZitBltItemStatePI : public KivExtend<KivExtension, MoxIListZitBltItemState> {
  KIV_CLASS(MoxEListZitBltItemStatePI, KivExtension, "MoxPexViewers")
 public:
  HRESULT SetAssignState(AssignState state) override {
    state_ = state;
    return S_OK;
  }
  HRESULT GetAssignState(AssignState& state) override {
    state = state_;
    return S_OK;
  }

  // A station's items belong to its bill of material, and so do those of a
  // grouping that holds no process of its own.
  unsigned char IsIncludedInBOM() override {
    MoxIListZitBltItem_var item(GetImpl());
    KivBaseUnknown* node = nullptr;
    if (!item || FAILED(item->GetAssociatedNode(&node)) || !node) return 0;
    KivBaseUnknown_var held = KivBaseUnknown_var::Adopt(node);
    KivISPPAbstractActivity_var activity(held.get());
    if (!activity) return 0;
    const KivUnicodeString type = activity->GetActivityType();
    if (type == KivUnicodeString("BIWActivityStation")) return 1;
    if (type != KivUnicodeString("BIWActivityGrouping")) return 0;
    KivISPPChildManagement_var children(held.get());
    KivSPPList roots = children ? children->ChildActivities("BIWActivityRoot") : nullptr;
    return roots && roots->IsEmpty() ? 1 : 0;
  }

 private:
  AssignState state_ = kNoState;
};

KIV_BOA_DATA_EXTENSION(MoxIListZitBltItemState, MoxEListZitBltItemStatePI, "ProductInput");
