#include <gtest/gtest.h>

#include "KivEnvironment.h"
#include "KivTestSupport.h"

TEST(EnvironmentTest, UnsetEmptyAndNamelessVariablesAreToldApart) {
  KivString value("stale");
  {
    ScopedEnv unset("KivTstVar", nullptr);
    EXPECT_EQ(KivGetEnv("KivTstVar"), nullptr);
    EXPECT_EQ(KivGetEnvValue("KivTstVar", value), E_FAIL);
    EXPECT_TRUE(value.IsEmpty());
  }
  ScopedEnv empty("KivTstVar", "");
  ASSERT_NE(KivGetEnv("KivTstVar"), nullptr);
  value = KivString("stale");
  EXPECT_EQ(KivGetEnvValue("KivTstVar", value), S_OK);
  EXPECT_TRUE(value.IsEmpty());
  // A null or empty name is never found.
  EXPECT_EQ(KivGetEnv(nullptr), nullptr);
  EXPECT_EQ(KivGetEnv(""), nullptr);
  EXPECT_EQ(KivGetEnvValue(nullptr, value), E_FAIL);
}
