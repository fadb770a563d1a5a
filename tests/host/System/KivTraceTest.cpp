#include <gtest/gtest.h>

#include <functional>

#include "KivTestSupport.h"
#include "KivTrace.h"

namespace {
std::vector<KivTrace::Module> Named(const std::string& name) {
  std::vector<KivTrace::Module> found;
  for (const auto& m : KivTrace::RegisteredModules())
    if (m.name == name) found.push_back(m);
  return found;
}
std::string WrittenBy(const std::function<void()>& write) {
  testing::internal::CaptureStderr();
  write();
  return testing::internal::GetCapturedStderr();
}
}  // namespace

TEST(TraceTest, ModuleIsRegisteredOnceWithItsFirstDescription) {
  {
    KivTrace first("KivTstTraceOnce", "Traces for the test");
    KivTrace second("KivTstTraceOnce", "Another description");
    const auto modules = Named("KivTstTraceOnce");
    ASSERT_EQ(modules.size(), 1u);
    EXPECT_EQ(modules[0].description, "Traces for the test");
  }
  EXPECT_TRUE(Named("KivTstTraceOnce").empty());
}

TEST(TraceTest, WritesWholeLinesOnlyWhenTheEnvironmentSwitchesItOn) {
  KivTrace trace("KivTstTraceSwitch", "Traces for the test");
  {
    ScopedEnv off("KivTraces", nullptr);
    EXPECT_EQ(WrittenBy([&] { trace.Write("hidden -->"); }), "");
  }
  for (const char* list :
       {"KivTstTraceSwitch", "Other,KivTstTraceSwitch", "a:b KivTstTraceSwitch", "ALL"}) {
    ScopedEnv on("KivTraces", list);
    EXPECT_TRUE(trace.IsActive()) << list;
    EXPECT_EQ(WrittenBy([&] { trace.Write("Entry -->"); }), "[KivTstTraceSwitch] Entry -->\n")
        << list;
  }
  {
    ScopedEnv other("KivTraces", "KivTstTraceSwitchX,all");
    EXPECT_FALSE(trace.IsActive());
  }
  ScopedEnv on("KivTraces", "KivTstTraceSwitch");
  const std::string longText(3000, 'x');
  EXPECT_EQ(WrittenBy([&] { trace.Print("%s <-- %d", longText.c_str(), 42); }),
            "[KivTstTraceSwitch] " + longText + " <-- 42\n");
}
