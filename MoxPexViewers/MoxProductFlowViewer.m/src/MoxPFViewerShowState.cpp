#include "MoxPFViewerShowState.h"

#include "KivIProduct.h"
#include "KivIVisProperties.h"
#include "MoxIMfgAssembly.h"
#include "MoxZitBltIconCache.h"

namespace {
const KivUnicodeString kShow("SHOW");
const KivUnicodeString kHidden("HIDDEN");
const KivUnicodeString kPartial("PARTIAL");

KivUnicodeString Aggregate(const KivListValKivBaseUnknown_var& parts) {
  bool shown = false, hidden = false;
  for (const auto& part : parts) {
    const KivUnicodeString state = MoxPFViewerShowState::GetIconName(part.get());
    if (state == kPartial) return kPartial;
    shown = shown || state == kShow;
    hidden = hidden || state == kHidden;
  }
  if (shown && hidden) return kPartial;
  return hidden ? kHidden : kShow;
}
}  // namespace

KivUnicodeString MoxPFViewerShowState::GetIconName(KivBaseUnknown* item) {
  if (MoxIMfgAssembly_var assembly = item) {
    KivListValKivBaseUnknown_var parts;
    assembly->GetChildren(parts);
    return Aggregate(parts);
  }
  KivIVisProperties_var properties(item);
  KivShowAttribut show = KivShow;
  if (!properties || FAILED(properties->GetShow(show))) return KivUnicodeString();
  if (show == KivNoShow) return kHidden;
  KivIProduct_var product(item);
  KivSPPList children = product ? product->ChildProducts("KivIProduct") : nullptr;
  if (!children || children->IsEmpty()) return kShow;
  return Aggregate(*children);
}

KivVar<KivPixelImage> MoxPFViewerShowState::GetShowHiddenIcon(const KivUnicodeString& state) {
  const char* icon = state == kShow      ? "I_PODShownInputPart"
                     : state == kHidden  ? "I_PODHiddenInputPart"
                     : state == kPartial ? "I_PODPartiallyHiddenInputPart"
                                         : nullptr;
  if (!icon) return NULL_var;
  auto image =
      KivVar<KivPixelImage>::Adopt(MoxZitBltIconCache::Load(KivUnicodeString(icon), false));
  if (image) image->SetTransparency(KivPixelImage::kCornerColourKey);
  return image;
}
