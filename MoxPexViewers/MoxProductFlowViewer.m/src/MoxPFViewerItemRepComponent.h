#pragma once
// The drawing of one row of a status button's list. The label of the listed
// item (with the item's show-state icon in a product input list) stands
// beside the button, offset by the button's location and the row's index,
// 2.5 units per row, with an elbow arrow from the label back to the button;
// a product output row is a label with a short link ending in a dot.
//
// The scroll list rep creates one per row (MoxCreateScrollListItemVisu),
// reaches it through MoxIScrollListZitBltItemVisu (bound by a TIE) and puts
// its rep into the button's expanded bag. The rep's first child is the
// label, which the list moves when it scrolls; the second, the arrow, stays
// where it points at the button.
#include "Kiv2DBagRep.h"
#include "KivExtIVisu.h"
#include "KivUnicodeString.h"

class MoxPFViewerItemRepComponent : public KivExtIVisu {
  KIV_CLASS(MoxPFViewerItemRepComponent, KivExtIVisu, "MoxPexViewers")
 public:
  // A colour index of 256 or more is drawn as 253.
  MoxPFViewerItemRepComponent(KivBaseUnknown* activityNode, const KivBaseUnknown_var& item,
                              int colour);

  KivVar<Kiv2DRep> BuildRep() override;

  KivBaseUnknown* GetAssociatedActivityNode() const { return node_.get(); }
  const KivBaseUnknown_var& GetAssociatedPFItem() const { return item_; }
  void SetItemPos(int row, const KivUnicodeString& location);
  void SetItemType(const KivUnicodeString& type) { itemType_ = type; }
  const KivUnicodeString& GetItemType() const { return itemType_; }
  int GetRow() const { return row_; }
  int GetColour() const { return colour_; }

 protected:
  ~MoxPFViewerItemRepComponent() override;

 private:
  KivVar<Kiv2DBagRep> GetListItemRep();
  KivVar<Kiv2DBagRep> GetListLinkZitBltItemRep();
  KivVar<Kiv2DBagRep> GetArrowRep();
  // The label in a bag of its own; null when the item gives no label.
  // Placement 0: the text starts at the bag's origin; 3: it ends 8 units
  // right of it.
  KivVar<Kiv2DBagRep> GetLabelRep(int placement);
  void AddShowStateIcon(Kiv2DBagRep& label, int placement);
  void AddBillOfMaterialMarker(Kiv2DBagRep& label);

  int row_ = 0;
  int colour_;
  KivUnicodeString location_;
  KivUnicodeString itemType_;
  KivBaseUnknown_var node_;
  KivBaseUnknown_var item_;
};
