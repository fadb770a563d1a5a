#include "MoxZitBltRefreshBatch.h"

#include <set>
#include <string>
#include <utility>

#include "KivVar.h"

namespace {
struct OpenBatches {
  int depth = 0;
  unsigned long current = 0;
  unsigned long last = 0;
  std::set<std::pair<const KivBaseUnknown*, std::string>> rebuilt;
};

OpenBatches& Open() {
  static OpenBatches open;
  return open;
}
}  // namespace

MoxZitBltRefreshBatch::MoxZitBltRefreshBatch() {
  if (Open().depth++ == 0) Open().current = ++Open().last;
}

MoxZitBltRefreshBatch::~MoxZitBltRefreshBatch() {
  if (--Open().depth > 0) return;
  Open().rebuilt.clear();
  Open().current = 0;
}

unsigned long MoxZitBltRefreshBatch::Current() { return Open().current; }

bool MoxZitBltRefreshBatch::Claim(KivBaseUnknown* activity, const KivUnicodeString& name) {
  if (Open().depth == 0) return true;
  return Open().rebuilt.emplace(KivIdentity(activity), name.ConvertToUTF8()).second;
}
