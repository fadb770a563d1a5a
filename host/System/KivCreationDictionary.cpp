#include "KivCreationDictionary.h"

#include <algorithm>

namespace {
std::vector<KivCreationEntry>& Table() {
  static std::vector<KivCreationEntry> table;
  return table;
}

void Put(KivCreationEntry entry) {
  auto& t = Table();
  // The newest registration of a class wins; the older one is kept behind it
  // so that unregistering the newer uncovers it again.
  t.insert(t.begin(), std::move(entry));
}
}  // namespace

void KivCreationDictionary::Register(const char* className, KivFactory0 factory,
                                     const char* module) {
  if (!className || !factory) return;
  Put({className, module ? module : "", factory, nullptr});
}

void KivCreationDictionary::Register(const char* className, KivFactory1 factory,
                                     const char* module) {
  if (!className || !factory) return;
  Put({className, module ? module : "", nullptr, factory});
}

void KivCreationDictionary::Unregister(const char* className, const void* factoryAddress) {
  auto& t = Table();
  auto it = std::find_if(t.begin(), t.end(), [&](const KivCreationEntry& e) {
    return e.className == className && e.Address() == factoryAddress;
  });
  if (it != t.end()) t.erase(it);
}

const KivCreationEntry* KivCreationDictionary::Find(const char* className) {
  if (!className) return nullptr;
  for (const auto& e : Table())
    if (e.className == className) return &e;
  return nullptr;
}

const KivCreationEntry* KivCreationDictionary::FindByAddress(const void* address) {
  for (const auto& e : Table())
    if (e.Address() == address) return &e;
  return nullptr;
}

KivBaseUnknown* KivCreationDictionary::Create(const char* className, KivBaseUnknown* argument) {
  const KivCreationEntry* e = Find(className);
  if (!e) return nullptr;
  return e->create0 ? e->create0() : e->create1(argument);
}

std::vector<KivCreationEntry> KivCreationDictionary::Entries() { return Table(); }
