// Modules loaded by name and the command headers that make their classes.
#include <gtest/gtest.h>

#include "KivCommandHeader.h"
#include "KivLeakCheck.h"
#include "KivModuleLoader.h"
#include "KivTestSupport.h"
#include "module/KivTstModuleProbe.h"

namespace {

// The test module is built into its own folder so that only a module path
// naming that folder finds it.
class ModuleLoaderTest : public ::testing::Test {
 protected:
  static std::string TestModuleFolder() { return std::string(KIV_BINARY_DIR) + "/testmodules"; }
  ~ModuleLoaderTest() override { KivModuleLoader::ClearDefaultFolders(); }
};

TEST_F(ModuleLoaderTest, UnknownBadlyNamedOrBrokenModulesGiveNullAndSayWhy) {
  ScopedEnv path("KivModulePath", "/nonexistent/a:/nonexistent/b");
  ScopedEnv traces("KivTraces", "KivSystemTrace");
  testing::internal::CaptureStderr();
  EXPECT_EQ(KivModuleLoader::Load("KivTstNoSuchModule"), nullptr);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(KivModuleLoader::LastError(),
            "module KivTstNoSuchModule: libKivTstNoSuchModule.so not found along "
            "\"/nonexistent/a:/nonexistent/b\"");
  EXPECT_NE(err.find("[KivSystemTrace] KivModuleLoader: module KivTstNoSuchModule"),
            std::string::npos)
      << err;
  EXPECT_EQ(KivModuleLoader::Find("KivTstNoSuchModule"), nullptr);

  // Names that are not module names are refused before any search.
  for (const char* bad : {"", "../lib/KivSystem", "/tmp/x", ".hidden", "a b", "a;b"}) {
    EXPECT_EQ(KivModuleLoader::Load(bad), nullptr) << bad;
    EXPECT_NE(KivModuleLoader::LastError().find("is not a module name"), std::string::npos);
  }
  // A file that is not a library fails cleanly.
  TempFolder tmp;
  tmp.Write("libKivTstBroken.so", "this is not an ELF file");
  ScopedEnv brokenPath("KivModulePath", tmp.Path().c_str());
  EXPECT_EQ(KivModuleLoader::Load("KivTstBroken"), nullptr);
  EXPECT_NE(KivModuleLoader::LastError().find("cannot load " + tmp.Path() + "/libKivTstBroken.so"),
            std::string::npos)
      << KivModuleLoader::LastError();
}

TEST_F(ModuleLoaderTest, SearchOrderIsTheEnvironmentElseDefaultsThenTheHostFolder) {
  KivModuleLoader::AddDefaultFolder("/first/default");
  {
    ScopedEnv path("KivModulePath", "/from/env;/second");
    EXPECT_EQ(KivModuleLoader::SearchFolders(), (std::vector<std::string>{"/from/env", "/second"}));
  }
  ScopedEnv empty("KivModulePath", "");
  const auto folders = KivModuleLoader::SearchFolders();
  ASSERT_EQ(folders.size(), 2u);
  EXPECT_EQ(folders[0], "/first/default");
  EXPECT_EQ(std::filesystem::canonical(folders[1]),
            std::filesystem::canonical(std::string(KIV_BINARY_DIR) + "/lib"));
}

TEST_F(ModuleLoaderTest, ModuleLoadsOnceAndIsFoundAgainByName) {
  ScopedEnv path("KivModulePath", ("/nonexistent:" + TestModuleFolder()).c_str());
  const KivModuleLoader::Module* module = KivModuleLoader::Load("KivTstModule");
  ASSERT_NE(module, nullptr) << KivModuleLoader::LastError();
  EXPECT_EQ(module->path, TestModuleFolder() + "/libKivTstModule.so");
  EXPECT_EQ(KivModuleLoader::Load("KivTstModule"), module);
  EXPECT_EQ(KivModuleLoader::Find("KivTstModule"), module);

  auto loadCount = reinterpret_cast<int (*)()>(
      KivModuleLoader::FindSymbol("KivTstModule", "KivTstModuleLoadCount"));
  ASSERT_NE(loadCount, nullptr);
  EXPECT_EQ(loadCount(), 1);

  // What it registers is made by the command headers below and listed, by
  // framework and kind of factory, by the host shell's module listing.
  int listed = 0;
  for (const auto& m : KivModuleLoader::LoadedModules()) listed += m.name == "KivTstModule";
  EXPECT_EQ(listed, 1);
  // Once loaded, the module is found even when the path no longer names its folder.
  ScopedEnv elsewhere("KivModulePath", "/nonexistent");
  EXPECT_EQ(KivModuleLoader::Load("KivTstModule"), module);
  EXPECT_EQ(KivModuleLoader::FindSymbol("KivTstModule", "fctCreateKivTstMissing"), nullptr);
}

class TstActivity : public KivImplement<> {
  KIV_CLASS(TstActivity, KivBaseUnknown, "Tests")
};

class CommandHeaderTest : public LeakCheckedTest {
 protected:
  ScopedEnv path_{"KivModulePath", (std::string(KIV_BINARY_DIR) + "/testmodules").c_str()};
};

TEST_F(CommandHeaderTest, FactoriesGiveANewInstanceEachTimeWithTheArgumentTheyTake) {
  auto header = KivMake<KivCommandHeader>("Widget", "KivTstModule", "KivTstWidget");
  KivBaseUnknown_var first = KivBaseUnknown_var::Adopt(header->GetCommand());
  KivBaseUnknown_var second = KivBaseUnknown_var::Adopt(header->GetCommand());
  ASSERT_TRUE(first && second);
  EXPECT_FALSE(first == second);
  EXPECT_STREQ(first->IsA(), "KivTstWidget");

  // The header holds its argument while it lives (the fixture sees it
  // released after); a factory without one (listed or not) is called without
  // it. (That a factory with an argument receives the header's, every command
  // of the plug-in's shell tests shows.)
  auto activity = KivMake<TstActivity>();
  header = KivMake<KivCommandHeader>("Held", "KivTstModule", "KivTstWidget", activity.get(), 1);
  EXPECT_EQ(activity->RefCount(), 2u);
  for (const char* name : {"KivTstWidget", "KivTstUnlisted"}) {
    KivTstIModuleProbe_var made = KivBaseUnknown_var::Adopt(
        KivCommandHeader::CreateInstance("KivTstModule", name, activity.get()));
    ASSERT_TRUE(made) << name;
    EXPECT_EQ(made->Argument(), nullptr) << name;
  }
}

TEST_F(CommandHeaderTest, MissingModuleClassOrInstanceGivesNull) {
  for (const auto& [module, name] : {std::pair{"KivTstNoSuchModule", "KivTstWidget"},
                                     {"KivTstModule", "KivTstNoSuchClass"},
                                     {"", "KivTstWidget"},
                                     {"KivTstModule", ""},
                                     {"KivTstModule", "KivTstNothing"}})
    EXPECT_EQ(KivMake<KivCommandHeader>("X", module, name)->GetCommand(), nullptr) << name;
}

}  // namespace
