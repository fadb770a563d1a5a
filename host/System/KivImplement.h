#pragma once
// Variadic helpers that build a class's interface table, so no class writes
// QueryInterface by hand:
//
//   class KivActivity : public KivImplement<KivISPPActivity, KivISPPFlowMgt> {...};
//   class MyCmd : public KivExtend<KivStateCommand, MyInterface> {...};
//
// KivImplement starts a component; KivExtend adds interfaces to a class that
// already is one, and hands unknown identifiers to that base.
#include "KivBaseUnknown.h"

template <class... Interfaces>
class KivImplement : public virtual KivBaseUnknown, public Interfaces... {
 protected:
  void* FindOwnInterface(const IID& iid) override {
    void* found = nullptr;
    (void)((iid == Interfaces::ClassIID() ? (found = static_cast<Interfaces*>(this), true) : false) ||
           ...);
    return found ? found : KivBaseUnknown::FindOwnInterface(iid);
  }
};

template <class Base, class... Interfaces>
class KivExtend : public Base, public Interfaces... {
 public:
  using Base::Base;

 protected:
  void* FindOwnInterface(const IID& iid) override {
    void* found = nullptr;
    (void)((iid == Interfaces::ClassIID() ? (found = static_cast<Interfaces*>(this), true) : false) ||
           ...);
    return found ? found : Base::FindOwnInterface(iid);
  }
};
