// A status bar: the activity's cycle time and user-defined attributes that
// the status-bar configuration file names for the button (MoxStatusBarRows).
// Each row is an item of its own that gives its text.
#include <cstdio>

#include "KivImplement.h"
#include "MoxBaseListZitBltCmd.h"
#include "MoxBaseScrollListZitBltRep.h"
#include "MoxIBIWActivityGrouping.h"
#include "MoxIBIWActivityStation.h"
#include "MoxIListZitBltItem.h"
#include "MoxListZitBltCmdFactory.h"
#include "MoxStatusBarRows.h"

namespace {
class MoxStatusBarItem : public KivImplement<MoxIListZitBltItem> {
  KIV_CLASS(MoxStatusBarItem, KivBaseUnknown, "MoxPexViewers")
 public:
  explicit MoxStatusBarItem(const KivUnicodeString& text) : text_(text) {}
  HRESULT GetAssociatedNode(KivBaseUnknown**) override { return S_FALSE; }
  HRESULT GetLabel(KivUnicodeString& label) override {
    label = text_;
    return S_OK;
  }

 private:
  KivUnicodeString text_;
};

std::optional<KivUnicodeString> CycleTimeOf(KivBaseUnknown* activity) {
  double seconds = 0.0;
  if (MoxIBIWActivityStation_var station = activity)
    seconds = station->StationCycleTime();
  else if (MoxIBIWActivityGrouping_var grouping = activity)
    seconds = grouping->GroupCycleTime();
  else
    return std::nullopt;
  char text[32];
  std::snprintf(text, sizeof text, "%g", seconds);
  return KivUnicodeString(text);
}
}  // namespace

class MoxStatusBarListZitBltCmd : public MoxBaseListZitBltCmd {
  KIV_CLASS(MoxStatusBarListZitBltCmd, MoxBaseListZitBltCmd, "MoxPexViewers")
 public:
  explicit MoxStatusBarListZitBltCmd(KivBaseUnknown* owner) : MoxBaseListZitBltCmd(owner) {}

  void UpdateZitbltData(MoxZitBltRep* rep) override {
    MoxBaseScrollListZitBltRep* list = EmptyList(rep);
    if (!list) return;
    const auto rows = MoxStatusBarRows::Read(
        GetUserDefinedAttributeDOMDoc(), GetZitBltName(),
        [this](const KivUnicodeString& attribute) -> std::optional<KivUnicodeString> {
          if (attribute.IsEmpty()) return CycleTimeOf(GetOwner());
          KivUnicodeString value = GetAttributeValue(attribute);
          if (value.IsEmpty()) return std::nullopt;
          return value;
        });
    for (const MoxStatusBarRow& row : rows)
      list->AppendItem(
          KivBaseUnknown_var::Adopt(new MoxStatusBarItem(row.text)),
          row.marked ? MoxIListZitBltItemState::kMarked : MoxIListZitBltItemState::kNormal);
    list->DrawScrollList();
  }

  // Cycle times and attributes change with the activity's data.
  bool HandleEvent(int kind, KivBaseUnknown*) override { return kind == SPPDataModified; }
};

MOX_LIST_ZITBLT_COMMAND(MoxStatusBarListZitBltCmd);
