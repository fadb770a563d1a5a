#include <gtest/gtest.h>

#include "KivCommandHeader.h"
#include "KivLeakCheck.h"
#include "KivTestSupport.h"
#include "module/KivTstModuleProbe.h"

namespace {
class TstActivity : public KivImplement<> {
  KIV_CLASS(TstActivity, KivBaseUnknown, "Tests")
};
}  // namespace

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
  EXPECT_EQ(first->RefCount(), 1u);

  // A factory with an argument receives the header's, which the header holds
  // while it lives; one without (listed or not) is called without it.
  auto activity = KivMake<TstActivity>();
  header = KivMake<KivCommandHeader>("Gadget", "KivTstModule", "KivTstGadget", activity.get(), 1);
  EXPECT_EQ(activity->RefCount(), 2u);
  KivTstIModuleProbe_var gadget = KivBaseUnknown_var::Adopt(header->GetCommand());
  ASSERT_TRUE(gadget);
  EXPECT_EQ(gadget->Argument(), activity.get());
  header = NULL_var;
  gadget = NULL_var;
  EXPECT_EQ(activity->RefCount(), 1u);
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
