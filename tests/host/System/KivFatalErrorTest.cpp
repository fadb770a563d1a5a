#include <gtest/gtest.h>

#include "KivFatalError.h"

TEST(FatalErrorDeathTest, StopsWithTheAssertionSourcePathAndLineAndANonZeroStatus) {
  EXPECT_EXIT(KivFatalError("AssertionFailed:NULL_var != hRootProcess",
                            "MoxPexViewers/MoxPexViewerCmds.m/src/MoxPexProductFlowViewerCmd", 269),
              testing::ExitedWithCode(kKivFatalExitStatus),
              "AssertionFailed:NULL_var != hRootProcess\n.*MoxPexViewers/MoxPexViewerCmds\\.m/src/"
              "MoxPexProductFlowViewerCmd, line 269");
  // Even without texts.
  EXPECT_EXIT(KivFatalError(nullptr, nullptr, 0), testing::ExitedWithCode(kKivFatalExitStatus),
              "Fatal error");
}
