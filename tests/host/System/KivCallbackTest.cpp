#include <gtest/gtest.h>

#include <vector>

#include "KivCallback.h"
#include "KivDelayedDestruction.h"

namespace {
class TstPing : public KivNotification {
  KIV_CLASS(TstPing, KivNotification, "Tests")
};
class TstLoudPing : public TstPing {
  KIV_CLASS(TstLoudPing, TstPing, "Tests")
};
}  // namespace

TEST(CallbackTest, DeliversByKindIncludingDerivedNotificationsWithTheClientData) {
  auto publisher = KivMake<KivEventPublisher>();
  std::vector<std::string> heard;
  AddCallback(publisher, "TstPing", [&](KivBaseUnknown*, KivNotification* n, void*) {
    heard.push_back(std::string("ping:") + n->IsA());
  });
  AddCallback(publisher, "", [&](KivBaseUnknown*, KivNotification* n, void*) {
    heard.push_back(std::string("all:") + n->IsA());
  });
  auto loud = KivMake<TstLoudPing>();
  auto modify = KivMake<KivModify>(publisher.get(), IID_KivBaseUnknown, 1);
  EXPECT_EQ(publisher->Dispatch(loud), 2);
  EXPECT_EQ(publisher->Dispatch(modify), 1);
  EXPECT_EQ(heard,
            (std::vector<std::string>{"ping:TstLoudPing", "all:TstLoudPing", "all:KivModify"}));

  // A model's events pass the client data on and refuse a null notification.
  auto model = KivMake<KivModelEventsImpl>();
  KivIModelEvents_var events = model;
  ASSERT_TRUE(events);
  int data = 42, seen = 0;
  AddCallback(
      events->GetNotificationDispatcher(), "TstPing",
      [&](KivBaseUnknown*, KivNotification*, void* d) { seen = *static_cast<int*>(d); }, &data);
  EXPECT_EQ(events->Dispatch(loud), S_OK);
  EXPECT_EQ(seen, 42);
  EXPECT_EQ(events->Dispatch(nullptr), E_FAIL);
}

TEST(CallbackTest, RemovalByIdAndRemovalDuringDispatch) {
  auto publisher = KivMake<KivEventPublisher>();
  int first = 0, second = 0;
  KivCallbackId secondId = kKivNoCallback;
  const KivCallbackId firstId =
      AddCallback(publisher, "", [&](KivBaseUnknown*, KivNotification*, void*) {
        ++first;
        RemoveCallback(secondId);  // the later subscription must not run any more
      });
  secondId =
      AddCallback(publisher, "", [&](KivBaseUnknown*, KivNotification*, void*) { ++second; });
  EXPECT_NE(firstId, secondId);
  auto ping = KivMake<TstPing>();
  EXPECT_EQ(publisher->Dispatch(ping), 1);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 0);
  EXPECT_TRUE(RemoveCallback(firstId));
  EXPECT_FALSE(RemoveCallback(firstId)) << "an id is removed once";
  EXPECT_EQ(publisher->Dispatch(ping), 0);
  EXPECT_EQ(publisher->CallbackCount(), 0);
}
