#include <gtest/gtest.h>

#include "KivFatalError.h"
#include "KivHashDico.h"
#include "KivImplement.h"
#include "KivList.h"
#include "KivUnicodeString.h"

namespace {
class TstThing : public KivImplement<> {
  KIV_CLASS(TstThing, KivBaseUnknown, "Tests")
};
}  // namespace

TEST(ListTest, IsOneBasedAndRefusesOutOfRangeQuietlyWhereAsked) {
  KivListOfInt list{10, 20, 30};
  EXPECT_EQ(list.Size(), 3);
  EXPECT_EQ(std::vector({list[1], list[3], list.Get(0), list.Get(4)}), std::vector({10, 30, 0, 0}));
  EXPECT_EQ(std::vector({list.Locate(20), list.Locate(99), list.Locate(10, 2)}),
            std::vector({2, 0, 0}));
  EXPECT_FALSE(list.RemovePosition(0));
  EXPECT_FALSE(list.RemovePosition(4));
  EXPECT_TRUE(list.RemovePosition(1));
  EXPECT_TRUE(list.InsertAt(3, 40));
  EXPECT_FALSE(list.InsertAt(5, 50));
  ASSERT_EQ(list.Size(), 3);
  EXPECT_EQ(std::vector({list[1], list[2], list[3]}), std::vector({20, 30, 40}));
}

TEST(ListDeathTest, IndexOutOfRangeIsAnOrderlyStop) {
  KivListOfInt list{1};
  EXPECT_EXIT((void)list[2], ::testing::ExitedWithCode(kKivFatalExitStatus), "list index");
}

TEST(ListTest, RemovesDuplicatesKeepingTheFirstAndNulls) {
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

TEST(UnicodeStringTest, CountsAndCutsInCharacters) {
  const KivUnicodeString text("Schweißstation Ü1 → 溶接");
  EXPECT_EQ(text.GetLengthInChar(), 22);
  EXPECT_EQ(text.Left(7).ConvertToUTF8(), "Schweiß");
  EXPECT_EQ(text.SubString(18, 1).ConvertToUTF8(), "→");
  EXPECT_EQ(text.SubString(20).ConvertToUTF8(), "溶接");
  EXPECT_EQ(text.SubString(100).ConvertToUTF8(), "");
  EXPECT_EQ(text.SubString(-3, 2).ConvertToUTF8(), "Sc");
  EXPECT_EQ(text.Left(1000), text);
  EXPECT_EQ(text.FindPosition(KivUnicodeString("Ü")), 15);
  EXPECT_EQ(text.FindPosition(KivUnicodeString("x")), -1);
  EXPECT_TRUE(text.StartsWith(KivUnicodeString("Schw")));
  EXPECT_FALSE(KivUnicodeString("Sc").StartsWith(text));
  // Every cut of the string stays valid UTF-8 that decodes to the same characters.
  for (int n = 0; n <= text.GetLengthInChar(); ++n)
    EXPECT_EQ(KivUnicodeString(text.Left(n).ConvertToUTF8()).GetLengthInChar(), n);
}

TEST(UnicodeStringTest, MalformedInputBecomesReplacementCharacters) {
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
  EXPECT_EQ(dico.Locate("x"), &c);
  dico.RemoveAll();
  EXPECT_EQ(dico.Size(), 0);
  EXPECT_EQ(dico.FirstItem(), nullptr);
}

TEST(FatalErrorDeathTest, StopsWithTheAssertionSourcePathAndLineAndANonZeroStatus) {
  EXPECT_EXIT(KivFatalError("AssertionFailed:NULL_var != hRootProcess",
                            "MoxPexViewers/MoxPexViewerCmds.m/src/MoxPexProductFlowViewerCmd", 269),
              testing::ExitedWithCode(kKivFatalExitStatus),
              "AssertionFailed:NULL_var != hRootProcess\n.*MoxPexViewers/MoxPexViewerCmds\\.m/src/"
              "MoxPexProductFlowViewerCmd, line 269");
  // Even without texts.
  EXPECT_EXIT(KivFatalError(nullptr, nullptr, 0), testing::ExitedWithCode(kKivFatalExitStatus),
              "Fatal error");
}
