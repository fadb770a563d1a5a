#pragma once
// The items (products and manufacturing assemblies) assigned to an activity.
#include "KivProcessModelTypes.h"
#include "KivString.h"
#include "KivVar.h"

inline constexpr IID IID_KivISPPItemMgt = KivGUID::FromName("KivISPPItemMgt");

class KivISPPItemMgt : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivISPPItemMgt)
 public:
  // Assigned items. Type "Item": every item; "ASMPRODUCT": products only;
  // "MoxMfgAssy": assemblies only. Mode 2 (or 0): the items assigned to this
  // activity; mode 1: also those of its descendants (each item once).
  virtual KivSPPList ListItems(const KivString& type, int mode) = 0;
  // Assigns an item, optionally through the product link that brings it.
  // S_OK, S_FALSE when already assigned, E_FAIL for a foreign or deleted item. Sends kind 17.
  virtual HRESULT AssignItem(KivBaseUnknown* item, KivBaseUnknown* link,
                             const KivUnicodeString& usage, int notify, int mode) = 0;
  // Unassigns an item (count -1: all its assignments). S_FALSE when it was not
  // assigned. Sends kind 18.
  virtual HRESULT RemoveItem(KivBaseUnknown* item, int count) = 0;
  virtual KivBoolean IsItemAssigned(KivBaseUnknown* item) = 0;
};
KIV_DECLARE_VAR(KivISPPItemMgt);
