#pragma once
// A command header names a class of a module and makes instances of it:
// identifier (the name under which the host knows the command), module,
// class, the argument given to one-argument factories, and a state that the
// host's menus read (1 = available).
//
// GetCommand loads the module and calls its exported C-linkage factory
// "fctCreate<class>". The creation dictionary entry registered with that very
// function tells whether it takes the argument; a factory with no entry is
// called without it.
#include "KivImplement.h"
#include "KivString.h"
#include "KivVar.h"

class KivCommandHeader : public KivImplement<> {
  KIV_CLASS(KivCommandHeader, KivBaseUnknown, "System")
 public:
  KivCommandHeader(const KivString& identifier, const KivString& module, const KivString& className,
                   KivBaseUnknown* argument = nullptr, int state = 1);

  // A new instance with its creation reference (the caller releases it), or
  // null when the module cannot be loaded, does not export the factory, or
  // the factory makes nothing.
  KivBaseUnknown* GetCommand();

  // The same without a header object.
  static KivBaseUnknown* CreateInstance(const KivString& module, const KivString& className,
                                        KivBaseUnknown* argument);

  const KivString& GetIdentifier() const { return identifier_; }
  const KivString& GetModuleName() const { return module_; }
  const KivString& GetClassName() const { return className_; }
  KivBaseUnknown* GetArgument() const { return argument_.get(); }
  int GetState() const { return state_; }
  void SetState(int state) { state_ = state; }

 protected:
  ~KivCommandHeader() override;

 private:
  KivString identifier_;
  KivString module_;
  KivString className_;
  KivBaseUnknown_var argument_;
  int state_;
};
