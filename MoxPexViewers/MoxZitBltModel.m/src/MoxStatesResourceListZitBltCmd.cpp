// The resources assigned to an activity.
#include "KivISPPItem.h"
#include "KivISPPResourceManagement.h"
#include "MoxBaseListZitBltCmd.h"
#include "MoxBaseScrollListZitBltRep.h"
#include "MoxListZitBltCmdFactory.h"

class MoxStatesResourceListZitBltCmd : public MoxBaseListZitBltCmd {
  KIV_CLASS(MoxStatesResourceListZitBltCmd, MoxBaseListZitBltCmd, "MoxPexViewers")
 public:
  explicit MoxStatesResourceListZitBltCmd(KivBaseUnknown* owner) : MoxBaseListZitBltCmd(owner) {}

  void UpdateZitbltData(MoxZitBltRep* rep) override {
    MoxBaseScrollListZitBltRep* list = EmptyList(rep);
    if (!list) return;
    KivISPPResourceManagement_var resources(GetOwner());
    KivSPPList assigned = resources ? resources->AssignedResources("Resource", 0) : nullptr;
    if (assigned)
      for (const auto& resource : *assigned)
        if (KivISPPItem_var(resource.get()))
          list->AppendItem(resource, MoxIListZitBltItemState::kNoState);
    list->DrawScrollList();
  }

  bool HandleEvent(int kind, KivBaseUnknown*) override {
    return kind == SPPResourceAssigned || kind == SPPResourceUnassigned;
  }
};

MOX_LIST_ZITBLT_COMMAND(MoxStatesResourceListZitBltCmd);
