#pragma once
// The list commands of one activity: a data extension of "PhysicalActivity"
// that makes one command per configured list button of the activity's type
// (the first UpdateData element of each ZitBlt element), owns them, and
// passes them the activity notifications of the activity's process that
// concern this activity (their father is the activity).
//
// It listens once to its own root activity's modification events (the
// process the activity belongs to, whichever editor is current), through the
// router that passes each notification to the subscriber of its father.
#include "KivCallback.h"
#include "KivExtension.h"
#include "KivHashDico.h"
#include "MoxIZitBltCBSubscriber.h"

class MoxEZitBltCBSubscriber : public KivExtend<KivExtension, MoxIZitBltCBSubscriber> {
  KIV_CLASS(MoxEZitBltCBSubscriber, KivExtension, "MoxPexViewers")
 public:
  MoxEZitBltCBSubscriber() = default;

  int Subscribe() override;
  unsigned char IsSubscribed() override { return subscribed_ ? 1 : 0; }
  int UnSubscribe() override;
  HRESULT FindZitBltCmd(const KivUnicodeString& name, MoxBaseListZitBltCmd** command) override;
  void SetIgnoreNotifFlag(unsigned char ignore) override;
  unsigned char GetIgnoreNotifFlag() override;

  bool HasCallback() const { return callback_ != kKivNoCallback; }

 protected:
  ~MoxEZitBltCBSubscriber() override;

 private:
  void InitializeData();
  void OnActivityCB(KivBaseUnknown* publisher, KivNotification* notification, void* data);
  // An item assigned to or unassigned from this activity also shows in the
  // lists of the activities that follow it in the flow (input lists show
  // what precedes them): those lists are rebuilt.
  void RefreshFollowers(int kind, KivBaseUnknown* item);

  bool subscribed_ = false;
  KivHashDico<MoxBaseListZitBltCmd*> commands_{10};
  KivCallbackId callback_ = kKivNoCallback;
};
