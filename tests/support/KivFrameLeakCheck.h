#pragma once
// The leak-checked fixture for tests that drive the application frame: the
// frame is closed and the message log (texts and queued answers) emptied
// before and after each test, so that every component the test made must be
// gone at its end and no message or answer crosses from one test to another.
#include "KivApplicationFrame.h"
#include "KivLeakCheck.h"
#include "KivMessageLog.h"

class FrameLeakCheckedTest : public LeakCheckedTest {
 protected:
  void SetUp() override {
    CloseApplication();
    LeakCheckedTest::SetUp();
  }
  void TearDown() override {
    CloseApplication();
    ExpectNoLeak();
  }
  static void CloseApplication() {
    KivApplicationFrame::Shutdown();
    KivMessageLog::Clear();
    KivMessageLog::ClearAnswers();
  }
};
