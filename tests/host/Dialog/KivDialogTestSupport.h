#pragma once
// Shared test objects: pickable components and a fixture that restores the
// global state of the dialog framework and proves that references balance.
#include <gtest/gtest.h>

#include "KivCSO.h"
#include "KivCommandStarter.h"
#include "KivLeakCheck.h"
#include "KivImplement.h"
#include "KivMessageLog.h"

inline constexpr IID IID_TstIActivity = KivGUID::FromName("TstIActivity");
class TstIActivity : public virtual KivBaseUnknown {
  KIV_INTERFACE(TstIActivity)
 public:
  virtual const KivString& GetLabel() const = 0;
};

class TstActivity : public KivImplement<TstIActivity> {
  KIV_CLASS(TstActivity, KivBaseUnknown, "Tests")
 public:
  explicit TstActivity(KivString label) : label_(std::move(label)) {}
  const KivString& GetLabel() const override { return label_; }

 private:
  KivString label_;
};

class TstThing : public KivImplement<> {
  KIV_CLASS(TstThing, KivBaseUnknown, "Tests")
};

inline KivString LabelOf(KivBaseUnknown* object) {
  KivVar<TstIActivity> activity = object;
  return activity ? activity->GetLabel() : KivString("<none>");
}

// One path element per object, as a pick event or a selection hands them over.
inline KivListValKivBaseUnknown_var PathsOf(std::initializer_list<KivBaseUnknown*> objects) {
  KivListValKivBaseUnknown_var paths;
  for (KivBaseUnknown* o : objects) paths.Append(KivBaseUnknown_var(KivMake<KivPathElement>(o)));
  return paths;
}

// Restores the framework's globals and checks that every component made in a
// test is gone at its end.
class DialogFixture : public LeakCheckedTest {
 protected:
  void SetUp() override {
    LeakCheckedTest::SetUp();
    KivMessageLog::Clear();
    KivMessageLog::ClearAnswers();
  }
  void TearDown() override {
    KivCommandStarter::CancelAll();
    KivCSO::SetCurrent(nullptr);
    KivMessageLog::Clear();
    KivMessageLog::ClearAnswers();
    ExpectNoLeak();
  }
};
