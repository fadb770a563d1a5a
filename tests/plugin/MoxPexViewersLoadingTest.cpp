// The real plug-in, loaded by module name the way the host loads it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "KivClassRegistry.h"
#include "KivCreationDictionary.h"
#include "KivDelayedDestruction.h"
#include "KivModuleLoader.h"
#include "KivTrace.h"
#include "KivVar.h"

class MoxPexViewersLoadingTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { module_ = KivModuleLoader::Load("MoxPexViewers"); }
  void SetUp() override {
    ASSERT_NE(module_, nullptr) << KivModuleLoader::LastError();
    live_ = KivBaseUnknown::LiveInstances();
  }
  void TearDown() override {
    KivDelayedDestruction::Flush();
    EXPECT_EQ(KivBaseUnknown::LiveInstances(), live_) << "a reference leaked or was lost";
  }
  static const KivModuleLoader::Module* module_;
  long live_ = 0;
};
const KivModuleLoader::Module* MoxPexViewersLoadingTest::module_ = nullptr;

TEST_F(MoxPexViewersLoadingTest, LoadsFromTheHostLibraryFolderOnce) {
  EXPECT_EQ(module_->path.substr(module_->path.rfind('/')), "/libMoxPexViewers.so");
  EXPECT_EQ(KivModuleLoader::Load("MoxPexViewers"), module_);
}

TEST_F(MoxPexViewersLoadingTest, RegistersItsFourTraceModulesOnceWithTheirDescriptions) {
  const std::pair<const char*, const char*> expected[] = {
      {"MoxPexCtxMenuTrace", "Traces for module MoxPexCtxMenuTrace"},
      {"MoxPexViewerCmdsTrace", "Traces for module MoxPexViewerCmdsTrace"},
      {"MoxProductFlowViewerTrace", "Traces for module MoxProductFlowViewer"},
      {"MoxZitBltModelTrace", "Traces for module MoxZitBltModel"},
  };
  const auto modules = KivTrace::RegisteredModules();
  for (const auto& [name, description] : expected) {
    const auto count = std::count_if(modules.begin(), modules.end(),
                                     [&](const KivTrace::Module& m) { return m.name == name; });
    EXPECT_EQ(count, 1) << name;
    const auto it = std::find_if(modules.begin(), modules.end(),
                                 [&](const KivTrace::Module& m) { return m.name == name; });
    if (it == modules.end()) continue;
    EXPECT_EQ(it->description, description);
    EXPECT_EQ(it->output, "STDERR");
  }
}

TEST_F(MoxPexViewersLoadingTest, ProcessGroupUtilsIsDeclaredAndCreatedByClassName) {
  const KivMetaObject* meta = KivClassRegistry::Find("MoxProcessGroupUtils");
  ASSERT_NE(meta, nullptr);
  EXPECT_STREQ(meta->BaseClassName(), "KivNull");
  EXPECT_STREQ(meta->FrameworkName(), "MoxPexViewers");

  const KivCreationEntry* entry = KivCreationDictionary::Find("MoxProcessGroupUtils");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->module, "MoxPexViewers");
  auto utils = KivBaseUnknown_var::Adopt(KivCreationDictionary::Create("MoxProcessGroupUtils"));
  ASSERT_TRUE(utils);
  EXPECT_STREQ(utils->IsA(), "MoxProcessGroupUtils");
  EXPECT_TRUE(utils->IsAKindOf("MoxProcessGroupUtils"));
  EXPECT_TRUE(utils->IsAKindOf("KivNull"));
  EXPECT_FALSE(utils->IsAKindOf("KivCommand"));
  EXPECT_STREQ(utils->GetMetaObject()->FrameworkName(), "MoxPexViewers");
}
