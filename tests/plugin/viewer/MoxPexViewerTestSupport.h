#pragma once
// A small line and a fixture that drives the viewer commands through the
// host's interaction API, closes the application frame after each test and
// proves that every component made in it is gone.
#include <gtest/gtest.h>

#include <string>

#include "KivFrameLeakCheck.h"
#include "KivLineBuilder.h"
#include "KivNodePlace.h"
#include "KivFrmLayout.h"
#include "KivIGENode.h"
#include "KivInteraction.h"
#include "KivProcessDocument.h"
#include "MoxGE0Config.h"
#include "MoxIPertNode.h"
#include "MoxPexProductFlowViewer.h"

// Root "Line": Start -> S1 -> S2 -> S3 -> Stop and a lone S4; the super node
// S2 holds Load -> Weld. Nothing is placed.
struct ViewerLine {
  KivVar<KivProcessDocument> document = KivProcessDocument::Create();
  KivLineBuilder line{document.get(),
                      {"Line > S1 S2 S3 S4", "S2 > Load:Loading Weld:SpotWelding",
                       "Start -> S1 -> S2 -> S3 -> Stop", "Load -> Weld"}};
  KivBaseUnknown_var root = line["Line"], s1 = line["S1"], s2 = line["S2"], s3 = line["S3"],
                     s4 = line["S4"], load = line["Load"], weld = line["Weld"],
                     start = line["Start"], stop = line["Stop"];
  ViewerLine() { document->SetStorageName("/data/plant/underbody.process"); }
};

class ViewerFixture : public FrameLeakCheckedTest {
 protected:
  void TearDown() override {
    MoxGE0Config::SetCurrent(NULL_var);
    FrameLeakCheckedTest::TearDown();
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

};
