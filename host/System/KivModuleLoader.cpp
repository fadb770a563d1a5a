#include "KivModuleLoader.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>

#include "KivEnvironment.h"
#include "KivPathSearch.h"
#include "KivSystemTrace.h"

namespace {
struct LoaderState {
  std::vector<std::unique_ptr<KivModuleLoader::Module>> loaded;
  std::vector<std::string> defaultFolders;
  std::string lastError;
};

LoaderState& State() {
  static LoaderState state;
  return state;
}

// The folder of the shared library that holds this code (the host's
// libraries and the plug-in are built into one folder).
std::string HostLibraryFolder() {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<void*>(&HostLibraryFolder), &info) || !info.dli_fname) return {};
  std::error_code ec;
  const auto path = std::filesystem::canonical(info.dli_fname, ec);
  return ec ? std::string() : path.parent_path().string();
}

const KivModuleLoader::Module* Fail(std::string message) {
  KivSystemTrace().Write("KivModuleLoader: " + message);
  State().lastError = std::move(message);
  return nullptr;
}
}  // namespace

bool KivModuleLoader::IsModuleName(const std::string& name) {
  if (name.empty() || name[0] == '.') return false;
  for (char c : name) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == '_' || c == '-' || c == '.' || c == '+';
    if (!ok) return false;
  }
  return true;
}

std::vector<std::string> KivModuleLoader::SearchFolders() {
  const char* env = KivGetEnv("KivModulePath");
  if (env && *env) return KivSplitFolderList(KivString(env));
  std::vector<std::string> folders;
  auto add = [&](const std::string& folder) {
    if (!folder.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end())
      folders.push_back(folder);
  };
  for (const std::string& folder : State().defaultFolders) add(folder);
  add(HostLibraryFolder());
  return folders;
}

void KivModuleLoader::AddDefaultFolder(const std::string& folder) {
  if (!folder.empty()) State().defaultFolders.push_back(folder);
}

void KivModuleLoader::ClearDefaultFolders() { State().defaultFolders.clear(); }

std::string KivModuleLoader::Resolve(const KivString& moduleName) {
  if (!IsModuleName(moduleName.str())) return {};
  const std::string fileName = "lib" + moduleName.str() + ".so";
  std::error_code ec;
  for (const std::string& folder : SearchFolders()) {
    const std::string candidate = (std::filesystem::path(folder) / fileName).string();
    if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
  }
  return {};
}

const KivModuleLoader::Module* KivModuleLoader::Find(const KivString& moduleName) {
  for (const auto& m : State().loaded)
    if (m->name == moduleName.str()) return m.get();
  return nullptr;
}

const KivModuleLoader::Module* KivModuleLoader::Load(const KivString& moduleName) {
  if (const Module* known = Find(moduleName)) return known;
  const std::string& name = moduleName.str();
  if (!IsModuleName(name)) return Fail("\"" + name + "\" is not a module name");
  const std::string path = Resolve(moduleName);
  if (path.empty()) {
    std::string folders;
    for (const std::string& f : SearchFolders()) folders += (folders.empty() ? "" : ":") + f;
    return Fail("module " + name + ": lib" + name + ".so not found along \"" + folders + "\"");
  }
  dlerror();
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL | RTLD_NODELETE);
  if (!handle) {
    const char* why = dlerror();
    return Fail("module " + name + ": cannot load " + path + ": " + (why ? why : "unknown error"));
  }
  State().loaded.push_back(std::make_unique<Module>(Module{name, path, handle}));
  KivSystemTrace().Write("KivModuleLoader: loaded module " + name + " from " + path);
  return State().loaded.back().get();
}

void* KivModuleLoader::FindSymbol(const KivString& moduleName, const char* symbol) {
  const Module* module = Load(moduleName);
  if (!module || !symbol) return nullptr;
  dlerror();
  void* address = dlsym(module->handle, symbol);
  if (!address)
    KivSystemTrace().Print("KivModuleLoader: module %s exports no %s", module->name.c_str(),
                           symbol);
  return address;
}

std::vector<KivModuleLoader::Module> KivModuleLoader::LoadedModules() {
  std::vector<Module> out;
  for (const auto& m : State().loaded) out.push_back(*m);
  return out;
}

std::string KivModuleLoader::LastError() { return State().lastError; }
