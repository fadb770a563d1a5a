#include "MoxEZitBltCBSubscriber.h"

#include <deque>
#include <unordered_set>
#include <vector>

#include "KivCommandHeader.h"
#include "KivIModelObject.h"
#include "KivISPPActivity.h"
#include "KivISPPActivityModificationEvents.h"
#include "KivISPPFlowMgt.h"
#include "KivSPPActivityNotification.h"
#include "MoxBaseListZitBltCmd.h"
#include "MoxIUpdateManufAssly.h"
#include "MoxIZitBltMgr.h"
#include "MoxPexTraces.h"
#include "MoxZitBltConfiguration.h"
#include "MoxZitBltNotificationRouter.h"
#include "MoxZitBltRefreshBatch.h"

KIV_BOA_DATA_EXTENSION(MoxIZitBltCBSubscriber, MoxEZitBltCBSubscriber, "PhysicalActivity");

namespace {
// Every subscriber of the process ignores notifications while it is set
// (a drop moves items and rebuilds the lists itself).
unsigned char gIgnoreNotifications = 0;

KivISPPActivity_var RootOf(KivBaseUnknown* activity) {
  KivISPPActivity_var own(activity);
  return own ? own->GetRootActivity() : KivISPPActivity_var();
}

bool UpdatingAssemblies(const KivISPPActivity_var& root) {
  MoxIUpdateManufAssly_var update(root.get());
  KivBoolean updating = 0;
  return update && SUCCEEDED(update->GetUpdateState(updating)) && updating;
}
}  // namespace

MoxEZitBltCBSubscriber::~MoxEZitBltCBSubscriber() { UnSubscribe(); }

int MoxEZitBltCBSubscriber::Subscribe() {
  if (subscribed_) return 0;
  KivISPPActivityModificationEvents_var events(RootOf(GetImpl()).get());
  if (KivEventPublisher* publisher = events ? events->GetNotificationDispatcher() : nullptr)
    callback_ = MoxZitBltNotificationRouter::Join(
        publisher, GetImpl(), KivMemberCallback(this, &MoxEZitBltCBSubscriber::OnActivityCB));
  InitializeData();
  subscribed_ = true;
  return 0;
}

void MoxEZitBltCBSubscriber::InitializeData() {
  KivBaseUnknown* activity = GetImpl();
  MoxIZitBltMgr_var manager(activity);
  KivIModelObject_var named(activity);
  KivIDOMDocument_var document;
  if (!manager || !named || !manager->GetDomDocument(document)) return;
  for (const MoxZitBltDeclaration& declaration : *MoxZitBltConfiguration::DeclaredFor(
           document, KivUnicodeString(named->ObjectType().str()))) {
    if (!declaration.hasUpdate) continue;
    const MoxZitBltUpdateData& update = declaration.update;
    const KivUnicodeString& name = declaration.entry.name;
    auto header =
        KivMake<KivCommandHeader>(update.cmdName, update.loadModule, update.cmdName, activity, 1);
    auto instance = KivBaseUnknown_var::Adopt(header->GetCommand());
    // A class, not an interface: found by its type, not queried.
    KivVar<MoxBaseListZitBltCmd> command(
        instance ? dynamic_cast<MoxBaseListZitBltCmd*>(instance->GetImpl()) : nullptr);
    if (!command) {
      MoxZitBltModelTrace().Print("list \"%s\": %s of module %s is no list command",
                                  name.ConvertToUTF8().c_str(), update.cmdName.c_str(),
                                  update.loadModule.c_str());
      continue;
    }
    command->Activate(nullptr, nullptr);
    command->SetZitBltName(name);
    // The table keeps the creation reference; UnSubscribe gives it up.
    commands_.Insert(name.ConvertToUTF8(), command.Detach());
  }
}

int MoxEZitBltCBSubscriber::UnSubscribe() {
  if (subscribed_) {
    for (MoxBaseListZitBltCmd* command : commands_.Values()) KivCommandDeletion(command);
    commands_.RemoveAll();
    subscribed_ = false;
  }
  // Left by identifier: the activity may be going, and with it the way to
  // its root.
  if (callback_ != kKivNoCallback) MoxZitBltNotificationRouter::Leave(callback_);
  callback_ = kKivNoCallback;
  return 0;
}

HRESULT MoxEZitBltCBSubscriber::FindZitBltCmd(const KivUnicodeString& name,
                                              MoxBaseListZitBltCmd** command) {
  if (!command) return E_FAIL;
  MoxBaseListZitBltCmd* found = commands_.Locate(name.ConvertToUTF8());
  if (!found) return E_FAIL;
  *command = found;
  return S_OK;
}

void MoxEZitBltCBSubscriber::SetIgnoreNotifFlag(unsigned char ignore) {
  gIgnoreNotifications = ignore;
}

unsigned char MoxEZitBltCBSubscriber::GetIgnoreNotifFlag() { return gIgnoreNotifications; }

void MoxEZitBltCBSubscriber::RefreshFollowers(int kind, KivBaseUnknown* item) {
  std::unordered_set<KivBaseUnknown*> seen{KivIdentity(GetImpl())};
  std::deque<KivBaseUnknown_var> next{KivBaseUnknown_var(GetImpl())};
  while (!next.empty()) {
    KivISPPFlowMgt_var flow(next.front().get());
    next.pop_front();
    KivSPPList followers = flow ? flow->NextActivities("Activity") : nullptr;
    if (!followers) continue;
    for (const auto& follower : *followers) {
      if (!seen.insert(KivIdentity(follower.get())).second) continue;
      next.push_back(follower);
      MoxIZitBltCBSubscriber_var other(follower.get());
      auto* subscriber = dynamic_cast<MoxEZitBltCBSubscriber*>(other.get());
      MoxIZitBltMgr_var manager(follower.get());
      if (!subscriber || !subscriber->subscribed_ || !manager) continue;
      for (MoxBaseListZitBltCmd* command : subscriber->commands_.Values())
        if (command->ShowsItemsOfPrecedingActivities() && command->HandleEvent(kind, item))
          manager->UpdateZitBltReps(command->GetZitBltName());
    }
  }
}

void MoxEZitBltCBSubscriber::OnActivityCB(KivBaseUnknown* publisher, KivNotification* n,
                                          void* data) {
  const unsigned char saved = gIgnoreNotifications;
  // Assembly updates rebuild the lists even while notifications are ignored.
  const bool updating = UpdatingAssemblies(RootOf(GetImpl()));
  if (updating) gIgnoreNotifications = 0;
  auto* change = dynamic_cast<KivSPPActivityNotification*>(n);
  if (!gIgnoreNotifications && change) {
    // A command may end the activity's buttons (the activity was deleted),
    // which empties the table: walk a copy, and stop once unsubscribed.
    std::vector<KivVar<MoxBaseListZitBltCmd>> commands;
    for (MoxBaseListZitBltCmd* command : commands_.Values()) commands.emplace_back(command);
    MoxZitBltRefreshBatch batch;
    for (const auto& command : commands) {
      if (!subscribed_) break;
      command->OnActivityCallback(publisher, n, data);
    }
    const int kind = change->GetNotificationKind();
    if (subscribed_ && (kind == SPPItemAssigned || kind == SPPItemUnassigned))
      RefreshFollowers(kind, change->GetSon());
  }
  if (updating) gIgnoreNotifications = saved;
}
