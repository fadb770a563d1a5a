// The inputs of a station or grouping: every product input link, those whose
// product is also assigned to the activity (carry-over inputs) marked, then
// the items assigned to the activities that precede it and are not among
// its inputs.
#include "KivISPPFlowMgt.h"
#include "MoxBaseListZitBltCmd.h"
#include "MoxBaseScrollListZitBltRep.h"
#include "MoxIBIWItemInfo.h"
#include "MoxListZitBltCmdFactory.h"

class MoxStatesInputListZitBltCmd : public MoxBaseListZitBltCmd {
  KIV_CLASS(MoxStatesInputListZitBltCmd, MoxBaseListZitBltCmd, "MoxPexViewers")
 public:
  explicit MoxStatesInputListZitBltCmd(KivBaseUnknown* owner) : MoxBaseListZitBltCmd(owner) {}

  void UpdateZitbltData(MoxZitBltRep* rep) override {
    auto* list = dynamic_cast<MoxBaseScrollListZitBltRep*>(rep);
    if (!list) return;
    list->RemoveAllItems(1);
    KivListValKivBaseUnknown_var assigned;
    GetFirstFirstAssignedItems(GetOwner(), assigned);
    KivISPPFlowMgt_var flow(GetOwner());
    KivSPPList inputs = flow ? flow->ProductLinks("ProductInput") : nullptr;
    if (inputs) {
      for (const auto& input : *inputs) {
        KivISPPProductIO_var link(input.get());
        const KivBaseUnknown_var product = link ? link->GetInputProduct() : KivBaseUnknown_var();
        const bool carriedOver = product && assigned.RemoveValue(product);
        list->AppendItem(input, carriedOver ? MoxIListZitBltItemState::kMarked
                                            : MoxIListZitBltItemState::kNormal);
      }
    }
    MoxIBIWItemInfo_var info(GetOwner());
    if (info) {
      KivListValKivBaseUnknown_var inputProducts, preceding, upstream;
      info->GetInputProducts(inputProducts);
      info->GetPrecedingActivities(preceding);
      for (const auto& activity : preceding) GetFirstFirstAssignedItems(activity.get(), upstream);
      upstream.RemoveDuplicates();
      for (const auto& item : upstream)
        if (inputProducts.Locate(item) == 0)
          list->AppendItem(item, MoxIListZitBltItemState::kNormal);
    }
    list->DrawScrollList();
  }

  bool HandleEvent(int kind, KivBaseUnknown* object) override {
    return ChangesInputs(kind, object);
  }

  bool ShowsItemsOfPrecedingActivities() const override { return true; }
};

MOX_LIST_ZITBLT_COMMAND(MoxStatesInputListZitBltCmd);
