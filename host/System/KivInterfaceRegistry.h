#pragma once
// Interface identifiers by name, so that a component can be queried by the
// interface's name as well as by its identifier.
#include "KivGUID.h"

class KivInterfaceRegistry {
 public:
  // The identifier registered under the name; a name never registered gets
  // the identifier derived from the name itself.
  static IID Lookup(const char* name);
  static void Add(const char* name, const IID& iid);
  static void Remove(const char* name, const IID& iid);
};

class KivInterfaceNameRegistrar {
 public:
  KivInterfaceNameRegistrar(const char* name, const IID& iid) : name_(name), iid_(iid) {
    KivInterfaceRegistry::Add(name, iid);
  }
  ~KivInterfaceNameRegistrar() { KivInterfaceRegistry::Remove(name_, iid_); }
  KivInterfaceNameRegistrar(const KivInterfaceNameRegistrar&) = delete;
  KivInterfaceNameRegistrar& operator=(const KivInterfaceNameRegistrar&) = delete;

 private:
  const char* name_;
  IID iid_;
};

// Defines an interface identifier given in its textual form.
#define KIV_DEFINE_IID(Name, Text)                                   \
  constinit const IID IID_##Name = KivGUID::Literal(Text);           \
  static const KivInterfaceNameRegistrar kivIidName_##Name(#Name, IID_##Name)

// Defines an interface identifier derived from the interface's name.
#define KIV_DEFINE_IID_BY_NAME(Name) constinit const IID IID_##Name = KivGUID::FromName(#Name)
