#pragma once
// The fixture every component test starts from: it notes the live component
// instances before the test and, once the delayed destructions have run,
// expects the same number after it. A leaked reference or a double release
// shows as a difference.
#include <gtest/gtest.h>

#include "KivBaseUnknown.h"
#include "KivDelayedDestruction.h"

class LeakCheckedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    KivDelayedDestruction::Flush();
    live_ = KivBaseUnknown::LiveInstances();
  }
  void TearDown() override { ExpectNoLeak(); }
  // For fixtures that release their own state first.
  void ExpectNoLeak() const {
    KivDelayedDestruction::Flush();
    EXPECT_EQ(KivBaseUnknown::LiveInstances(), live_) << "a component leaked or was released twice";
  }

  long live_ = 0;
};
