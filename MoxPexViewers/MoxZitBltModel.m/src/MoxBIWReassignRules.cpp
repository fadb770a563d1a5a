#include "MoxBIWReassignRules.h"

#include "KivISPPAbstractActivity.h"
#include "KivISPPActivity.h"
#include "KivISPPItem.h"
#include "KivIModelObject.h"

namespace MoxBIWReassign {

bool AreTwoLiveActivities(KivBaseUnknown* source, KivBaseUnknown* destination) {
  KivISPPActivity_var from(source), to(destination);
  if (!KivISPPAbstractActivity_var(source) || !KivISPPAbstractActivity_var(destination) || !from ||
      !to)
    return false;
  if (!from->IsAttached() || !to->IsAttached()) return false;
  if (KivIdentity(source) == KivIdentity(destination)) return false;
  return KivIdentity(from->GetProcessDocument().get()) ==
         KivIdentity(to->GetProcessDocument().get());
}

bool ModelTypeOf(KivBaseUnknown* object, KivString& type) {
  KivIModelObject_var model(object);
  if (!model) return false;
  type = model->ObjectType();
  return true;
}

bool IsOneOf(const KivString& type, std::initializer_list<const char*> types) {
  for (const char* t : types)
    if (type == t) return true;
  return false;
}

KivUnicodeString TypeRefusal(const KivString& source, const KivString& destination) {
  return KivUnicodeString("Product Input can not be ReAssigned from " + source.str() +
                          " to " + destination.str());
}

bool HasItemNamed(const KivListValKivBaseUnknown_var& items, const KivUnicodeString& name) {
  for (const KivBaseUnknown_var& item : items)
    if (KivISPPItem_var named = item.get(); named && named->GetItemName() == name) return true;
  return false;
}

}  // namespace MoxBIWReassign
