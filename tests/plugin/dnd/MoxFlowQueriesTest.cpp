// The tree and flow walks of the drag-and-drop rules agree with their plain
// recursive definitions on random levels, and end on precedence cycles.
#include <gtest/gtest.h>

#include <random>

#include "KivISPPChildManagement.h"
#include "KivISPPFlowMgt.h"
#include "MoxBIWFlowQueries.h"
#include "MoxZitBltTestSupport.h"

namespace {
bool Same(KivBaseUnknown* a, KivBaseUnknown* b) { return KivIdentity(a) == KivIdentity(b); }

// The definitions, walked as they read: every path again, so only for
// small acyclic levels.
bool LiteralFoundInChildren(KivBaseUnknown* a, KivBaseUnknown* n) {
  KivISPPChildManagement_var children(n);
  if (!children) return false;
  const KivSPPList list = children->ChildActivities("");
  for (const auto& child : *list)
    if (Same(child.get(), a)) return true;
  for (const auto& child : *list)
    if (LiteralFoundInChildren(a, child.get())) return true;
  return false;
}

bool LiteralAfter(KivBaseUnknown* producer, KivBaseUnknown* destination) {
  KivISPPFlowMgt_var flow(destination);
  if (!flow) return false;
  const KivSPPList next = flow->NextActivities("Activity");
  for (const auto& n : *next)
    if (Same(n.get(), producer) || LiteralFoundInChildren(producer, n.get()) ||
        LiteralAfter(producer, n.get()))
      return true;
  return false;
}

class FlowQueriesTest : public ZitBltFixture {
 protected:
  void TearDown() override {
    all_.clear();
    ZitBltFixture::TearDown();
  }
  // Siblings linked forward at random, a third of them with children of
  // their own (linked the same way).
  void AddLevel(KivBaseUnknown* parent, int size, int depth) {
    std::vector<KivBaseUnknown_var> level;
    for (int i = 0; i < size; ++i) {
      level.push_back(document_->CreateActivity(parent, "BIWActivityStation",
                                                "A" + std::to_string(all_.size()))
                          .get());
      all_.push_back(level.back());
    }
    std::bernoulli_distribution link(0.3), nest(0.35);
    for (int i = 0; i < size; ++i)
      for (int j = i + 1; j < size; ++j)
        if (link(random_)) document_->AddPrecedence(level[i].get(), level[j].get());
    if (depth > 0)
      for (const auto& activity : level)
        if (nest(random_)) AddLevel(activity.get(), 4, depth - 1);
  }
  std::mt19937 random_{20261206};
  std::vector<KivBaseUnknown_var> all_;
};

TEST_F(FlowQueriesTest, AgreeWithTheDefinitionsOnRandomLevels) {
  for (int round = 0; round < 4; ++round) {
    all_.clear();
    document_ = KivProcessDocument::Create();
    KivBaseUnknown_var root = document_->CreateRootActivity("Line").get();
    AddLevel(root.get(), 10, 2);
    int after = 0;
    for (const auto& p : all_)
      for (const auto& d : all_) {
        ASSERT_EQ(MoxBIWFlow::FoundInChildren(p.get(), d.get()),
                  LiteralFoundInChildren(p.get(), d.get()));
        const bool literal = LiteralAfter(p.get(), d.get());
        ASSERT_EQ(MoxBIWFlow::IsAssignedToAfterDestination(p.get(), d.get()), literal);
        after += literal;
      }
    EXPECT_GT(after, 0);  // the levels do exercise the flow
  }
}

TEST_F(FlowQueriesTest, EndOnAPrecedenceCycle) {
  KivBaseUnknown_var root = document_->CreateRootActivity("Line").get();
  auto make = [&](const char* name) {
    return KivBaseUnknown_var(document_->CreateActivity(root.get(), "BIWActivityStation", name).get());
  };
  KivBaseUnknown_var a = make("A"), b = make("B"), c = make("C"), off = make("Off");
  document_->AddPrecedence(a.get(), b.get());
  document_->AddPrecedence(b.get(), c.get());
  document_->AddPrecedence(c.get(), a.get());
  KivBaseUnknown_var inside = document_->CreateActivity(c.get(), "BIWActivityLoading", "In").get();
  EXPECT_TRUE(MoxBIWFlow::IsAssignedToAfterDestination(inside.get(), a.get()));
  EXPECT_TRUE(MoxBIWFlow::IsAssignedToAfterDestination(a.get(), a.get()));
  EXPECT_FALSE(MoxBIWFlow::IsAssignedToAfterDestination(off.get(), a.get()));
}
}  // namespace
