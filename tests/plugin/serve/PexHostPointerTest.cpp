// The pointer steps of session scripts: a press keeps its drag in progress
// across steps until the release, and steps out of turn say why they fail.
#include <fstream>
#include <string>

#include "../PexHostRunner.h"

namespace {
using PexHostPointerTest = PexHostFolderTest;
}  // namespace

TEST_F(PexHostPointerTest, APressDragsANodeThroughMotionStepsUntilTheRelease) {
  const PexHostRunResult r = RunUnderbodyScript(
      "motion 100 100\n"
      "press 212.5 212.5\n"
      "motion 237.5 175\n"
      "expect position A34 212.5 212.5\n"
      "motion 262.5 137.5\n"
      "release 262.5 137.5\n"
      "expect position A34 262.5 137.5\n");
  EXPECT_EQ(r.status, 0) << r.out;
}

TEST_F(PexHostPointerTest, StepsOutOfTurnOrOffTheNodesFail) {
  const struct {
    const char* script;
    const char* message;
  } cases[] = {
      {"release 212.5 212.5\n", "no press in progress"},
      {"press 212.5 212.5\nrelease 212.5 212.5\nrelease 212.5 212.5\n", "no press in progress"},
      {"press -5000 -5000\n", "nothing to press there"},
      {"motion 1 far\n", "\"far\""},
  };
  for (const auto& c : cases) {
    const PexHostRunResult r = RunUnderbodyScript(c.script);
    EXPECT_NE(r.status, 0) << c.script;
    EXPECT_NE(r.out.find(c.message), std::string::npos) << c.script << r.out;
  }
}
