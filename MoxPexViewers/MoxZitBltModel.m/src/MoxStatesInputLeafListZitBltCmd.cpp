// The inputs of a leaf activity that it actually takes: its product input
// links whose product is assigned to it, each assigned product once.
#include "KivISPPFlowMgt.h"
#include "MoxBaseListZitBltCmd.h"
#include "MoxBaseScrollListZitBltRep.h"
#include "MoxListZitBltCmdFactory.h"

class MoxStatesInputLeafListZitBltCmd : public MoxBaseListZitBltCmd {
  KIV_CLASS(MoxStatesInputLeafListZitBltCmd, MoxBaseListZitBltCmd, "MoxPexViewers")
 public:
  explicit MoxStatesInputLeafListZitBltCmd(KivBaseUnknown* owner) : MoxBaseListZitBltCmd(owner) {}

  void UpdateZitbltData(MoxZitBltRep* rep) override {
    MoxBaseScrollListZitBltRep* list = EmptyList(rep);
    if (!list) return;
    KivISPPFlowMgt_var flow(GetOwner());
    KivSPPList inputs = flow ? flow->ProductLinks("ProductInput") : nullptr;
    if (inputs) {
      KivListValKivBaseUnknown_var assigned;
      GetFirstFirstAssignedItems(GetOwner(), assigned);
      for (const auto& input : *inputs) {
        KivISPPProductIO_var link(input.get());
        if (link && assigned.RemoveValue(link->GetInputProduct()))
          list->AppendItem(input, MoxIListZitBltItemState::kNormal);
      }
    }
    list->DrawScrollList();
  }

  bool HandleEvent(int kind, KivBaseUnknown* object) override {
    return ChangesInputs(kind, object);
  }
};

MOX_LIST_ZITBLT_COMMAND(MoxStatesInputLeafListZitBltCmd);
