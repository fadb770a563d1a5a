// The real plug-in, loaded by module name the way the host loads it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "KivCreationDictionary.h"
#include "KivLeakCheck.h"
#include "KivModuleLoader.h"
#include "KivTrace.h"
#include "KivVar.h"

class MoxPexViewersLoadingTest : public LeakCheckedTest {
 protected:
  static void SetUpTestSuite() { module_ = KivModuleLoader::Load("MoxPexViewers"); }
  void SetUp() override {
    ASSERT_NE(module_, nullptr) << KivModuleLoader::LastError();
    LeakCheckedTest::SetUp();
  }
  static const KivModuleLoader::Module* module_;
};
const KivModuleLoader::Module* MoxPexViewersLoadingTest::module_ = nullptr;

TEST_F(MoxPexViewersLoadingTest, LoadsFromTheHostLibraryFolderOnce) {
  EXPECT_EQ(module_->path.substr(module_->path.rfind('/')), "/libMoxPexViewers.so");
  EXPECT_EQ(KivModuleLoader::Load("MoxPexViewers"), module_);
}

TEST_F(MoxPexViewersLoadingTest, RegistersEachTraceModuleOnceAndItsClassesByName) {
  const auto modules = KivTrace::RegisteredModules();
  for (const char* name : {"MoxPexCtxMenuTrace", "MoxPexViewerCmdsTrace",
                           "MoxProductFlowViewerTrace", "MoxZitBltModelTrace"})
    EXPECT_EQ(std::count_if(modules.begin(), modules.end(),
                            [&](const KivTrace::Module& m) { return m.name == name; }),
              1)
        << name;
  const KivCreationEntry* entry = KivCreationDictionary::Find("MoxProcessGroupUtils");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->module, "MoxPexViewers");
  auto utils = KivBaseUnknown_var::Adopt(KivCreationDictionary::Create("MoxProcessGroupUtils"));
  ASSERT_TRUE(utils);
  EXPECT_TRUE(utils->IsAKindOf("KivNull"));
}
