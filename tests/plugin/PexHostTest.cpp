// Runs the host shell as a person does and reads what it prints.
#include <string>

#include "PexHostRunner.h"

TEST(PexHostTest, ModulesListsWhatThePlugInRegisteredWithoutAnyEnvironment) {
  const PexHostRunResult r = RunPexHost("modules");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("Startup path: " KIV_SOURCE_DIR "/resources\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("/lib/libMoxPexViewers.so)\n"), std::string::npos) << r.out;
  for (const char* line : {
           "  Trace modules (4):\n",
           "    MoxPexCtxMenuTrace: Traces for module MoxPexCtxMenuTrace [STDERR]\n",
           "    MoxPexViewerCmdsTrace: Traces for module MoxPexViewerCmdsTrace [STDERR]\n",
           "    MoxProductFlowViewerTrace: Traces for module MoxProductFlowViewer [STDERR]\n",
           "    MoxZitBltModelTrace: Traces for module MoxZitBltModel [STDERR]\n",
           "    MoxProcessGroupUtils: base class KivNull, framework MoxPexViewers\n",
       })
    EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n---\n" << r.out;
}

TEST(PexHostTest, SetVariablesOverrideTheDefaults) {
  const PexHostRunResult r =
      RunPexHost("modules", ".", "KivStartupPath=/somewhere/else KivModulePath=/no/modules");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("Startup path: /somewhere/else\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("pexhost: cannot load module MoxPexViewers: libMoxPexViewers.so not found "
                       "along \"/no/modules\""),
            std::string::npos)
      << r.out;
}

TEST(PexHostTest, UnknownVerbOrModuleNamesTheProblemAndFails) {
  const PexHostRunResult verb = RunPexHost("frobnicate");
  EXPECT_EQ(verb.status, 2);
  EXPECT_NE(verb.out.find("pexhost: unknown verb \"frobnicate\""), std::string::npos) << verb.out;
  const PexHostRunResult module = RunPexHost("modules ../evil");
  EXPECT_EQ(module.status, 1);
  EXPECT_NE(module.out.find("\"../evil\" is not a module name"), std::string::npos) << module.out;
}
