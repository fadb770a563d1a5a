#pragma once
// A small process document and a fixture that closes the application frame
// after each test and proves that every component made in it is gone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KivApplicationFrame.h"
#include "KivIModelObject.h"
#include "KivISPPActivity.h"
#include "KivLeakCheck.h"
#include "KivLineBuilder.h"
#include "KivMessageLog.h"
#include "KivProcessDocument.h"

// Root "Line" with stations S1 -> S2 -> S3 and a loading L1 under S1.
struct TstLine {
  KivVar<KivProcessDocument> document = KivProcessDocument::Create();
  KivLineBuilder line{document.get(), {"Line > S1 S2 S3", "S1 > L1:Loading", "S1 -> S2 -> S3"}};
  KivISPPActivity_var root = line["Line"], s1 = line["S1"], s2 = line["S2"], s3 = line["S3"],
                      l1 = line["L1"];
  TstLine() { document->SetStorageName("/data/underbody.process"); }
};

using Strings = std::vector<std::string>;

// The objects as a list, as a pick or a selection takes them.
inline KivListValKivBaseUnknown_var Objects(std::initializer_list<KivBaseUnknown*> objects) {
  KivListValKivBaseUnknown_var list;
  for (KivBaseUnknown* object : objects) list.Append(KivBaseUnknown_var(object));
  return list;
}

inline std::string NameOf(KivBaseUnknown* object) {
  KivIModelObject_var named = object;
  return named ? named->ObjectName().ConvertToUTF8() : std::string("<none>");
}

class FrameFixture : public LeakCheckedTest {
 protected:
  void SetUp() override {
    KivApplicationFrame::Shutdown();
    LeakCheckedTest::SetUp();
    KivMessageLog::Clear();
  }
  void TearDown() override {
    KivApplicationFrame::Shutdown();
    KivMessageLog::Clear();
    KivMessageLog::ClearAnswers();
    ExpectNoLeak();
  }
};
