#include <gtest/gtest.h>

#include "KivFatalError.h"

TEST(FatalErrorDeathTest, StopsWithTheAssertionSourcePathAndLine) {
  EXPECT_EXIT(KivFatalError("AssertionFailed:NULL_var != hRootProcess",
                            "MoxPexViewers/MoxPexViewerCmds.m/src/MoxPexProductFlowViewerCmd", 269),
              testing::ExitedWithCode(kKivFatalExitStatus),
              "AssertionFailed:NULL_var != hRootProcess\n.*MoxPexViewers/MoxPexViewerCmds\\.m/src/"
              "MoxPexProductFlowViewerCmd, line 269");
}

TEST(FatalErrorDeathTest, ExitStatusIsNotZeroEvenWithoutTexts) {
  EXPECT_EXIT(KivFatalError(nullptr, nullptr, 0), testing::ExitedWithCode(kKivFatalExitStatus),
              "Fatal error");
}
