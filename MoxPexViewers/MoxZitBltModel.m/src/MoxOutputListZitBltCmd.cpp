// The outputs of a station or grouping: its own output links, then those of
// its children (marked for a grouping). The list is never scrolled.
#include "KivISPPActivity.h"
#include "MoxBaseListZitBltCmd.h"
#include "MoxBaseScrollListZitBltRep.h"
#include "MoxIBIWItemInfo.h"
#include "MoxListZitBltCmdFactory.h"

class MoxOutputListZitBltCmd : public MoxBaseListZitBltCmd {
  KIV_CLASS(MoxOutputListZitBltCmd, MoxBaseListZitBltCmd, "MoxPexViewers")
 public:
  explicit MoxOutputListZitBltCmd(KivBaseUnknown* owner) : MoxBaseListZitBltCmd(owner) {}

  void UpdateZitbltData(MoxZitBltRep* rep) override {
    MoxBaseScrollListZitBltRep* list = EmptyList(rep);
    if (!list) return;
    KivISPPActivity_var activity(GetOwner());
    const KivUnicodeString type = activity ? activity->TypeName() : KivUnicodeString();
    const bool station = type == KivUnicodeString("BIWActivityStation");
    const bool grouping = type == KivUnicodeString("BIWActivityGrouping");
    MoxIBIWItemInfo_var info(GetOwner());
    if (!info || (!station && !grouping)) return;
    KivListValKivBaseUnknown_var own, children;
    info->GetOutputs(own);
    for (const auto& output : own) list->AppendItem(output, MoxIListZitBltItemState::kNormal);
    info->GetChildOutputs(children, 0);
    for (const auto& output : children)
      list->AppendItem(
          output, station ? MoxIListZitBltItemState::kNormal : MoxIListZitBltItemState::kMarked);
    // A window larger than the list: every output shows.
    list->SetScrollRange(own.Size() + children.Size() + 15);
  }

  bool HandleEvent(int kind, KivBaseUnknown* object) override {
    return kind == SPPOutputsReplaced || MoxBaseListZitBltCmd::HandleEvent(kind, object);
  }
};

MOX_LIST_ZITBLT_COMMAND(MoxOutputListZitBltCmd);
