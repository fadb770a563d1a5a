#include "KivClassRegistry.h"

#include <algorithm>
#include <string_view>

namespace {
std::vector<KivClassRegistry::Entry>& Table() {
  static std::vector<KivClassRegistry::Entry> table;
  return table;
}
}  // namespace

void KivClassRegistry::Add(const KivMetaObject& meta, const char* module) {
  Table().push_back({&meta, module ? module : ""});
}

void KivClassRegistry::Remove(const KivMetaObject& meta) {
  auto& t = Table();
  auto it = std::find_if(t.begin(), t.end(), [&](const Entry& e) { return e.meta == &meta; });
  if (it != t.end()) t.erase(it);
}

const KivMetaObject* KivClassRegistry::Find(const char* className) {
  if (!className) return nullptr;
  for (const Entry& e : Table())
    if (std::string_view(e.meta->ClassName()) == className) return e.meta;
  return nullptr;
}

std::vector<KivClassRegistry::Entry> KivClassRegistry::All() { return Table(); }
