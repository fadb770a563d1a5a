#include "KivInterfaceRegistry.h"

#include <map>
#include <string>

namespace {
std::map<std::string, IID, std::less<>>& Names() {
  static std::map<std::string, IID, std::less<>> names;
  return names;
}
}  // namespace

IID KivInterfaceRegistry::Lookup(const char* name) {
  if (!name) return IID{};
  auto it = Names().find(std::string_view(name));
  return it != Names().end() ? it->second : KivGUID::FromName(name);
}

void KivInterfaceRegistry::Add(const char* name, const IID& iid) { Names()[name] = iid; }

void KivInterfaceRegistry::Remove(const char* name, const IID& iid) {
  auto it = Names().find(std::string_view(name));
  if (it != Names().end() && it->second == iid) Names().erase(it);
}
