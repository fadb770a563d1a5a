// Extensions attach to the model's components by late type, and the root
// activity alone answers the process-wide interfaces.
#include "KivExtension.h"
#include "KivISPPActivityModificationEvents.h"
#include "KivISPPActivityRoot.h"
#include "KivProcessModelTestSupport.h"
#include "MoxIUpdateManufAssly.h"

inline constexpr IID IID_TstIActivityNote = KivGUID::FromName("TstIActivityNote");
class TstIActivityNote : public virtual KivBaseUnknown {
  KIV_INTERFACE(TstIActivityNote)
 public:
  virtual int Touch() = 0;
};
KIV_DECLARE_VAR(TstIActivityNote);

// A data extension of every activity, the way the plug-in's managers are.
class TstActivityNote : public KivExtend<KivExtension, TstIActivityNote> {
 public:
  int Touch() override { return ++touched_; }

 private:
  int touched_ = 0;
};
KIV_BOA_DATA_EXTENSION(TstIActivityNote, TstActivityNote, "PhysicalActivity");
// The same interface on product input links only.
class TstLinkNote : public KivExtend<KivExtension, TstIActivityNote> {
 public:
  int Touch() override { return 100; }
};
KIV_BOA_CODE_EXTENSION(TstIActivityNote, TstLinkNote, "ProductInput");

using LateTypeTest = ProcessModelTest;

TEST_F(LateTypeTest, ExtensionsAttachByLateType) {
  auto a = Station("A");
  auto weld = Child(a, "BIWActivitySpotWelding", "Weld");
  EXPECT_EQ(TstIActivityNote_var(a)->Touch(), 1);
  EXPECT_EQ(TstIActivityNote_var(a)->Touch(), 2) << "the extension keeps its state";
  EXPECT_EQ(TstIActivityNote_var(weld)->Touch(), 1) << "one extension per activity";
  EXPECT_EQ(TstIActivityNote_var(TstIActivityNote_var(a)), KivBaseUnknown_var(a));
  EXPECT_FALSE(TstIActivityNote_var(KivISPPChildManagement_var(a)->GetStartNode()))
      << "Start and Stop nodes are no PhysicalActivity";
  // Links are extended by their direction.
  auto panel = doc_->CreateProduct(nullptr, "Panel");
  auto input = doc_->AddProductInput(a, panel);
  ASSERT_TRUE(TstIActivityNote_var(input));
  EXPECT_EQ(TstIActivityNote_var(input)->Touch(), 100);
  EXPECT_FALSE(TstIActivityNote_var(doc_->AddProductOutput(a, panel)));
}

TEST_F(LateTypeTest, OnlyTheRootAnswersTheProcessWideInterfaces) {
  auto a = Station("A");
  auto grouping = Child(root_, "BIWActivityGrouping", "G");
  auto nested = Child(grouping, "BIWActivityStation", "Nested");
  EXPECT_TRUE(KivISPPActivityRoot_var(root_));
  EXPECT_FALSE(KivISPPActivityRoot_var(a));
  EXPECT_FALSE(KivISPPActivityModificationEvents_var(nested));
  EXPECT_EQ(nested->GetRootActivity(), root_);

  KivISPPActivityModificationEvents_var events(root_);
  ASSERT_TRUE(events);
  EXPECT_EQ(events->GetNotificationDispatcher(), doc_->GetActivityEvents());
  MoxIUpdateManufAssly_var update(root_);
  ASSERT_TRUE(update);
  KivBoolean updating = 1;
  update->GetUpdateState(updating);
  EXPECT_EQ(updating, 0) << "not updating until told";
  EXPECT_FALSE(MoxIUpdateManufAssly_var(a));
}
