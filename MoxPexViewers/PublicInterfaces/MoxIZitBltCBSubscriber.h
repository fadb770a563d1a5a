#pragma once
// The list-command owner of one activity: a data extension of the activity
// that creates one list command per configured list button, keeps them in a
// table by button name and forwards the document's notifications to them.
// The ZitBlt manager of the same activity subscribes it before building its
// buttons, looks its commands up by button name and unsubscribes it when the
// buttons are removed. Operations in slot order.
#include "KivImplement.h"
#include "KivUnicodeString.h"
#include "KivVar.h"

class MoxBaseListZitBltCmd;

inline constexpr IID IID_MoxIZitBltCBSubscriber =
    KivGUID::Literal("{24021498-F566-11D6-B77D-00065BDC7A21}");

class MoxIZitBltCBSubscriber : public virtual KivBaseUnknown {
  KIV_INTERFACE(MoxIZitBltCBSubscriber)
 public:
  // Once: listens to the document and builds the command table. Returns 0.
  virtual int Subscribe() = 0;
  virtual unsigned char IsSubscribed() = 0;
  // Deletes every command, empties the table, stops listening. Returns 0.
  virtual int UnSubscribe() = 0;
  // The list command of the button name (no reference added); E_FAIL when
  // `command` is null or nothing is found.
  virtual HRESULT FindZitBltCmd(const KivUnicodeString& name, MoxBaseListZitBltCmd** command) = 0;
  // The process-wide flag that makes every subscriber ignore notifications.
  virtual void SetIgnoreNotifFlag(unsigned char ignore) = 0;
  virtual unsigned char GetIgnoreNotifFlag() = 0;
};
KIV_DECLARE_VAR(MoxIZitBltCBSubscriber);
