// Commands pass notifications up to their fathers; the selection (CSO) holds
// paths to picked objects and reports each change.
#include <string>
#include <vector>

#include "KivCSOChangeNotification.h"
#include "KivCommand.h"
#include "KivDialogTestSupport.h"
#include "KivIPathAccess.h"

namespace {

class TstPing : public KivNotification {
  KIV_CLASS(TstPing, KivNotification, "Tests")
};

class CommandTest : public DialogFixture {};

TEST_F(CommandTest, NotificationsTravelUpTheFathersUntilHandled) {
  auto top = KivMake<KivCommand>(nullptr, "top");
  auto middle = KivMake<KivCommand>(top.get(), "middle");
  auto leaf = KivMake<KivCommand>(middle.get(), "leaf");
  auto ping = KivMake<TstPing>();
  std::vector<std::string> heard;
  top->AddAnalyseNotificationCB(leaf, ping.get(), [&](KivCommand* sender, KivNotification*, void*) {
    heard.push_back("top<-" + sender->GetName().str());
  });
  EXPECT_EQ(leaf->SendNotification(nullptr, ping), 1);
  EXPECT_EQ(heard, (std::vector<std::string>{"top<-leaf"}));
  const auto id = middle->AddAnalyseNotificationCB(
      nullptr, "TstPing", [&](KivCommand*, KivNotification*, void*) { heard.push_back("middle"); });
  leaf->SendNotification(nullptr, ping);
  EXPECT_EQ(heard.back(), "middle") << "the nearest father that handles it stops it";
  EXPECT_EQ(heard.size(), 2u);
  EXPECT_TRUE(middle->RemoveAnalyseNotificationCB(id));
  EXPECT_EQ(top->RemoveAnalyseNotificationCB(leaf, "TstPing"), 1);
  EXPECT_EQ(leaf->SendNotification(nullptr, ping), 0);
}

TEST_F(CommandTest, ListenersHearTheSenderAndADeadFatherIsForgotten) {
  auto leaf = KivMake<KivCommand>(nullptr, "leaf");
  auto ping = KivMake<TstPing>();
  int heard = 0;
  const auto id =
      leaf->AddNotificationListener("TstPing", [&](KivCommand*, KivNotification*) { ++heard; });
  {
    auto father = KivMake<KivCommand>(nullptr, "father");
    leaf->SetFather(father);
    EXPECT_EQ(leaf->GetFather(), father.get());
  }
  EXPECT_EQ(leaf->GetFather(), nullptr) << "the father died first";
  EXPECT_EQ(leaf->SendNotification(nullptr, ping), 1);
  EXPECT_EQ(heard, 1);
  EXPECT_TRUE(leaf->RemoveNotificationListener(id));
  EXPECT_EQ(leaf->SendNotification(nullptr, ping), 0);
}

std::string Labels(const KivListValKivBaseUnknown_var& paths) {
  std::string out;
  for (const auto& p : paths) out += LabelOf(KivAsPathElement(p.get())->GetLeaf()).str();
  return out;
}

TEST_F(CommandTest, ChangeNotificationsCarryAddedAndRemovedElements) {
  auto cso = KivMake<KivCSO>();
  auto a = KivMake<TstActivity>("A"), b = KivMake<TstActivity>("B");
  std::vector<std::string> heard;
  AddCallback(cso, "KivCSOChangeNotification", [&](KivBaseUnknown*, KivNotification* n, void*) {
    auto* change = dynamic_cast<KivCSOChangeNotification*>(n);
    ASSERT_NE(change, nullptr);
    heard.push_back("+" + Labels(change->GetAddedElements()) + " -" +
                    Labels(change->GetRemovedElements()));
  });
  EXPECT_TRUE(cso->AddElements(PathsOf({a, b})));
  EXPECT_FALSE(cso->AddElement(KivMake<KivPathElement>(a.get()))) << "already selected";
  EXPECT_TRUE(cso->RemoveElement(KivMake<KivPathElement>(a.get())));
  EXPECT_FALSE(cso->RemoveElement(KivMake<KivPathElement>(a.get())));
  EXPECT_TRUE(cso->AddElement(KivMake<KivPathElement>(a.get())));
  EXPECT_TRUE(cso->Empty());
  EXPECT_FALSE(cso->Empty()) << "emptying an empty set changes nothing";
  EXPECT_EQ(heard, (std::vector<std::string>{"+AB -", "+ -A", "+A -", "+ -BA"}));
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

TEST_F(CommandTest, PathsAreTheSameWhenTheirObjectsAreAndObjectsMayKnowTheirPath) {
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

  auto nested = KivMake<TstNested>(root.get());
  KivPathElement_var path = KivBuildPathElement(nested);
  ASSERT_TRUE(path);
  EXPECT_EQ(path->GetSize(), 2);
  EXPECT_EQ(path->GetRoot(), root.get());
  EXPECT_EQ(KivBuildPathElement(root)->GetSize(), 1);
  EXPECT_FALSE(KivBuildPathElement(nullptr));
}

}  // namespace
