#pragma once
// Shared by the process model tests: a fixture that owns a document, records
// the activity notifications of its root and checks that every component is
// released once the document is gone.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "KivIModelObject.h"
#include "KivISPPActivity.h"
#include "KivISPPChildManagement.h"
#include "KivISPPFlowMgt.h"
#include "KivLeakCheck.h"
#include "KivLineBuilder.h"
#include "KivProcessDocument.h"
#include "KivSPPActivityNotification.h"
#include "MoxIBIWItemInfo.h"

using Strings = std::vector<std::string>;

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
    line_ = std::make_unique<KivLineBuilder>(doc_.get(),
                                             std::initializer_list<const char*>{"Underbody >"});
    root_ = Act("Underbody");
  }

  void TearDown() override {
    notices_.clear();
    line_.reset();
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

  // Adds activities and links written as KivLineBuilder lines (the root is
  // "Underbody") and finds them by name.
  void Build(std::initializer_list<const char*> lines) {
    for (const char* line : lines) line_->Add(line);
  }
  KivISPPActivity_var Act(const char* name) { return (*line_)[name]; }

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
  static Strings Names(const KivListValKivBaseUnknown_var& list) {
    Strings names;
    for (auto& object : list) {
      KivIModelObject_var named(object.get());
      names.push_back(named ? named->ObjectName().ConvertToUTF8() : "?");
    }
    return names;
  }
  static Strings Names(const KivSPPList& list) {
    return list ? Names(*list) : Strings{"<no list>"};
  }

  KivVar<KivProcessDocument> doc_;
  std::unique_ptr<KivLineBuilder> line_;
  KivISPPActivity_var root_;
  std::vector<RecordedNotice> notices_;
};
