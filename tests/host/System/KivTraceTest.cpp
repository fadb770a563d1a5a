#include <gtest/gtest.h>

#include <algorithm>

#include "KivTestSupport.h"
#include "KivTrace.h"

namespace {
int CountModules(const std::string& name) {
  const auto modules = KivTrace::RegisteredModules();
  return static_cast<int>(std::count_if(modules.begin(), modules.end(),
                                        [&](const KivTrace::Module& m) { return m.name == name; }));
}
}  // namespace

TEST(TraceTest, ModuleIsRegisteredOnceWithItsFirstDescription) {
  {
    KivTrace first("KivTstTraceOnce", "Traces for the test");
    KivTrace second("KivTstTraceOnce", "Another description");
    EXPECT_EQ(CountModules("KivTstTraceOnce"), 1);
    const auto modules = KivTrace::RegisteredModules();
    const auto it = std::find_if(modules.begin(), modules.end(), [](const KivTrace::Module& m) {
      return m.name == "KivTstTraceOnce";
    });
    ASSERT_NE(it, modules.end());
    EXPECT_EQ(it->description, "Traces for the test");
    EXPECT_EQ(it->output, "STDERR");
  }
  EXPECT_EQ(CountModules("KivTstTraceOnce"), 0);
}

TEST(TraceTest, WritesOnlyWhenTheEnvironmentSwitchesItOn) {
  KivTrace trace("KivTstTraceSwitch", "Traces for the test");
  {
    ScopedEnv off("KivTraces", nullptr);
    testing::internal::CaptureStderr();
    trace.Write("hidden -->");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  }
  for (const char* list :
       {"KivTstTraceSwitch", "Other,KivTstTraceSwitch", "a:b KivTstTraceSwitch", "ALL"}) {
    ScopedEnv on("KivTraces", list);
    EXPECT_TRUE(trace.IsActive()) << list;
    testing::internal::CaptureStderr();
    trace.Write("Entry -->");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "[KivTstTraceSwitch] Entry -->\n") << list;
  }
  ScopedEnv other("KivTraces", "KivTstTraceSwitchX,all");
  EXPECT_FALSE(trace.IsActive());
}

TEST(TraceTest, PrintFormatsLongLinesWhole) {
  KivTrace trace("KivTstTracePrint", "Traces for the test");
  ScopedEnv on("KivTraces", "KivTstTracePrint");
  const std::string longText(3000, 'x');
  testing::internal::CaptureStderr();
  trace.Print("%s <-- %d", longText.c_str(), 42);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "[KivTstTracePrint] " + longText + " <-- 42\n");
}
