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

// Makes an interface whose identifier was given in its textual form findable
// by the interface's name (one line in one source file of the framework or
// module that declares it). Identifiers derived from the name need no line:
// the registry derives them itself.
#define KIV_REGISTER_INTERFACE_NAME(Name) \
  static const KivInterfaceNameRegistrar kivIidName_##Name(#Name, IID_##Name)
