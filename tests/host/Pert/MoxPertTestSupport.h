#pragma once
// A small line to draw: root "Line" with stations S1 -> S2 -> S3 (and the
// root's Start -> S1), S2 holding Load -> Weld. The fixture checks that every
// component is released and that no chart configuration is left installed.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "KivCallback.h"
#include "KivISPPChildManagement.h"
#include "KivVisTestSupport.h"
#include "KivLineBuilder.h"
#include "KivProcessDocument.h"
#include "KivViewer.h"
#include "MoxGE0Config.h"
#include "MoxIPertNode.h"
#include "MoxIPertNodeExt.h"
#include "MoxPertAppInfoNotify.h"
#include "MoxPertPositionNotify.h"
#include "MoxPexPertBaseServices.h"

using XY = std::pair<double, double>;

class MoxPertTest : public KivVisTest {
 protected:
  void SetUp() override {
    LeakCheckedTest::SetUp();
    doc_ = KivProcessDocument::Create();
    KivLineBuilder line(doc_.get(), {"Line > S1 S2 S3", "S2 > Load:Loading Weld:SpotWelding",
                                     "Start -> S1 -> S2 -> S3", "Load -> Weld"});
    root_ = line["Line"], s1_ = line["S1"], s2_ = line["S2"], s3_ = line["S3"];
    load_ = line["Load"], weld_ = line["Weld"], start_ = line["Start"], stop_ = line["Stop"];
  }

  void TearDown() override {
    StopListening();
    MoxGE0Config::SetCurrent(NULL_var);
  }

  // Records the PERT notifications that reach the root activity's events.
  struct Heard {
    KivBaseUnknown* node;
    bool position;  // MoxPertPositionNotify, else MoxPertAppInfoNotify
    bool remove;
    double x, y;
  };
  void Listen() {
    KivIModelEvents_var events(root_.get());
    ASSERT_TRUE(events);
    publisher_ = events->GetNotificationDispatcher();
    callback_ = AddCallback(
        publisher_.get(), "MoxPertNodeNotify", [this](KivBaseUnknown*, KivNotification* n, void*) {
          auto* p = dynamic_cast<MoxPertNodeNotify*>(n);
          auto* info = dynamic_cast<MoxPertAppInfoNotify*>(n);
          heard_.push_back({KivIdentity(p->GetNode().get()), !info, info && info->GetRemoveRep(),
                            p->GetX(), p->GetY()});
        });
  }
  void StopListening() {
    if (callback_ != kKivNoCallback) RemoveCallback(callback_);
    callback_ = kKivNoCallback;
    publisher_ = NULL_var;
  }
  int CountHeard(const KivBaseUnknown_var& node, bool position, bool remove = false) const {
    int n = 0;
    for (const auto& h : heard_)
      n += h.node == KivIdentity(node.get()) && h.position == position && h.remove == remove;
    return n;
  }

  static void Place(const KivBaseUnknown_var& node, double x, double y) {
    MoxIPertNode_var pertNode(node.get());
    ASSERT_TRUE(pertNode && pertNode->SetPosition(x, y, 1) == S_OK);
  }
  // The node's position (NaN when it cannot be read).
  static XY At(const KivBaseUnknown_var& node, int flag = 0) {
    double x = NAN, y = NAN;
    MoxIPertNode_var pertNode(node.get());
    EXPECT_TRUE(pertNode && pertNode->GetPosition(x, y, flag) == S_OK);
    return {x, y};
  }
  static bool NotPlaced(const KivBaseUnknown_var& node) {
    bool notPlaced = false;
    EXPECT_EQ(MoxPexPertBaseServices::GetPertExtension(node, notPlaced), S_OK);
    return notPlaced;
  }
  // Stores the node as an expanded super node in the document.
  void Expand(const KivBaseUnknown_var& node) {
    KivPertNodeData data = doc_->GetPertNodeData(node.get());
    data.superNodeState = 1;
    doc_->SetPertNodeData(node.get(), data);
  }
  KivBaseUnknown_var Create(const KivBaseUnknown_var& parent, const char* type, const char* name) {
    return KivBaseUnknown_var(doc_->CreateActivity(parent.get(), type, name).get());
  }

  KivVar<KivProcessDocument> doc_;
  KivBaseUnknown_var root_, s1_, s2_, s3_, load_, weld_, start_, stop_;
  KivVar<KivEventPublisher> publisher_;
  KivCallbackId callback_ = kKivNoCallback;
  std::vector<Heard> heard_;
};
