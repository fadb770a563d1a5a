// Moving a product input link from one activity to another: the product
// leaves the source's items and links, and comes in at the destination
// through a new input link (assigned there too when the destination is a
// station, grouping or loading).
#include "KivExtension.h"
#include "KivISPPAbstractActivity.h"
#include "KivISPPFlowMgt.h"
#include "KivISPPItem.h"
#include "KivISPPItemMgt.h"
#include "KivISPPProductIO.h"
#include "MoxBIWFlowQueries.h"
#include "MoxBIWReassignRules.h"
#include "MoxIListZitBltItemDD.h"
#include "MoxIListZitBltItemState.h"
#include "MoxIMfgAssembly.h"

using namespace MoxBIWReassign;

class MoxEListZitBltItemDDPI : public KivExtend<KivExtension, MoxIListZitBltItemDD> {
  KIV_CLASS(MoxEListZitBltItemDDPI, KivExtension, "MoxPexViewers")
 public:
  unsigned char IsValidToReassign(KivBaseUnknown* source, KivBaseUnknown* destination,
                                  KivUnicodeString& message) override {
    if (!AreTwoLiveActivities(source, destination)) {
      message = kNotAnActivity;
      return 0;
    }
    KivString from, to;
    if (!ModelTypeOf(source, from) || !ModelTypeOf(destination, to)) return 0;
    // A station's or grouping's own input (not one of its items) stays.
    MoxIListZitBltItemState_var state(GetImpl());
    MoxIListZitBltItemState::AssignState assign = MoxIListZitBltItemState::kNoState;
    if (state && IsOneOf(from, {"BIWActivityGrouping", "BIWActivityStation"}) &&
        SUCCEEDED(state->GetAssignState(assign)) && assign == MoxIListZitBltItemState::kNormal)
      return 0;
    static constexpr std::initializer_list<const char*> kMovable = {
        "BIWActivityStation", "BIWActivityLoading", "BIWActivityGrouping"};
    if (!IsOneOf(from, kMovable) || !IsOneOf(to, kMovable)) {
      message = TypeRefusal(from, to);
      return 0;
    }
    KivBaseUnknown_var product = Product();
    if (!product) return 0;
    if (MoxIMfgAssembly_var(product.get()) && !MoxBIWFlow::MfgDropValid(product.get(), destination))
      return 0;
    KivISPPItemMgt_var items(destination);
    const KivSPPList listed = items ? items->ListItems("Item", 2) : nullptr;
    if (!listed) {
      message = kNoItemList;
      return 0;
    }
    KivISPPItem_var named(product.get());
    if (named && HasItemNamed(*listed, named->GetItemName())) {
      message = kAlreadyAssigned;
      return 0;
    }
    message = kValid;
    return 1;
  }

  HRESULT ReassignItem(KivBaseUnknown* source, KivBaseUnknown* destination) override {
    if (!source || !destination) return E_FAIL;
    KivString to, from;
    if (!ModelTypeOf(destination, to) || !KivISPPAbstractActivity_var(destination)) return E_FAIL;
    if (IsOneOf(to, {"BIWActivitySpotWelding", "BIWActivityStudWelding", "BIWActivitySpotGluing",
                     "BIWActivityArcWelding", "BIWActivityAdhesiveApplication",
                     "BIWActivitySealantApplication", "BIWActivityClinching"}))
      return E_FAIL;
    KivISPPItemMgt_var sourceItems(source), destinationItems(destination);
    KivISPPFlowMgt_var destinationFlow(destination);
    KivBaseUnknown_var product = Product();
    // The destination must be able to take the link before the source gives
    // it up: a drop on a deleted activity loses nothing.
    if (!sourceItems || !destinationItems || !destinationFlow || !product ||
        !ModelTypeOf(source, from) || !KivISPPAbstractActivity_var(source) ||
        !AreTwoLiveActivities(source, destination))
      return E_FAIL;
    sourceItems->RemoveItem(product.get(), -1);
    if (KivISPPFlowMgt_var sourceFlow = source) sourceFlow->RemoveProductLink(GetImpl());
    KivVar<KivISPPProductIO> link = destinationFlow->CreateProductInput(product.get());
    if (link && IsOneOf(to, {"BIWActivityStation", "BIWActivityGrouping", "BIWActivityLoading"}))
      destinationItems->AssignItem(product.get(), link.get(), KivUnicodeString(), 1, 2);
    return link ? S_OK : E_FAIL;
  }

 private:
  KivBaseUnknown_var Product() {
    KivISPPProductIO_var link(GetImpl());
    return link ? link->GetInputProduct() : NULL_var;
  }
};

KIV_BOA_CODE_EXTENSION(MoxIListZitBltItemDD, MoxEListZitBltItemDDPI, "ProductInput");
