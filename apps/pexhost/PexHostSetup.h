#pragma once
// Where pexhost finds its resources and the plug-in when the environment does
// not say: the startup path defaults to the bundled resources
// ("<exe folder>/../share/pexhost/resources", then the source tree's
// "resources" folder, those that exist), and "<exe folder>/../lib" is a
// default module folder. Variables that are set override these defaults.
#include <string>

class PexHostSetup {
 public:
  // Applies the defaults; `argv0` is used only when /proc/self/exe is unreadable.
  static void Apply(const char* argv0);
  static std::string ExecutableFolder(const char* argv0);
};
