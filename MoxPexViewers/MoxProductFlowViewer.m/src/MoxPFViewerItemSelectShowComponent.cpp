// KivISelectShow on a row drawing: selecting, hiding or showing a row acts on
// what the row lists: the item, or for a product link the product it
// brings. Bound to MoxPFViewerItemRepComponent by
// CreateTIEKivISelectShowMoxPFViewerItemSelectShowComponent.
#include "KivExtension.h"
#include "KivISPPProductIO.h"
#include "KivISelectShow.h"
#include "MoxIScrollListZitBltItemVisu.h"

class MoxPFViewerItemSelectShowComponent : public KivExtend<KivExtension, KivISelectShow> {
  KIV_CLASS(MoxPFViewerItemSelectShowComponent, KivExtension, "MoxPexViewers")
 public:
  KivBaseUnknown_var GetElement(KivPathElement*) override { return ListedItem(); }

  HRESULT GetElementForHideShow(KivPathElement*, KivBaseUnknown*& element,
                                int& standsFor) override {
    KivBaseUnknown_var item = ListedItem();
    KivBaseUnknown_var shown = item;
    if (KivISPPProductIO_var link = item.get()) shown = link->GetItem();
    element = shown.Detach();
    standsFor = 1;
    return element ? S_OK : E_FAIL;
  }

 private:
  KivBaseUnknown_var ListedItem() {
    MoxIScrollListZitBltItemVisu_var row(GetImpl());
    return row ? row->GetAssociatedPFItem() : KivBaseUnknown_var();
  }
};

extern "C" KivBaseUnknown* CreateTIEKivISelectShowMoxPFViewerItemSelectShowComponent(
    KivBaseUnknown* component) {
  return KivCreateExtension<MoxPFViewerItemSelectShowComponent>(component, KivExtensionKind::Code);
}
static const KivExtensionRegistrar kSelectShowBinding(
    "MoxPFViewerItemRepComponent", IID_KivISelectShow, "MoxPFViewerItemSelectShowComponent",
    KivExtensionKind::Code, &CreateTIEKivISelectShowMoxPFViewerItemSelectShowComponent);
