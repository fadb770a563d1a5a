// The inputs of a station or grouping: every product input link, those whose
// product is also assigned to the activity (carry-over inputs) marked, then
// the items assigned to the activities that precede it and are not among
// its inputs.
#include <unordered_map>

#include "KivISPPActivity.h"
#include "KivISPPChildManagement.h"
#include "KivISPPFlowMgt.h"
#include "MoxBaseListZitBltCmd.h"
#include "MoxBaseScrollListZitBltRep.h"
#include "MoxIBIWItemInfo.h"
#include "MoxListZitBltCmdFactory.h"
#include "MoxZitBltRefreshBatch.h"

class MoxStatesInputListZitBltCmd : public MoxBaseListZitBltCmd {
  KIV_CLASS(MoxStatesInputListZitBltCmd, MoxBaseListZitBltCmd, "MoxPexViewers")
 public:
  explicit MoxStatesInputListZitBltCmd(KivBaseUnknown* owner) : MoxBaseListZitBltCmd(owner) {}

  void UpdateZitbltData(MoxZitBltRep* rep) override {
    MoxBaseScrollListZitBltRep* list = EmptyList(rep);
    if (!list) return;
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
    if (info && LevelHasAssignedItems()) {
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

 private:
  // Whether some activity of the owner's level has items assigned to it:
  // when none has, no activity before the owner has either, and the walk up
  // the flow is saved (a line assigns its parts to the operations inside
  // its stations). Kept for the open refresh batch.
  bool LevelHasAssignedItems() const {
    KivISPPActivity_var activity(GetOwner());
    KivISPPActivity_var level = activity ? activity->ParentActivity() : KivISPPActivity_var();
    if (!level) return true;
    static std::unordered_map<const KivBaseUnknown*, bool> known;
    static unsigned long knownIn = 0;
    const unsigned long batch = MoxZitBltRefreshBatch::Current();
    if (batch == 0 || batch != knownIn) known.clear();
    knownIn = batch;
    const auto found = known.find(KivIdentity(level.get()));
    if (batch != 0 && found != known.end()) return found->second;
    bool any = false;
    KivISPPChildManagement_var children(level.get());
    KivSPPList siblings = children ? children->ChildActivities("Activity") : nullptr;
    for (int i = 1; siblings && !any && i <= siblings->Size(); ++i) {
      KivListValKivBaseUnknown_var items;
      GetFirstFirstAssignedItems((*siblings)[i].get(), items);
      any = !items.IsEmpty();
    }
    return known[KivIdentity(level.get())] = any;
  }
};

MOX_LIST_ZITBLT_COMMAND(MoxStatesInputListZitBltCmd);
