#include "KivTrace.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <set>

namespace {
struct Registry {
  std::vector<KivTrace::Module> modules;
  std::vector<int> users;  // how many KivTrace objects share each module
  std::set<std::string> active;
  bool all = false;
  bool loaded = false;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

void LoadActivation(Registry& r) {
  r.active.clear();
  r.all = false;
  r.loaded = true;
  const char* value = std::getenv("KivTraces");
  if (!value) return;
  std::string token;
  auto flush = [&] {
    if (token == "ALL")
      r.all = true;
    else if (!token.empty())
      r.active.insert(token);
    token.clear();
  };
  for (const char* p = value; *p; ++p) {
    if (*p == ',' || *p == ':' || *p == ' ' || *p == '\t')
      flush();
    else
      token += *p;
  }
  flush();
}
}  // namespace

KivTrace::KivTrace(const char* name, const char* description, const char* output)
    : name_(name ? name : "") {
  Registry& r = TheRegistry();
  for (std::size_t i = 0; i < r.modules.size(); ++i) {
    if (r.modules[i].name == name_) {
      ++r.users[i];
      return;
    }
  }
  r.modules.push_back({name_, description ? description : "", output ? output : "STDERR"});
  r.users.push_back(1);
}

KivTrace::~KivTrace() {
  Registry& r = TheRegistry();
  for (std::size_t i = 0; i < r.modules.size(); ++i) {
    if (r.modules[i].name == name_ && --r.users[i] == 0) {
      r.modules.erase(r.modules.begin() + static_cast<long>(i));
      r.users.erase(r.users.begin() + static_cast<long>(i));
      return;
    }
  }
}

bool KivTrace::IsActive() const {
  Registry& r = TheRegistry();
  if (!r.loaded) LoadActivation(r);
  return r.all || r.active.count(name_) > 0;
}

void KivTrace::Write(const std::string& text) const {
  if (!IsActive()) return;
  std::fprintf(stderr, "[%s] %s\n", name_.c_str(), text.c_str());
}

void KivTrace::Print(const char* format, ...) const {
  if (!IsActive() || !format) return;
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  // Sized to the text, so long lines (paths, messages) are never cut.
  const int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
  if (length > 0) std::vsnprintf(text.data(), text.size() + 1, format, again);
  va_end(again);
  Write(text);
}

std::vector<KivTrace::Module> KivTrace::RegisteredModules() { return TheRegistry().modules; }

void KivTrace::ReloadActivation() { LoadActivation(TheRegistry()); }
