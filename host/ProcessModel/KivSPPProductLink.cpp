#include "KivSPPProductLink.h"

#include "KivSPPActivity.h"
#include "KivSPPItemBase.h"

KivSPPProductLink::KivSPPProductLink(KivSPPActivity* activity, KivSPPItemBase* item, bool input,
                                     std::string id)
    : activity_(activity), item_(item), input_(input), id_(std::move(id)) {}

void KivSPPProductLink::Detach() {
  activity_ = nullptr;
  item_ = NULL_var;
}

KivBaseUnknown_var KivSPPProductLink::GetItem() { return KivBaseUnknown_var(item_.get()); }

KivBaseUnknown_var KivSPPProductLink::GetInputProduct() {
  return input_ ? GetItem() : KivBaseUnknown_var();
}

KivBaseUnknown_var KivSPPProductLink::GetOutputProduct() {
  return input_ ? KivBaseUnknown_var() : GetItem();
}

KivBaseUnknown_var KivSPPProductLink::GetActivity() {
  return KivBaseUnknown_var(static_cast<KivSPPFlowNode*>(activity_));
}

KivUnicodeString KivSPPProductLink::ObjectName() {
  return item_ ? item_->Name() : KivUnicodeString();
}
