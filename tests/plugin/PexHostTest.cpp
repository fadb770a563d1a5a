// Runs the host shell as a person does and reads what it prints.
#include <string>

#include "PexHostRunner.h"

// The plug-in loaded from the host's library folder with no environment,
// and what it registered: each trace module once, its classes by name.
TEST(PexHostTest, ModulesListsWhatThePlugInRegisteredWithoutAnyEnvironment) {
  const PexHostRunResult r = RunPexHost("modules");
  EXPECT_EQ(r.status, 0) << r.out;
  for (const char* line : {
           "Startup path: " KIV_SOURCE_DIR "/resources\n",
           "/lib/libMoxPexViewers.so)\n",
           "  Trace modules (4):\n",
           "    MoxPexCtxMenuTrace: Traces for module MoxPexCtxMenuTrace [STDERR]\n",
           "    MoxPexViewerCmdsTrace: Traces for module MoxPexViewerCmdsTrace [STDERR]\n",
           "    MoxProductFlowViewerTrace: Traces for module MoxProductFlowViewer [STDERR]\n",
           "    MoxZitBltModelTrace: Traces for module MoxZitBltModel [STDERR]\n",
           "    MoxProcessGroupUtils: base class KivNull, framework MoxPexViewers\n",
           "    MoxProcessGroupUtils (no argument)\n",
       })
    EXPECT_TRUE(Shows(r.out, line));
}

TEST(PexHostTest, SetVariablesOverrideTheDefaultsAndBadNamesFail) {
  const PexHostRunResult r =
      RunPexHost("modules", ".", "KivStartupPath=/somewhere/else KivModulePath=/no/modules");
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(Shows(r.out, "Startup path: /somewhere/else\n"));
  EXPECT_TRUE(Shows(r.out, "pexhost: cannot load module MoxPexViewers: libMoxPexViewers.so not "
                           "found along \"/no/modules\""));
  const PexHostRunResult module = RunPexHost("modules ../evil");
  EXPECT_EQ(module.status, 1);
  EXPECT_TRUE(Shows(module.out, "\"../evil\" is not a module name"));
}
