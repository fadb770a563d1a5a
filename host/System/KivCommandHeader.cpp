#include "KivCommandHeader.h"

#include <cstring>
#include <string>

#include "KivCreationDictionary.h"
#include "KivModuleLoader.h"
#include "KivSystemTrace.h"

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
  const std::string symbol = "fctCreate" + className.str();
  void* address = KivModuleLoader::FindSymbol(module, symbol.c_str());
  if (!address) {
    KivSystemTrace().Print("KivCommandHeader: no factory for class %s in module \"%s\"",
                           className.c_str(), module.c_str());
    return nullptr;
  }
  const KivCreationEntry* entry = KivCreationDictionary::FindByAddress(address);
  const bool takesArgument = entry && entry->create1 != nullptr;
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
