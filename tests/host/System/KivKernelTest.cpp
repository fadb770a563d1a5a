// The component kernel: callbacks and their removal, interfaces, extensions
// and ties, reference counts and delayed destruction, identifiers, lists,
// strings, dictionaries, fatal errors and traces.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "KivCallback.h"
#include "KivExtension.h"
#include "KivFatalError.h"
#include "KivHashDico.h"
#include "KivImplement.h"
#include "KivInterfaceRegistry.h"
#include "KivLeakCheck.h"
#include "KivList.h"
#include "KivTestSupport.h"
#include "KivTrace.h"
#include "KivUnicodeString.h"
#include "KivVar.h"

// A small component family: an animal with a given-GUID interface, a dog that
// adds one, and a tie bound to the animal's class.
inline constexpr IID IID_TstIAnimal = KivGUID::Literal("{11111111-2222-3333-4444-555555555555}");
inline constexpr IID IID_TstIBarker = KivGUID::FromName("TstIBarker");
inline constexpr IID IID_TstIWalker = KivGUID::FromName("TstIWalker");

class TstIAnimal : public virtual KivBaseUnknown {
  KIV_INTERFACE(TstIAnimal)
  virtual int Legs() = 0;
};
class TstIBarker : public virtual KivBaseUnknown {
  KIV_INTERFACE(TstIBarker)
  virtual const char* Bark() = 0;
};
class TstIWalker : public virtual KivBaseUnknown {
  KIV_INTERFACE(TstIWalker)
  virtual int Steps(int legsMultiplier) = 0;
};
KIV_DECLARE_VAR(TstIAnimal);
KIV_DECLARE_VAR(TstIBarker);
KIV_DECLARE_VAR(TstIWalker);

KIV_REGISTER_INTERFACE_NAME(TstIAnimal);

class TstAnimal : public KivImplement<TstIAnimal> {
  KIV_CLASS(TstAnimal, KivBaseUnknown, "Tests")
  int Legs() override { return 4; }
};

class TstDog : public KivExtend<TstAnimal, TstIBarker> {
  KIV_CLASS(TstDog, TstAnimal, "Tests")
  const char* Bark() override { return "woof"; }
};

// A tie forwarding to the animal's own implementation.
struct TstWalkerTie : KivExtend<KivExtension, TstIWalker> {
  int Steps(int m) override { return dynamic_cast<TstAnimal*>(GetImpl())->Legs() * m; }
};
KIV_TIE_BINDING(TstIWalker, TstAnimal, TstWalkerTie);

class ComponentModelTest : public LeakCheckedTest {};

TEST_F(ComponentModelTest, HandlesQueryByInterfaceOrNameAndBalanceReferences) {
  // (That queries and handles balance their references, every leak check
  // of the suite shows.)
  auto dog = KivMake<TstDog>();
  TstIAnimal_var animal = dog;
  TstIBarker_var barker = animal;
  ASSERT_TRUE(animal && barker);
  EXPECT_STREQ(barker->Bark(), "woof");
  EXPECT_EQ(animal->Legs(), 4);
  EXPECT_TRUE(animal == barker) << "two interfaces of one component are the same object";

  auto plain = KivMake<TstAnimal>();
  EXPECT_FALSE(TstIBarker_var(plain));
  // Class handles find the implementation behind any interface.
  EXPECT_EQ(KivVar<TstAnimal>(TstIBarker_var(dog))->Legs(), 4);
  EXPECT_FALSE(KivVar<TstDog>(plain));

  // By name, through the registered identifier.
  void* p = nullptr;
  ASSERT_EQ(dog->QueryInterface("TstIAnimal", &p), S_OK);
  EXPECT_EQ(static_cast<TstIAnimal*>(p)->Legs(), 4);
  static_cast<TstIAnimal*>(p)->Release();
  EXPECT_EQ(dog->QueryInterface("TstIUnknownThing", &p), E_NOINTERFACE);
  EXPECT_EQ(p, nullptr);

  // Kind tests walk the base chain.
  for (const char* kind : {"TstDog", "TstAnimal", "KivBaseUnknown"})
    EXPECT_TRUE(dog->IsAKindOf(kind)) << kind;
  EXPECT_FALSE(dog->IsAKindOf("TstCat"));
  EXPECT_FALSE(dog->IsAKindOf(nullptr));
}

// (A data extension's state per component, its references and interfaces
// being the component's, and a tie holding its component, the plug-in's
// managers and viewer ties rely on throughout its tests.)
TEST_F(ComponentModelTest, DerivedClassesInheritTheTieOfTheirBaseClass) {
  auto rex = KivMake<TstDog>();
  TstIWalker_var dogWalker = rex;
  ASSERT_TRUE(dogWalker);
  EXPECT_EQ(dogWalker->Steps(1), 4);
}

// (Delayed destruction waiting for the flush, the dialog tests show: their
// widgets die that way.)

TEST(GuidTest, ParsesAndFormatsTheTextualForm) {
  KivGUID g;
  EXPECT_TRUE(KivGUID::Parse("{69A21240-62C8-11D6-80F7-0050040CD0C6}", g));
  EXPECT_EQ(g.ToString(), "{69A21240-62C8-11D6-80F7-0050040CD0C6}");
  EXPECT_TRUE(KivGUID::Parse("69a21240-62c8-11d6-80f7-0050040cd0c6", g));
  for (const char* bad :
       {"{69A21240-62C8-11D6-80F7-0050040CD0C}", "{69A21240+62C8-11D6-80F7-0050040CD0C6}",
        "{69A2124G-62C8-11D6-80F7-0050040CD0C6}"})
    EXPECT_FALSE(KivGUID::Parse(bad, g)) << bad;
}

namespace {

class TstPing : public KivNotification {
  KIV_CLASS(TstPing, KivNotification, "Tests")
};
class TstLoudPing : public TstPing {
  KIV_CLASS(TstLoudPing, TstPing, "Tests")
};

// (Delivery by kind, derived notifications included, the chart tests rely on.)
TEST(CallbackTest, ClientDataIsPassedOnAndCallbacksAreRemovedByIdAndDuringADispatch) {
  auto loud = KivMake<TstLoudPing>();
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

  // Removal by id, and during a dispatch.
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
  EXPECT_EQ(publisher->Dispatch(loud), 1);
  EXPECT_EQ(std::pair(first, second), std::pair(1, 0));
  EXPECT_TRUE(RemoveCallback(firstId));
  EXPECT_FALSE(RemoveCallback(firstId)) << "an id is removed once";
  EXPECT_EQ(publisher->Dispatch(loud), 0);
  EXPECT_EQ(publisher->CallbackCount(), 0);
}

class TstThing : public KivImplement<> {
  KIV_CLASS(TstThing, KivBaseUnknown, "Tests")
};

TEST(ListTest, IsOneBasedRefusesOutOfRangeQuietlyAndDropsDuplicatesAndNulls) {
  KivListOfInt list{10, 20, 30};
  EXPECT_EQ(list.Size(), 3);
  EXPECT_EQ(std::vector({list[1], list[3], list.Get(0), list.Get(4)}), std::vector({10, 30, 0, 0}));
  EXPECT_EQ(std::vector({list.Locate(20), list.Locate(99), list.Locate(10, 2)}),
            std::vector({2, 0, 0}));
  EXPECT_EQ(std::vector({list.RemovePosition(0), list.RemovePosition(4), list.RemovePosition(1),
                         list.InsertAt(3, 40), list.InsertAt(5, 50)}),
            std::vector({false, false, true, true, false}));
  ASSERT_EQ(list.Size(), 3);
  EXPECT_EQ(std::vector({list[1], list[2], list[3]}), std::vector({20, 30, 40}));

  // Duplicates go, the first of each kept, and so do nulls.
  KivListValKivUnicodeString names{"b", "a", "b", "c", "a"};
  EXPECT_EQ(names.RemoveDuplicates(), 2);
  ASSERT_EQ(names.Size(), 3);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(names[i].ConvertToUTF8(), std::string(1, "bac"[i - 1]));

  const long live = KivBaseUnknown::LiveInstances();
  {
    auto one = KivMake<TstThing>();
    auto two = KivMake<TstThing>();
    KivListValKivBaseUnknown_var handles{one, NULL_var, two, one, NULL_var};
    EXPECT_EQ(handles.RemoveNulls(), 2);
    EXPECT_EQ(handles.RemoveDuplicates(), 1);
    ASSERT_EQ(handles.Size(), 2);
    EXPECT_TRUE(handles[1] == KivBaseUnknown_var(one));
    EXPECT_TRUE(handles.RemoveValue(one));
    EXPECT_FALSE(handles.RemoveValue(one));
    EXPECT_EQ(handles.Locate(two), 1);
  }
  EXPECT_EQ(KivBaseUnknown::LiveInstances(), live);
}

TEST(ListDeathTest, IndexOutOfRangeIsAnOrderlyStop) {
  KivListOfInt list{1};
  EXPECT_EXIT((void)list[2], ::testing::ExitedWithCode(kKivFatalExitStatus), "list index");
}

TEST(UnicodeStringTest, CountsAndCutsInCharactersAndReplacesMalformedInput) {
  const KivUnicodeString text("Schweißstation Ü1 → 溶接");
  EXPECT_EQ(text.GetLengthInChar(), 22);
  EXPECT_EQ(std::vector({text.Left(7), text.SubString(18, 1), text.SubString(20),
                         text.SubString(100), text.SubString(-3, 2)}),
            std::vector<KivUnicodeString>({"Schweiß", "→", "溶接", "", "Sc"}));
  EXPECT_EQ(text.Left(1000), text);
  EXPECT_EQ(text.FindPosition(KivUnicodeString("Ü")), 15);
  EXPECT_EQ(text.FindPosition(KivUnicodeString("x")), -1);
  EXPECT_TRUE(text.StartsWith(KivUnicodeString("Schw")));
  EXPECT_FALSE(KivUnicodeString("Sc").StartsWith(text));
  // Every cut of the string stays valid UTF-8 that decodes to the same characters.
  for (int n = 0; n <= text.GetLengthInChar(); ++n)
    EXPECT_EQ(KivUnicodeString(text.Left(n).ConvertToUTF8()).GetLengthInChar(), n);
  // Malformed input becomes replacement characters.
  const KivUnicodeString bad(std::string_view("a\xC3\x28z\xE2\x82", 6));
  EXPECT_EQ(bad.Characters(), std::u32string(U"a\xFFFD(z\xFFFD\xFFFD"));
  const KivUnicodeString overlong(std::string_view("\xC0\xAF", 2));
  EXPECT_EQ(overlong.Characters(), std::u32string(U"\xFFFD\xFFFD"));
}

TEST(HashDicoTest, KeepsTableOrderAndSharedKeys) {
  KivHashDico<int*> dico(10);
  int a = 1, b = 2, c = 3;
  dico.Insert("x", &a);
  dico.Insert("y", &b);
  dico.Insert("x", &c);
  EXPECT_EQ(dico.Size(), 3);
  EXPECT_EQ(dico.Locate("x"), &a);
  EXPECT_EQ(dico.Locate("z"), nullptr);
  std::vector<int> order;
  for (int* v = dico.FirstItem(); v; v = dico.NextItem()) order.push_back(*v);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(dico.Remove("x", &a));
  EXPECT_FALSE(dico.Remove("x", &a)) << "removed once";
  EXPECT_EQ(dico.Locate("x"), &c);
  EXPECT_EQ(dico.Values(), (std::vector<int*>{&b, &c})) << "a removed entry is walked no more";
  dico.RemoveAll();
  EXPECT_TRUE(dico.Size() == 0 && dico.FirstItem() == nullptr);
}

// (A fatal error's message with the assertion, its source and line, and its
// exit status, the viewer's death test shows.)

std::vector<KivTrace::Module> Named(const std::string& name) {
  std::vector<KivTrace::Module> found;
  for (const auto& m : KivTrace::RegisteredModules())
    if (m.name == name) found.push_back(m);
  return found;
}
std::string WrittenBy(const std::function<void()>& write) {
  testing::internal::CaptureStderr();
  write();
  return testing::internal::GetCapturedStderr();
}

TEST(TraceTest, ModulesRegisterOnceAndWriteWholeLinesOnlyWhenSwitchedOn) {
  {
    KivTrace first("KivTstTraceOnce", "Traces for the test");
    KivTrace second("KivTstTraceOnce", "Another description");
    const auto modules = Named("KivTstTraceOnce");
    ASSERT_EQ(modules.size(), 1u);
    EXPECT_EQ(modules[0].description, "Traces for the test");
  }
  EXPECT_TRUE(Named("KivTstTraceOnce").empty());

  // Whole lines are written only when the environment switches them on.
  KivTrace trace("KivTstTraceSwitch", "Traces for the test");
  {
    ScopedEnv off("KivTraces", nullptr);
    EXPECT_EQ(WrittenBy([&] { trace.Write("hidden -->"); }), "");
  }
  for (const char* list :
       {"KivTstTraceSwitch", "Other,KivTstTraceSwitch", "a:b KivTstTraceSwitch", "ALL"}) {
    ScopedEnv on("KivTraces", list);
    EXPECT_TRUE(trace.IsActive()) << list;
    EXPECT_EQ(WrittenBy([&] { trace.Write("Entry -->"); }), "[KivTstTraceSwitch] Entry -->\n")
        << list;
  }
  {
    ScopedEnv other("KivTraces", "KivTstTraceSwitchX,all");
    EXPECT_FALSE(trace.IsActive());
  }
  ScopedEnv on("KivTraces", "KivTstTraceSwitch");
  const std::string longText(3000, 'x');
  EXPECT_EQ(WrittenBy([&] { trace.Print("%s <-- %d", longText.c_str(), 42); }),
            "[KivTstTraceSwitch] " + longText + " <-- 42\n");
}

}  // namespace
