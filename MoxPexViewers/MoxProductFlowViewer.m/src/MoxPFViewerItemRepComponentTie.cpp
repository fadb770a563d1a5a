// MoxIScrollListZitBltItemVisu on a row drawing: a forwarder to the
// component, bound by CreateTIEMoxIScrollListZitBltItemVisuMoxPFViewerItemRepComponent,
// and the factory the scroll list rep makes its rows with.
#include "KivExtension.h"
#include "MoxPFViewerItemRepComponent.h"
#include "MoxScrollListItemVisuFactory.h"

namespace {
class MoxPFViewerItemRepComponentTie
    : public KivExtend<KivExtension, MoxIScrollListZitBltItemVisu> {
  KIV_CLASS(MoxPFViewerItemRepComponentTie, KivExtension, "MoxPexViewers")
 public:
  KivVar<Kiv2DRep> BuildRep() override { return Row().BuildRep(); }
  Kiv2DRep* GetRep() override { return Row().GetRep(); }
  Kiv2DRep* GiveRep() override { return Row().GiveRep(); }
  void UnreferenceRep() override { Row().UnreferenceRep(); }
  void SetVisuRep(Kiv2DRep* rep) override { Row().SetVisuRep(rep); }
  void SetRepNotUpToDate() override { Row().SetRepNotUpToDate(); }
  bool IsRepUpToDate() override { return Row().IsRepUpToDate(); }

  KivBaseUnknown* GetAssociatedActivityNode() override { return Row().GetAssociatedActivityNode(); }
  KivBaseUnknown_var GetAssociatedPFItem() override { return Row().GetAssociatedPFItem(); }
  void SetItemPos(int row, const KivUnicodeString& location) override {
    Row().SetItemPos(row, location);
  }
  void SetItemType(const KivUnicodeString& type) override { Row().SetItemType(type); }
  void GetItemType(KivUnicodeString& type) override { type = Row().GetItemType(); }

 private:
  // The binding is made for the component's class (and those derived from
  // it), so the component always is one.
  MoxPFViewerItemRepComponent& Row() {
    return *dynamic_cast<MoxPFViewerItemRepComponent*>(GetImpl());
  }
};
}  // namespace

KIV_TIE_BINDING(MoxIScrollListZitBltItemVisu, MoxPFViewerItemRepComponent,
                MoxPFViewerItemRepComponentTie);

MoxIScrollListZitBltItemVisu_var MoxCreateScrollListItemVisu(KivBaseUnknown* activityNode,
                                                             const KivBaseUnknown_var& item,
                                                             int colour) {
  auto row = KivMake<MoxPFViewerItemRepComponent>(activityNode, item, colour);
  return MoxIScrollListZitBltItemVisu_var(row.get());
}
