#include <gtest/gtest.h>

#include "KivDelayedDestruction.h"
#include "KivExtension.h"
#include "KivImplement.h"
#include "KivInterfaceRegistry.h"
#include "KivLeakCheck.h"
#include "KivVar.h"

// A small component family: an animal with a given-GUID interface, a dog that
// adds one, and extensions bound by late type.
inline constexpr IID IID_TstIAnimal = KivGUID::Literal("{11111111-2222-3333-4444-555555555555}");
inline constexpr IID IID_TstIBarker = KivGUID::FromName("TstIBarker");
inline constexpr IID IID_TstICounter = KivGUID::FromName("TstICounter");
inline constexpr IID IID_TstIWalker = KivGUID::FromName("TstIWalker");

class TstIAnimal : public virtual KivBaseUnknown {
  KIV_INTERFACE(TstIAnimal)
  virtual int Legs() = 0;
};
class TstIBarker : public virtual KivBaseUnknown {
  KIV_INTERFACE(TstIBarker)
  virtual const char* Bark() = 0;
};
class TstICounter : public virtual KivBaseUnknown {
  KIV_INTERFACE(TstICounter)
  virtual int Next() = 0;
};
class TstIWalker : public virtual KivBaseUnknown {
  KIV_INTERFACE(TstIWalker)
  virtual int Steps(int legsMultiplier) = 0;
};
KIV_DECLARE_VAR(TstIAnimal);
KIV_DECLARE_VAR(TstIBarker);
KIV_DECLARE_VAR(TstICounter);
KIV_DECLARE_VAR(TstIWalker);

KIV_REGISTER_INTERFACE_NAME(TstIAnimal);

class TstAnimal : public KivImplement<TstIAnimal> {
  KIV_CLASS(TstAnimal, KivBaseUnknown, "Tests")
  int Legs() override { return 4; }
  const char* GetLateType() const override { return "TstLateAnimal"; }
};

class TstDog : public KivExtend<TstAnimal, TstIBarker> {
  KIV_CLASS(TstDog, TstAnimal, "Tests")
  const char* Bark() override { return "woof"; }
};

struct TstCounterExt : KivExtend<KivExtension, TstICounter> {
  int Next() override { return ++count; }
  int count = 0;
};
KIV_BOA_DATA_EXTENSION(TstICounter, TstCounterExt, "TstLateAnimal");

// A tie forwarding to the animal's own implementation.
struct TstWalkerTie : KivExtend<KivExtension, TstIWalker> {
  int Steps(int m) override { return dynamic_cast<TstAnimal*>(GetImpl())->Legs() * m; }
};
KIV_TIE_BINDING(TstIWalker, TstAnimal, TstWalkerTie);

class ComponentModelTest : public LeakCheckedTest {};

TEST_F(ComponentModelTest, HandlesQueryByInterfaceOrNameAndBalanceReferences) {
  auto dog = KivMake<TstDog>();
  EXPECT_EQ(dog->RefCount(), 1u);
  {
    TstIAnimal_var animal = dog;
    TstIBarker_var barker = animal;
    ASSERT_TRUE(animal && barker);
    EXPECT_STREQ(barker->Bark(), "woof");
    EXPECT_EQ(animal->Legs(), 4);
    EXPECT_EQ(dog->RefCount(), 3u);
    EXPECT_TRUE(animal == barker) << "two interfaces of one component are the same object";
  }
  EXPECT_EQ(dog->RefCount(), 1u);

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
  EXPECT_STREQ(dog->IsA(), "TstDog");
  for (const char* kind : {"TstDog", "TstAnimal", "KivBaseUnknown"})
    EXPECT_TRUE(dog->IsAKindOf(kind)) << kind;
  EXPECT_FALSE(dog->IsAKindOf("TstCat"));
  EXPECT_FALSE(dog->IsAKindOf(nullptr));
}

TEST_F(ComponentModelTest, DataExtensionKeepsStatePerComponentAndTiesForwardToTheImplementation) {
  auto rex = KivMake<TstDog>();
  auto fido = KivMake<TstDog>();
  TstICounter_var rexCounter = rex;
  ASSERT_TRUE(rexCounter);
  EXPECT_EQ(rexCounter->Next(), 1);
  EXPECT_EQ(rexCounter->Next(), 2);
  // Queried again through another interface: the same extension, same state.
  EXPECT_EQ(TstICounter_var(TstIAnimal_var(rex))->Next(), 3);
  // Another component has its own.
  EXPECT_EQ(TstICounter_var(fido)->Next(), 1);
  // The extension's references are the component's, and it answers the
  // component's interfaces and identity.
  EXPECT_EQ(rex->RefCount(), 2u);
  EXPECT_STREQ(TstIBarker_var(rexCounter)->Bark(), "woof");
  EXPECT_TRUE(KivBaseUnknown_var(rexCounter) == KivBaseUnknown_var(rex));
  EXPECT_EQ(rexCounter->GetImpl(), static_cast<KivBaseUnknown*>(rex.get()));

  TstIWalker_var walker;
  {
    auto animal = KivMake<TstAnimal>();
    walker = animal;
    ASSERT_TRUE(walker);
    EXPECT_EQ(walker->Steps(10), 40);
  }
  // The tie holds the component: it is still usable after the creator let go.
  EXPECT_EQ(walker->Steps(2), 8);
  // Derived classes inherit the binding of their base class.
  TstIWalker_var dogWalker = rex;
  ASSERT_TRUE(dogWalker);
  EXPECT_EQ(dogWalker->Steps(1), 4);
}

TEST_F(ComponentModelTest, DelayedDestructionWaitsForTheFlush) {
  auto* dog = new TstDog();
  const long before = KivBaseUnknown::LiveInstances();
  dog->RequestDelayedDestruction();
  EXPECT_EQ(KivBaseUnknown::LiveInstances(), before);
  EXPECT_EQ(KivDelayedDestruction::Flush(), 1u);
  EXPECT_EQ(KivBaseUnknown::LiveInstances(), before - 1);
}

TEST(GuidTest, ParsesAndFormatsTheTextualForm) {
  KivGUID g;
  EXPECT_TRUE(KivGUID::Parse("{69A21240-62C8-11D6-80F7-0050040CD0C6}", g));
  EXPECT_EQ(g.ToString(), "{69A21240-62C8-11D6-80F7-0050040CD0C6}");
  EXPECT_TRUE(KivGUID::Parse("69a21240-62c8-11d6-80f7-0050040cd0c6", g));
  for (const char* bad :
       {"{69A21240-62C8-11D6-80F7-0050040CD0C}", "{69A21240+62C8-11D6-80F7-0050040CD0C6}",
        "{69A2124G-62C8-11D6-80F7-0050040CD0C6}"})
    EXPECT_FALSE(KivGUID::Parse(bad, g)) << bad;
  EXPECT_NE(KivGUID::FromName("A"), KivGUID::FromName("B"));
  EXPECT_EQ(KivGUID::FromName("A"), KivGUID::FromName("A"));
}
