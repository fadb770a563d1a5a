#pragma once
// Moving a product output link from a station or grouping to another
// activity. When the destination already gives outputs, the user first
// chooses in the item options dialog the one the moved output replaces; the
// move waits for that answer (the extension keeps the source, the
// destination and the link until then).
#include <vector>

#include "KivExtension.h"
#include "MoxIListZitBltItemDD.h"

class MoxEListZitBltItemDDPO : public KivExtend<KivExtension, MoxIListZitBltItemDD> {
  KIV_CLASS(MoxEListZitBltItemDDPO, KivExtension, "MoxPexViewers")
 public:
  unsigned char IsValidToReassign(KivBaseUnknown* source, KivBaseUnknown* destination,
                                  KivUnicodeString& message) override;
  // Moves the output at once, or opens the options dialog and returns S_OK
  // with the move pending.
  HRESULT ReassignItem(KivBaseUnknown* source, KivBaseUnknown* destination) override;

  // The user chose line `index` (from 1) of the options dialog: that output
  // of the destination is removed, then the pending move is made. An index
  // outside the lines replaces nothing.
  void ReplaceOutputAtDestination(int index);
  // The user cancelled the options dialog: nothing moves.
  void ForgetPendingMove();

 private:
  // Moves the link from the source to the destination (a new output link of
  // the same product there), then notifies both.
  HRESULT RelocateOutput();
  void SendNotifications();

  KivBaseUnknown_var destination_;
  KivBaseUnknown_var source_;
  KivBaseUnknown_var link_;
  // The destination's outputs offered as the dialog's lines, in line order.
  std::vector<KivBaseUnknown_var> offered_;
};
