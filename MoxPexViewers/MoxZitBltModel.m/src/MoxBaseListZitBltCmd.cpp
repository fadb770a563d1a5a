#include "MoxBaseListZitBltCmd.h"

#include <cstdio>

#include "KivClassRegistry.h"
#include "KivIIPDAttributeMgt.h"
#include "KivISPPAbstractActivity.h"
#include "KivISPPItem.h"
#include "KivISPPItemMgt.h"
#include "KivSPPActivityNotification.h"
#include "MoxBaseScrollListZitBltRep.h"
#include "MoxIZitBltMgr.h"
#include "MoxPexTraces.h"
#include "MoxZitBltConfiguration.h"

KIV_DECLARE_CLASS(MoxBaseListZitBltCmd, "MoxPexViewers");

MoxBaseListZitBltCmd::MoxBaseListZitBltCmd(KivBaseUnknown* owner) : owner_(owner) {
  if (!MoxStatusBarConfiguration::IsParsed()) MoxStatusBarConfiguration::Parse();
}

HRESULT MoxBaseListZitBltCmd::Activate(KivCommand* caller, KivNotification* notification) {
  KivCommand::Activate(caller, notification);
  if (auto* rep = dynamic_cast<MoxZitBltRep*>(caller)) {
    zitBltName_ = rep->GetName();
    UpdateZitbltData(rep);
  }
  return S_OK;
}

bool MoxBaseListZitBltCmd::HandleEvent(int kind, KivBaseUnknown*) {
  return kind == SPPDataModified || kind == SPPItemAssigned || kind == SPPItemUnassigned ||
         kind == SPPProductLinkChanged;
}

MoxBaseScrollListZitBltRep* MoxBaseListZitBltCmd::EmptyList(MoxZitBltRep* rep) {
  auto* list = dynamic_cast<MoxBaseScrollListZitBltRep*>(rep);
  if (list) list->RemoveAllItems(1);
  return list;
}

bool MoxBaseListZitBltCmd::ChangesInputs(int kind, KivBaseUnknown* object) {
  if (kind == SPPProductLinkChanged) return true;
  if (kind != SPPItemAssigned && kind != SPPItemUnassigned) return false;
  KivISPPItem_var item(object);
  return item && (item->GetItemType() == "ASMPRODUCT" || item->GetItemType() == "MoxMfgAssy");
}

void MoxBaseListZitBltCmd::OnActivityCallback(KivBaseUnknown*, KivNotification* notification,
                                              void*) {
  auto* change = dynamic_cast<KivSPPActivityNotification*>(notification);
  if (!change || !owner_) return;
  const int kind = change->GetNotificationKind();
  if (!HandleEvent(kind, change->GetSon())) {
    // The owner was deleted: its buttons go, and with its subscriber this
    // command (released after the event, by its subscriber only).
    if (kind == SPPActivityDeleted && KivIdentity(change->GetSon()) == KivIdentity(owner_)) {
      MoxZitBltModelTrace().Print("list \"%s\": its activity was deleted",
                                  zitBltName_.ConvertToUTF8().c_str());
      if (MoxIZitBltMgr_var manager = owner_) manager->Remove();
    }
    return;
  }
  // This list on the owner and on every ancestor; a refresh batch (opened by
  // the subscriber) rebuilds each once.
  for (KivISPPAbstractActivity_var a(owner_); a; a = a->GetParentActivity())
    if (MoxIZitBltMgr_var manager = a.get()) manager->UpdateZitBltReps(zitBltName_);
}

void MoxBaseListZitBltCmd::GetFirstFirstAssignedItems(KivBaseUnknown* activity,
                                                      KivListValKivBaseUnknown_var& items) {
  KivISPPItemMgt_var management(activity);
  KivSPPList assigned = management ? management->ListItems("Item", 2) : nullptr;
  if (!assigned) return;
  for (const auto& item : *assigned)
    if (KivISPPItem_var(item.get())) items.Append(item);
}

KivUnicodeString MoxBaseListZitBltCmd::GetAttributeValue(const KivUnicodeString& name) const {
  KivIIPDAttributeMgt_var attributes(owner_);
  KivIPDValue value;
  if (!attributes || FAILED(attributes->GetAttributeValue(name, value))) return KivUnicodeString();
  char text[64];
  if (const long* number = std::get_if<long>(&value)) {
    std::snprintf(text, sizeof text, "%ld", *number);
    return KivUnicodeString(text);
  }
  if (const double* number = std::get_if<double>(&value)) {
    std::snprintf(text, sizeof text, "%.10g", *number);
    return KivUnicodeString(text);
  }
  if (const KivUnicodeString* string = std::get_if<KivUnicodeString>(&value)) return *string;
  return KivUnicodeString();
}

KivString MoxBaseListZitBltCmd::GetConfigFile() {
  return MoxStatusBarConfiguration::GetConfigFile();
}

KivIDOMDocument_var MoxBaseListZitBltCmd::GetUserDefinedAttributeDOMDoc() {
  return MoxStatusBarConfiguration::GetDocument();
}
