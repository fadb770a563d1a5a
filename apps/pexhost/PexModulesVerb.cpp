#include "PexModulesVerb.h"

#include "KivEnvironment.h"
#include "KivModuleLoader.h"
#include "PexRegistrySnapshot.h"

namespace {
void Print(const PexRegistrySnapshot& added, std::ostream& out) {
  out << "  Trace modules (" << added.traces.size() << "):\n";
  for (const auto& t : added.traces)
    out << "    " << t.name << ": " << t.description << " [" << t.output << "]\n";
  out << "  Classes (" << added.classes.size() << "):\n";
  for (const auto& c : added.classes)
    out << "    " << c.meta->ClassName() << ": base class " << c.meta->BaseClassName()
        << ", framework " << c.meta->FrameworkName() << "\n";
  out << "  Creation dictionary (" << added.factories.size() << "):\n";
  for (const auto& f : added.factories)
    out << "    " << f.className << (f.create1 ? " (one argument)" : " (no argument)") << "\n";
  out << "  Extension bindings (" << added.extensions.size() << "):\n";
  for (const auto& e : added.extensions)
    out << "    " << e.lateType << " " << e.iid.ToString() << " -> " << e.className
        << (e.kind == KivExtensionKind::Data ? " (data)" : " (code)") << "\n";
}
}  // namespace

int PexRunModulesVerb(const std::vector<std::string>& modules, std::ostream& out,
                      std::ostream& err) {
  const std::vector<std::string> names =
      modules.empty() ? std::vector<std::string>{"MoxPexViewers"} : modules;
  const char* startup = KivGetEnv("KivStartupPath");
  out << "Startup path: " << (startup ? startup : "(not set)") << "\n";
  int status = 0;
  for (const std::string& name : names) {
    if (KivModuleLoader::Find(KivString(name))) {
      out << "Module " << name << ": already loaded\n";
      continue;
    }
    const PexRegistrySnapshot before = PexRegistrySnapshot::Take();
    const KivModuleLoader::Module* module = KivModuleLoader::Load(KivString(name));
    if (!module) {
      err << "pexhost: cannot load " << KivModuleLoader::LastError() << "\n";
      status = 1;
      continue;
    }
    out << "Module " << name << " (" << module->path << ")\n";
    Print(before.AddedIn(PexRegistrySnapshot::Take()), out);
  }
  return status;
}
