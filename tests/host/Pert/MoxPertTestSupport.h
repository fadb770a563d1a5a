#pragma once
// A small line to draw: root "Line" with stations S1 -> S2 -> S3 (and the
// root's Start -> S1), S2 holding Load -> Weld. The fixture checks that every
// component is released and that no chart configuration is left installed.
#include <gtest/gtest.h>

#include <vector>

#include "KivCallback.h"
#include "KivDelayedDestruction.h"
#include "KivISPPChildManagement.h"
#include "KivProcessDocument.h"
#include "KivViewer.h"
#include "MoxGE0Config.h"
#include "MoxIPertNode.h"
#include "MoxIPertNodeExt.h"
#include "MoxPertAppInfoNotify.h"
#include "MoxPertPositionNotify.h"

class MoxPertTest : public testing::Test {
 protected:
  void SetUp() override {
    live_ = KivBaseUnknown::LiveInstances();
    doc_ = KivProcessDocument::Create();
    root_ = doc_->CreateRootActivity("Line");
    s1_ = doc_->CreateActivity(root_.get(), "BIWActivityStation", "S1");
    s2_ = doc_->CreateActivity(root_.get(), "BIWActivityStation", "S2");
    s3_ = doc_->CreateActivity(root_.get(), "BIWActivityStation", "S3");
    load_ = doc_->CreateActivity(s2_.get(), "BIWActivityLoading", "Load");
    weld_ = doc_->CreateActivity(s2_.get(), "BIWActivitySpotWelding", "Weld");
    start_ = doc_->GetStartNode(root_.get());
    stop_ = doc_->GetStopNode(root_.get());
    ASSERT_TRUE(start_ && s3_ && weld_);
    doc_->AddPrecedence(start_.get(), s1_.get());
    doc_->AddPrecedence(s1_.get(), s2_.get());
    doc_->AddPrecedence(s2_.get(), s3_.get());
    doc_->AddPrecedence(load_.get(), weld_.get());
  }

  void TearDown() override {
    StopListening();
    MoxGE0Config::SetCurrent(NULL_var);
    start_ = stop_ = root_ = s1_ = s2_ = s3_ = load_ = weld_ = NULL_var;
    doc_ = NULL_var;
    KivDelayedDestruction::Flush();
    EXPECT_EQ(KivBaseUnknown::LiveInstances(), live_) << "a component was not released";
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
      if (h.node == KivIdentity(node.get()) && h.position == position && h.remove == remove) ++n;
    return n;
  }

  static void Place(const KivBaseUnknown_var& node, double x, double y) {
    MoxIPertNode_var pertNode(node.get());
    ASSERT_TRUE(pertNode);
    ASSERT_EQ(pertNode->SetPosition(x, y, 1), S_OK);
  }
  static void Position(const KivBaseUnknown_var& node, double& x, double& y, int flag = 0) {
    MoxIPertNode_var pertNode(node.get());
    ASSERT_TRUE(pertNode);
    ASSERT_EQ(pertNode->GetPosition(x, y, flag), S_OK);
  }

  long live_ = 0;
  KivVar<KivProcessDocument> doc_;
  KivBaseUnknown_var root_, s1_, s2_, s3_, load_, weld_, start_, stop_;
  KivVar<KivEventPublisher> publisher_;
  KivCallbackId callback_ = kKivNoCallback;
  std::vector<Heard> heard_;
};
