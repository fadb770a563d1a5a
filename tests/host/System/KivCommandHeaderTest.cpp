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

TEST_F(CommandHeaderTest, FactoryWithoutArgumentGivesANewInstanceEachTime) {
  auto header = KivMake<KivCommandHeader>("Widget", "KivTstModule", "KivTstWidget");
  KivBaseUnknown_var first = KivBaseUnknown_var::Adopt(header->GetCommand());
  KivBaseUnknown_var second = KivBaseUnknown_var::Adopt(header->GetCommand());
  ASSERT_TRUE(first);
  ASSERT_TRUE(second);
  EXPECT_FALSE(first == second);
  EXPECT_STREQ(first->IsA(), "KivTstWidget");
  EXPECT_EQ(first->RefCount(), 1u);
  EXPECT_EQ(header->GetIdentifier(), "Widget");
  EXPECT_EQ(header->GetState(), 1);
}

TEST_F(CommandHeaderTest, FactoryWithArgumentReceivesTheHeadersArgument) {
  auto activity = KivMake<TstActivity>();
  auto header =
      KivMake<KivCommandHeader>("Gadget", "KivTstModule", "KivTstGadget", activity.get(), 1);
  // The header holds the argument while it lives.
  EXPECT_EQ(activity->RefCount(), 2u);
  KivTstIModuleProbe_var gadget = KivBaseUnknown_var::Adopt(header->GetCommand());
  ASSERT_TRUE(gadget);
  EXPECT_EQ(gadget->Argument(), activity.get());
  header = NULL_var;
  gadget = NULL_var;
  EXPECT_EQ(activity->RefCount(), 1u);
}

TEST_F(CommandHeaderTest, ZeroArgumentFactoryIgnoresTheArgument) {
  auto activity = KivMake<TstActivity>();
  KivTstIModuleProbe_var widget = KivBaseUnknown_var::Adopt(
      KivCommandHeader::CreateInstance("KivTstModule", "KivTstWidget", activity.get()));
  ASSERT_TRUE(widget);
  EXPECT_EQ(widget->Argument(), nullptr);
  // A factory exported without a dictionary entry is called without argument.
  KivTstIModuleProbe_var unlisted = KivBaseUnknown_var::Adopt(
      KivCommandHeader::CreateInstance("KivTstModule", "KivTstUnlisted", activity.get()));
  ASSERT_TRUE(unlisted);
  EXPECT_EQ(unlisted->Argument(), nullptr);
}

TEST_F(CommandHeaderTest, MissingModuleClassOrInstanceGivesNull) {
  for (const auto& [module, name] : {std::pair{"KivTstNoSuchModule", "KivTstWidget"},
                                     {"KivTstModule", "KivTstNoSuchClass"},
                                     {"", "KivTstWidget"},
                                     {"KivTstModule", ""},
                                     {"KivTstModule", "KivTstNothing"}})
    EXPECT_EQ(KivMake<KivCommandHeader>("X", module, name)->GetCommand(), nullptr) << name;
}
