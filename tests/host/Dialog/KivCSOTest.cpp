#include <string>
#include <vector>

#include "KivCSOChangeNotification.h"
#include "KivDialogTestSupport.h"
#include "KivIPathAccess.h"

namespace {

class CSOTest : public DialogFixture {};

std::string Labels(const KivListValKivBaseUnknown_var& paths) {
  std::string out;
  for (const auto& p : paths) out += LabelOf(KivAsPathElement(p.get())->GetLeaf()).str();
  return out;
}

TEST_F(CSOTest, ChangeNotificationsCarryAddedAndRemovedElements) {
  auto cso = KivMake<KivCSO>();
  auto a = KivMake<TstActivity>("A"), b = KivMake<TstActivity>("B");
  std::vector<std::string> heard;
  AddCallback(cso, "KivCSOChangeNotification", [&](KivBaseUnknown*, KivNotification* n, void*) {
    auto* change = dynamic_cast<KivCSOChangeNotification*>(n);
    ASSERT_NE(change, nullptr);
    heard.push_back("+" + Labels(change->GetAddedElements()) + " -" +
                    Labels(change->GetRemovedElements()));
  });
  KivListValKivBaseUnknown_var both;
  both.Append(KivBaseUnknown_var(KivMake<KivPathElement>(a.get())));
  both.Append(KivBaseUnknown_var(KivMake<KivPathElement>(b.get())));
  EXPECT_TRUE(cso->AddElements(both));
  EXPECT_FALSE(cso->AddElement(KivMake<KivPathElement>(a.get()))) << "already selected";
  EXPECT_TRUE(cso->RemoveElement(KivMake<KivPathElement>(a.get())));
  EXPECT_FALSE(cso->RemoveElement(KivMake<KivPathElement>(a.get())));
  EXPECT_TRUE(cso->AddElement(KivMake<KivPathElement>(a.get())));
  EXPECT_TRUE(cso->Empty());
  EXPECT_FALSE(cso->Empty()) << "emptying an empty set changes nothing";
  EXPECT_EQ(heard, (std::vector<std::string>{"+AB -", "+ -A", "+A -", "+ -BA"}));
}

TEST_F(CSOTest, PathsAreTheSameWhenTheirObjectsAre) {
  auto root = KivMake<TstActivity>("R"), a = KivMake<TstActivity>("A");
  auto underRoot = KivMake<KivPathElement>(root.get());
  underRoot->AddChildElement(a);
  auto alone = KivMake<KivPathElement>(a.get());
  EXPECT_FALSE(underRoot->IsSamePath(alone)) << "same leaf, other context";
  EXPECT_EQ(underRoot->GetLeaf(), a.get());
  EXPECT_EQ(underRoot->GetFatherElement(), root.get());
  EXPECT_EQ(underRoot->GetElement(3), nullptr);
  auto cso = KivMake<KivCSO>();
  cso->AddElement(underRoot);
  cso->AddElement(alone);
  EXPECT_EQ(cso->GetSize(), 2);
  EXPECT_TRUE(cso->RemoveElementsOf(a)) << "removal by object takes every path of it";
  EXPECT_TRUE(cso->IsEmpty());

  EXPECT_EQ(underRoot->SearchObject("TstIActivity"), a.get()) << "search starts at the leaf";
  EXPECT_EQ(underRoot->SearchObject("KivIPathAccess"), nullptr);
}

// An object that knows its own path.
class TstNested : public KivImplement<KivIPathAccess> {
  KIV_CLASS(TstNested, KivBaseUnknown, "Tests")
 public:
  explicit TstNested(KivBaseUnknown* parent) : parent_(parent) {}
  KivPathElement_var GetPathElement() override {
    auto path = KivMake<KivPathElement>(parent_.get());
    path->AddChildElement(this);
    return path;
  }

 private:
  KivBaseUnknown_var parent_;
};

TEST_F(CSOTest, PathOfAnObjectUsesItsPathAccess) {
  auto root = KivMake<TstThing>();
  auto nested = KivMake<TstNested>(root.get());
  KivPathElement_var path = KivBuildPathElement(nested);
  ASSERT_TRUE(path);
  EXPECT_EQ(path->GetSize(), 2);
  EXPECT_EQ(path->GetRoot(), root.get());
  EXPECT_EQ(KivBuildPathElement(root)->GetSize(), 1);
  EXPECT_FALSE(KivBuildPathElement(nullptr));
}

}  // namespace
