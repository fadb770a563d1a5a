#pragma once
// A small line and a fixture that drives the viewer commands through the
// host's interaction API, closes the application frame after each test and
// proves that every component made in it is gone.
#include <gtest/gtest.h>

#include <string>

#include "KivApplicationFrame.h"
#include "KivDelayedDestruction.h"
#include "KivFrmLayout.h"
#include "KivIGENode.h"
#include "KivInteraction.h"
#include "KivMessageLog.h"
#include "KivProcessDocument.h"
#include "MoxGE0Config.h"
#include "MoxIPertNode.h"
#include "MoxPexProductFlowViewer.h"

struct Place {
  double x;
  double y;
  bool operator==(const Place&) const = default;
};
inline void PrintTo(const Place& p, std::ostream* out) { *out << "(" << p.x << ", " << p.y << ")"; }

// Root "Line": Start -> S1 -> S2 -> S3 -> Stop and a lone S4; the super node
// S2 holds Load -> Weld. Nothing is placed.
struct ViewerLine {
  KivVar<KivProcessDocument> document = KivProcessDocument::Create();
  KivBaseUnknown_var root, s1, s2, s3, s4, load, weld, start, stop;
  ViewerLine() {
    root = document->CreateRootActivity("Line", "root").get();
    s1 = document->CreateActivity(root.get(), "BIWActivityStation", "S1", "s1").get();
    s2 = document->CreateActivity(root.get(), "BIWActivityStation", "S2", "s2").get();
    s3 = document->CreateActivity(root.get(), "BIWActivityStation", "S3", "s3").get();
    s4 = document->CreateActivity(root.get(), "BIWActivityStation", "S4", "s4").get();
    load = document->CreateActivity(s2.get(), "BIWActivityLoading", "Load", "load").get();
    weld = document->CreateActivity(s2.get(), "BIWActivitySpotWelding", "Weld", "weld").get();
    start = document->GetStartNode(root.get());
    stop = document->GetStopNode(root.get());
    document->AddPrecedence(start.get(), s1.get());
    document->AddPrecedence(s1.get(), s2.get());
    document->AddPrecedence(s2.get(), s3.get());
    document->AddPrecedence(s3.get(), stop.get());
    document->AddPrecedence(load.get(), weld.get());
    document->SetStorageName("/data/plant/underbody.process");
  }
};

inline Place PlaceOf(const KivBaseUnknown_var& node) {
  Place p{0, 0};
  MoxIPertNode_var(node.get())->GetPosition(p.x, p.y, 1);
  return p;
}

inline void PlaceAt(const KivBaseUnknown_var& node, double x, double y) {
  ASSERT_EQ(MoxIPertNode_var(node.get())->SetPosition(x, y, 1), S_OK);
}

class ViewerFixture : public ::testing::Test {
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
    MoxGE0Config::SetCurrent(NULL_var);
    EXPECT_EQ(KivBaseUnknown::LiveInstances(), live_) << "a component leaked or was freed twice";
  }

  // Starts the viewer command and picks the activity, as a user does.
  static KivStepResult OpenViewer(const KivBaseUnknown_var& activity) {
    KivStepResult started = KivInteraction::StartCommand("MoxPexProductFlowViewerCmd");
    if (!started) return started;
    return KivInteraction::Pick(activity.get());
  }
  // Opens the line's document and a viewer on the activity; null when either fails.
  static MoxPexProductFlowViewer* OpenViewerIn(ViewerLine& line,
                                               const KivBaseUnknown_var& activity) {
    KivInteraction::OpenDocument(line.document.get());
    return OpenViewer(activity) ? CurrentViewer() : nullptr;
  }
  static KivFrmLayout* Layout() { return KivFrmLayout::GetCurrentLayout(); }
  static MoxPexProductFlowViewer* CurrentViewer() {
    return dynamic_cast<MoxPexProductFlowViewer*>(Layout()->GetCurrentWindow());
  }
  static int CountViewers() {
    int n = 0;
    for (const auto& w : Layout()->GetWindows())
      if (dynamic_cast<MoxPexProductFlowViewer*>(w.get())) ++n;
    return n;
  }

  long live_ = 0;
};
