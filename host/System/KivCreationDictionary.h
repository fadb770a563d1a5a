#pragma once
// The creation dictionary: a class name mapped to the factory that makes a
// new instance. Factories take no argument or one (the object the instance is
// made for, e.g. an activity); each entry remembers which.
#include <string>
#include <vector>

class KivBaseUnknown;

using KivFactory0 = KivBaseUnknown* (*)();
using KivFactory1 = KivBaseUnknown* (*)(KivBaseUnknown* argument);

struct KivCreationEntry {
  std::string className;
  std::string module;  // the module that registered it ("" for the host)
  KivFactory0 create0 = nullptr;
  KivFactory1 create1 = nullptr;
  // The exported symbol's address, whichever arity it has.
  const void* Address() const {
    return create0 ? reinterpret_cast<const void*>(create0)
                   : reinterpret_cast<const void*>(create1);
  }
};

class KivCreationDictionary {
 public:
  static void Register(const char* className, KivFactory0 factory, const char* module = "");
  static void Register(const char* className, KivFactory1 factory, const char* module = "");
  static void Unregister(const char* className, const void* factoryAddress);
  static const KivCreationEntry* Find(const char* className);
  // The entry whose factory is at `address` (an exported factory found by
  // its symbol), or null.
  static const KivCreationEntry* FindByAddress(const void* address);
  // A new instance with its creation reference, or null when the class is unknown.
  static KivBaseUnknown* Create(const char* className, KivBaseUnknown* argument = nullptr);
  static std::vector<KivCreationEntry> Entries();
};

// Registers a factory for the lifetime of the module that holds this object.
class KivCreationRegistrar {
 public:
  KivCreationRegistrar(const char* className, KivFactory0 factory, const char* module = "")
      : className_(className), address_(reinterpret_cast<const void*>(factory)) {
    KivCreationDictionary::Register(className, factory, module);
  }
  KivCreationRegistrar(const char* className, KivFactory1 factory, const char* module = "")
      : className_(className), address_(reinterpret_cast<const void*>(factory)) {
    KivCreationDictionary::Register(className, factory, module);
  }
  ~KivCreationRegistrar() { KivCreationDictionary::Unregister(className_.c_str(), address_); }
  KivCreationRegistrar(const KivCreationRegistrar&) = delete;
  KivCreationRegistrar& operator=(const KivCreationRegistrar&) = delete;

 private:
  std::string className_;
  const void* address_;
};
