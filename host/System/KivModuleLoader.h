#pragma once
// Loading modules (the plug-in's shared libraries) by name.
//
// Module "<name>" is the file "lib<name>.so", searched along the module path:
// the folders of "KivModulePath" (':' or ';' separated) when that is set and
// not empty; otherwise the default folders the host added, then the folder
// that holds the host's own libraries. A module is loaded once, with every
// symbol resolved at once, visible to later modules and never unloaded; its
// static registrars register its classes, extensions and factories while it
// loads. Failures give null, a trace line and LastError().
#include <string>
#include <vector>

#include "KivString.h"

class KivModuleLoader {
 public:
  struct Module {
    std::string name;
    std::string path;
    void* handle;
  };

  // The loaded module, or null when the name is not a module name, no file is
  // found or the file does not load.
  static const Module* Load(const KivString& moduleName);
  // The module if it is already loaded, without loading it.
  static const Module* Find(const KivString& moduleName);
  // The address of an exported symbol of the module (loading it first), or null.
  static void* FindSymbol(const KivString& moduleName, const char* symbol);

  // The file that Load would open, or the empty string.
  static std::string Resolve(const KivString& moduleName);
  static std::vector<std::string> SearchFolders();
  // A folder searched when "KivModulePath" is not set (the host shell adds
  // "<its folder>/../lib"); added folders come first, in order of adding.
  static void AddDefaultFolder(const std::string& folder);
  static void ClearDefaultFolders();

  // Loaded modules in load order.
  static std::vector<Module> LoadedModules();
  // Why the last failed Load failed.
  static std::string LastError();

  // Letters, digits, '_', '-', '.' and '+', not starting with '.'.
  static bool IsModuleName(const std::string& name);
};
