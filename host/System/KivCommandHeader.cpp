#include "KivCommandHeader.h"

#include <cstring>
#include <string>
#include <unordered_map>

#include "KivCreationDictionary.h"
#include "KivModuleLoader.h"
#include "KivSystemTrace.h"

namespace {
// Calls the factory at `address`.
KivBaseUnknown* Make(void* address, bool takesArgument, KivBaseUnknown* argument,
                     const std::string& symbol) {
  // dlsym gives an object pointer; copying the bits is the portable way to
  // turn it into a function pointer.
  KivBaseUnknown* instance = nullptr;
  if (takesArgument) {
    KivFactory1 factory;
    std::memcpy(&factory, &address, sizeof factory);
    instance = factory(argument);
  } else {
    KivFactory0 factory;
    std::memcpy(&factory, &address, sizeof factory);
    instance = factory();
  }
  if (!instance)
    KivSystemTrace().Print("KivCommandHeader: factory %s made no instance", symbol.c_str());
  return instance;
}
}  // namespace

KivCommandHeader::KivCommandHeader(const KivString& identifier, const KivString& module,
                                   const KivString& className, KivBaseUnknown* argument, int state)
    : identifier_(identifier),
      module_(module),
      className_(className),
      argument_(argument),
      state_(state) {}

KivCommandHeader::~KivCommandHeader() = default;

KivBaseUnknown* KivCommandHeader::GetCommand() {
  return CreateInstance(module_, className_, argument_.get());
}

KivBaseUnknown* KivCommandHeader::CreateInstance(const KivString& module,
                                                 const KivString& className,
                                                 KivBaseUnknown* argument) {
  if (className.IsEmpty()) {
    KivSystemTrace().Print("KivCommandHeader: no class given (module \"%s\")", module.c_str());
    return nullptr;
  }
  // Modules stay loaded (RTLD_NODELETE), so a factory found once stays valid:
  // a large level makes its status buttons by the ten thousand.
  struct Factory {
    void* address;
    bool takesArgument;
  };
  static std::unordered_map<std::string, Factory> known;
  const std::string symbol = "fctCreate" + className.str();
  const std::string key = module.str() + '\n' + symbol;
  auto found = known.find(key);
  if (found == known.end()) {
    void* address = KivModuleLoader::FindSymbol(module, symbol.c_str());
    if (!address) {
      KivSystemTrace().Print("KivCommandHeader: no factory for class %s in module \"%s\"",
                             className.c_str(), module.c_str());
      return nullptr;
    }
    const KivCreationEntry* entry = KivCreationDictionary::FindByAddress(address);
    const Factory factory{address, entry && entry->create1 != nullptr};
    // Only a factory the dictionary knows is kept: its arity is then certain.
    if (!entry) return Make(factory.address, factory.takesArgument, argument, symbol);
    found = known.emplace(key, factory).first;
  }
  return Make(found->second.address, found->second.takesArgument, argument, symbol);
}
