#pragma once
// Shared by the process model tests: a fixture that owns a document, records
// the activity notifications of its root and checks that every component is
// released once the document is gone.
#include <gtest/gtest.h>

#include <vector>

#include "KivISPPActivity.h"
#include "KivISPPChildManagement.h"
#include "KivISPPFlowMgt.h"
#include "KivIModelObject.h"
#include "KivLeakCheck.h"
#include "KivProcessDocument.h"
#include "KivSPPActivityNotification.h"
#include "MoxIBIWItemInfo.h"

struct RecordedNotice {
  KivBaseUnknown_var father;
  KivBaseUnknown_var son;
  int kind;
};

class ProcessModelTest : public LeakCheckedTest {
 protected:
  void SetUp() override {
    LeakCheckedTest::SetUp();
    doc_ = KivProcessDocument::Create();
    root_ = doc_->CreateRootActivity("Underbody", "root");
  }

  void TearDown() override {
    notices_.clear();
    root_ = NULL_var;
    doc_ = NULL_var;
    ExpectNoLeak();
  }

  // Starts recording the root's activity notifications (kind, father, son).
  void Listen() {
    doc_->GetActivityEvents()->AddCallback(
        KivSPPActivityNotificationDispatcher::DISPATCHER_SPP_VIEWS_CHANGE,
        [this](KivBaseUnknown*, KivNotification* n, void*) {
          auto* activity = dynamic_cast<KivSPPActivityNotification*>(n);
          ASSERT_NE(activity, nullptr);
          notices_.push_back({KivBaseUnknown_var(activity->GetFather()),
                              KivBaseUnknown_var(activity->GetSon()),
                              activity->GetNotificationKind()});
        });
  }

  // How many recorded notifications have this kind, father and son.
  int Count(int kind, KivBaseUnknown* father, KivBaseUnknown* son) const {
    int found = 0;
    for (const auto& n : notices_)
      if (n.kind == kind && n.father == KivBaseUnknown_var(father) &&
          n.son == KivBaseUnknown_var(son))
        ++found;
    return found;
  }
  int CountKind(int kind) const {
    int found = 0;
    for (const auto& n : notices_) found += n.kind == kind;
    return found;
  }

  KivISPPActivity_var Station(const char* name, KivBaseUnknown* parent = nullptr) {
    return doc_->CreateActivity(parent ? parent : root_.get(), "BIWActivityStation", name);
  }
  KivISPPActivity_var Child(KivBaseUnknown* parent, const char* type, const char* name) {
    return doc_->CreateActivity(parent, type, name);
  }
  void Link(KivBaseUnknown* from, KivBaseUnknown* to) {
    ASSERT_EQ(doc_->AddPrecedence(from, to), S_OK);
  }

  // The labels of a list of activities, for readable comparisons.
  static std::vector<std::string> Names(const KivListValKivBaseUnknown_var& list) {
    std::vector<std::string> names;
    for (auto& object : list) {
      KivIModelObject_var named(object.get());
      names.push_back(named ? named->ObjectName().ConvertToUTF8() : "?");
    }
    return names;
  }
  static std::vector<std::string> Names(const KivSPPList& list) {
    return list ? Names(*list) : std::vector<std::string>{"<no list>"};
  }

  KivVar<KivProcessDocument> doc_;
  KivISPPActivity_var root_;
  std::vector<RecordedNotice> notices_;
};
