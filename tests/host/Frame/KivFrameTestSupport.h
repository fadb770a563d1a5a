#pragma once
// A small process document and a fixture that closes the application frame
// after each test and proves that every component made in it is gone.
#include <gtest/gtest.h>

#include "KivApplicationFrame.h"
#include "KivDelayedDestruction.h"
#include "KivISPPActivity.h"
#include "KivISpecObject.h"
#include "KivMessageLog.h"
#include "KivProcessDocument.h"

// Root "Line" with stations S1 -> S2 -> S3 and a loading L1 under S1.
struct TstLine {
  KivVar<KivProcessDocument> document = KivProcessDocument::Create();
  KivISPPActivity_var root, s1, s2, s3, l1;
  TstLine() {
    root = document->CreateRootActivity("Line", "root");
    s1 = document->CreateActivity(root, "BIWActivityStation", "S1", "s1");
    s2 = document->CreateActivity(root, "BIWActivityStation", "S2", "s2");
    s3 = document->CreateActivity(root, "BIWActivityStation", "S3", "s3");
    l1 = document->CreateActivity(s1, "BIWActivityLoading", "L1", "l1");
    document->AddPrecedence(s1, s2);
    document->AddPrecedence(s2, s3);
    document->SetStorageName("/data/underbody.process");
  }
};

inline std::string NameOf(KivBaseUnknown* object) {
  KivISpecObject_var named = object;
  return named ? named->SpecName().ConvertToUTF8() : std::string("<none>");
}

class FrameFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    KivApplicationFrame::Shutdown();
    KivDelayedDestruction::Flush();
    live_ = KivBaseUnknown::LiveInstances();
    KivMessageLog::Clear();
  }
  void TearDown() override {
    KivApplicationFrame::Shutdown();
    KivMessageLog::Clear();
    KivMessageLog::ClearAnswers();
    EXPECT_EQ(KivBaseUnknown::LiveInstances(), live_) << "a component leaked or was freed twice";
  }
  long live_ = 0;
};
