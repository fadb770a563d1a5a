#pragma once
// A small line to group and ungroup, and a fixture that drives the commands
// through the host's interaction API, closes the application after each test
// and proves that every component made in it is gone.
#include <gtest/gtest.h>

#include <string>

#include "KivApplicationFrame.h"
#include "KivDelayedDestruction.h"
#include "KivISPPFlowMgt.h"
#include "KivInteraction.h"
#include "KivLineBuilder.h"
#include "KivMessageLog.h"
#include "KivProcessDocument.h"
#include "KivProcessDocumentWriter.h"
#include "MoxIPertNode.h"

// Root "Line": Start -> X -> A -> B -> Y -> Stop; the grouping H holds the
// station C. A has the robot R1 and B the robot R2, both under "Robots"; the
// robot R3 hangs under "Others". A and B take 30 and 45.5 seconds.
struct GroupingLine {
  KivVar<KivProcessDocument> document = KivProcessDocument::Create();
  KivBaseUnknown_var root, x, a, b, y, h, c, robots, others, r1, r2, r3;
  GroupingLine() {
    KivLineBuilder line(document.get(), {"Line > X A B Y H:Grouping", "H > C",
                                         "Start -> X -> A -> B -> Y -> Stop"});
    root = line["Line"], x = line["X"], a = line["A"], b = line["B"], y = line["Y"];
    h = line["H"], c = line["C"];
    robots = document->CreateResource(nullptr, "Robots", "Robot", "robots").get();
    others = document->CreateResource(nullptr, "Others", "Robot", "others").get();
    r1 = document->CreateResource(robots.get(), "R1", "Robot", "r1").get();
    r2 = document->CreateResource(robots.get(), "R2", "Robot", "r2").get();
    r3 = document->CreateResource(others.get(), "R3", "Robot", "r3").get();
    document->AssignResource(a.get(), r1.get());
    document->AssignResource(b.get(), r2.get());
    document->SetCycleTime(a.get(), 30.0);
    document->SetCycleTime(b.get(), 45.5);
    MoxIPertNode_var(a.get())->SetPosition(100, 40, 1);
    MoxIPertNode_var(b.get())->SetPosition(150, 60, 1);
  }
  std::string Bytes() const {
    std::string text, error;
    EXPECT_EQ(KivProcessDocumentWriter::WriteText(*document, text, error), S_OK) << error;
    return text;
  }
};

inline std::vector<std::string> Names(const KivListValKivBaseUnknown_var& list,
                                      KivProcessDocument* document) {
  std::vector<std::string> names;
  for (const auto& o : list) {
    KivIModelObject_var model(o.get());
    names.push_back(model ? model->ObjectName().ConvertToUTF8() : document->IdOf(o.get()));
  }
  return names;
}

inline std::vector<std::string> NextNames(const KivBaseUnknown_var& node,
                                          KivProcessDocument* document) {
  KivISPPFlowMgt_var flow(node.get());
  auto next = flow->NextActivities("");
  return Names(next ? *next : KivListValKivBaseUnknown_var(), document);
}

class GroupingFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    KivApplicationFrame::Shutdown();
    KivDelayedDestruction::Flush();
    live_ = KivBaseUnknown::LiveInstances();
    KivMessageLog::Clear();
  }
  void TearDown() override {
    KivApplicationFrame::Shutdown();
    KivDelayedDestruction::Flush();
    KivMessageLog::Clear();
    KivMessageLog::ClearAnswers();
    EXPECT_EQ(KivBaseUnknown::LiveInstances(), live_) << "a component leaked or was freed twice";
  }
  static std::string LastMessage() { return KivMessageLog::Last().text.ConvertToUTF8(); }

  long live_ = 0;
};
