#include <string>
#include <vector>

#include "KivCommand.h"
#include "KivDialogTestSupport.h"

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

}  // namespace
