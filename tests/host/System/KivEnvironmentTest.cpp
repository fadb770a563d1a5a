#include <gtest/gtest.h>

#include "KivEnvironment.h"
#include "KivTestSupport.h"

TEST(EnvironmentTest, UnsetVariableHasNoValueAndFails) {
  ScopedEnv unset("KivTstUnset", nullptr);
  EXPECT_EQ(KivGetEnv("KivTstUnset"), nullptr);
  KivString value("stale");
  EXPECT_EQ(KivGetEnvValue("KivTstUnset", value), E_FAIL);
  EXPECT_TRUE(value.IsEmpty());
}

TEST(EnvironmentTest, EmptyVariableIsSetToTheEmptyString) {
  ScopedEnv empty("KivTstEmpty", "");
  ASSERT_NE(KivGetEnv("KivTstEmpty"), nullptr);
  KivString value("stale");
  EXPECT_EQ(KivGetEnvValue("KivTstEmpty", value), S_OK);
  EXPECT_TRUE(value.IsEmpty());
}

TEST(EnvironmentTest, ValuesComeBackByteForByte) {
  ScopedEnv odd("KivTstOdd", " 3 rows; =x \xC3\xBC");
  KivString value;
  EXPECT_EQ(KivGetEnvValue("KivTstOdd", value), S_OK);
  EXPECT_EQ(value.str(), " 3 rows; =x \xC3\xBC");
}

TEST(EnvironmentTest, NullOrEmptyNameIsNeverFound) {
  KivString value;
  EXPECT_EQ(KivGetEnv(nullptr), nullptr);
  EXPECT_EQ(KivGetEnv(""), nullptr);
  EXPECT_EQ(KivGetEnvValue(nullptr, value), E_FAIL);
}
