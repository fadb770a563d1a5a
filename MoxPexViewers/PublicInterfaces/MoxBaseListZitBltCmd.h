#pragma once
// The base of the commands that fill the list behind a status button. One
// command exists per (activity, list button); the button rep activates it
// with itself as caller, and the command fills that rep.
//
// Only what the ZitBlt manager relies on is declared here: activation
// (KivCommand::Activate with the rep as caller), the ZitBlt name of the
// button the command serves, and UpdateZitbltData. The concrete list
// commands add their document callbacks and event filter on top.
#include "KivCommand.h"
#include "KivUnicodeString.h"

class MoxZitBltRep;

class MoxBaseListZitBltCmd : public KivCommand {
  KIV_CLASS(MoxBaseListZitBltCmd, KivCommand, "MoxPexViewers")
 public:
  // Rebuilds the list shown by `rep`; a null rep has nothing to fill, but a
  // command may still refresh what it keeps.
  virtual void UpdateZitbltData(MoxZitBltRep* rep) = 0;

  const KivUnicodeString& GetZitBltName() const { return zitBltName_; }
  void SetZitBltName(const KivUnicodeString& name) { zitBltName_ = name; }

 protected:
  MoxBaseListZitBltCmd() = default;
  ~MoxBaseListZitBltCmd() override = default;

 private:
  KivUnicodeString zitBltName_;
};
