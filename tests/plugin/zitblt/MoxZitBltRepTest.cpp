// One status button: its icon, its two bags, clicks, drags and showing.
#include <chrono>

#include "Kiv2DImagePixelRep.h"
#include "KivApplicationFrame.h"
#include "KivDelayedDestruction.h"
#include "KivFrmEditor.h"
#include "KivViewer.h"
#include "MoxZitBltRep.h"
#include "MoxZitBltTestSupport.h"

namespace {
class MoxZitBltRepTest : public ZitBltFixture {
 protected:
  void SetUp() override {
    ZitBltFixture::SetUp();
    viewer_ = KivMake<KivViewer>("test");
  }
  void TearDown() override {
    rep_ = NULL_var;
    viewer_ = NULL_var;
    ZitBltFixture::TearDown();
  }
  // A built button at a location, its origin at (x, y), limited to the node
  // box (-8, -4) .. (8, 4).
  MoxZitBltRep* Build(const char* location, const char* icon = "Red", double x = 0.0,
                      double y = 0.0) {
    rep_ = KivVar<MoxZitBltRep>::Adopt(dynamic_cast<MoxZitBltRep*>(fctCreateMoxZitBltRep()));
    rep_->SetLocation(location);
    rep_->SetIcon(icon);
    rep_->BuildRep(viewer_);
    rep_->SetPoDPosition(x, y);
    rep_->SetPositioningLimits(-8.0, -4.0, 8.0, 4.0);
    return rep_.get();
  }
  Kiv2DImagePixelRep* Icon() const {
    return dynamic_cast<Kiv2DImagePixelRep*>(rep_->GetZitBltBtn()->GetChild(1));
  }
  KivMathPoint2Df PoD() const {
    double x = -99, y = -99;
    rep_->GetPoDPosition(x, y);
    return {static_cast<float>(x), static_cast<float>(y)};
  }
  // One drag step of the button's manipulator to the pointer point (x, y).
  void DragTo(float x, float y) { rep_->GetManipulator()->DragTo(viewer_, {x, y}); }

  KivVar<KivViewer> viewer_;
  KivVar<MoxZitBltRep> rep_;
};
}  // namespace

TEST_F(MoxZitBltRepTest, DrawsItsIconOnTheSideNamedByTheLocation) {
  // 16-pixel icons are 4 units wide; the icon's corner is (-2, -2) moved by
  // half the icon towards the named side.
  const struct {
    const char* location;
    float x, y;
  } expected[] = {
      {"lefttop", -4, -4},      {"leftmiddle", -4, -2},
      {"leftbottom", -4, -4},   {"righttop", 0, -4},
      {"rightmiddle", 0, -2},   {"rightbottom", 0, -4},
      {"topleft", 0, 0},        {"topmiddle", -2, 0},
      {"topright", -4, 0},      {"bottomleft", 0, -4},
      {"bottommiddle", -2, -4}, {"bottomright", -4, -4},
      {"nowhere", -2, -2},      {"", -2, -2},
  };
  for (const auto& e : expected) {
    Build(e.location);
    ASSERT_EQ(rep_->GetZitBltBtn()->GetChildCount(), 1) << e.location;
    ASSERT_NE(Icon(), nullptr);
    EXPECT_EQ(Icon()->GetOrigin(), (KivMathPoint2Df{e.x, e.y})) << e.location;
    EXPECT_EQ(Icon()->GetAlphaMode(), 1);
  }
}

TEST_F(MoxZitBltRepTest, StartsCollapsedAndAClickTogglesTheList) {
  Build("rightmiddle");
  EXPECT_TRUE(rep_->IsButtonCollapse());
  EXPECT_EQ(rep_->GetZitBltExpanded()->GetShowMode(), KivRep::kHidden);
  EXPECT_EQ(rep_->GetZitBltBtn()->GetShowMode(), KivRep::kShown);
  EXPECT_EQ(rep_->GetManipulator()->GetName(), "ActivManip");

  rep_->GetManipulator()->Click(viewer_, {1, 0});
  EXPECT_FALSE(rep_->IsButtonCollapse());
  EXPECT_EQ(rep_->GetZitBltExpanded()->GetShowMode(), KivRep::kShown);
  rep_->GetManipulator()->Click(viewer_, {1, 0});
  EXPECT_TRUE(rep_->IsButtonCollapse());
  EXPECT_EQ(rep_->GetZitBltExpanded()->GetShowMode(), KivRep::kHidden);

  // Opening from outside leaves the click state alone: the next click still
  // opens (it decides from its own state).
  rep_->ExpandZitBlt();
  EXPECT_FALSE(rep_->IsButtonCollapse());
  rep_->ChangeBtnState();
  EXPECT_FALSE(rep_->IsButtonCollapse());
  EXPECT_EQ(rep_->GetZitBltExpanded()->GetShowMode(), KivRep::kShown);
}

TEST_F(MoxZitBltRepTest, StatusOneShowsZeroHidesAndOtherValuesChangeNothing) {
  Build("leftmiddle");
  rep_->SetStatus(0);
  EXPECT_EQ(rep_->GetStatus(), 0);
  EXPECT_EQ(rep_->GetZitBltBtn()->GetShowMode(), KivRep::kHidden);
  EXPECT_EQ(rep_->GetZitBltExpanded()->GetShowMode(), KivRep::kHidden);

  rep_->SetStatus(2);
  EXPECT_EQ(rep_->GetStatus(), 2);
  EXPECT_EQ(rep_->GetZitBltBtn()->GetShowMode(), KivRep::kHidden);

  // Showing a closed button does not open its list; an open one shows it.
  rep_->SetStatus(1);
  EXPECT_EQ(rep_->GetZitBltBtn()->GetShowMode(), KivRep::kShown);
  EXPECT_EQ(rep_->GetZitBltExpanded()->GetShowMode(), KivRep::kHidden);
  rep_->ChangeBtnState();
  rep_->SetStatus(0);
  EXPECT_EQ(rep_->GetZitBltExpanded()->GetShowMode(), KivRep::kHidden);
  rep_->SetStatus(1);
  EXPECT_EQ(rep_->GetZitBltExpanded()->GetShowMode(), KivRep::kShown);
  rep_->SetStatus(2);
  EXPECT_EQ(rep_->GetZitBltExpanded()->GetShowMode(), KivRep::kShown);

  // A hidden button stays hidden when it is built again.
  rep_->SetStatus(0);
  rep_->BuildRep(viewer_);
  EXPECT_EQ(rep_->GetZitBltBtn()->GetShowMode(), KivRep::kHidden);
}

TEST_F(MoxZitBltRepTest, GreyAndColourIconsReplaceEachOther) {
  Build("topmiddle");
  ASSERT_NE(Icon(), nullptr);
  EXPECT_FALSE(Icon()->GetPixelImage()->IsGrey());
  rep_->SetZitbltButtonGrey(1);
  ASSERT_EQ(rep_->GetZitBltBtn()->GetChildCount(), 1);
  EXPECT_TRUE(Icon()->GetPixelImage()->IsGrey());
  EXPECT_TRUE(rep_->IsGrey());
  rep_->SetZitbltButtonGrey(0);
  ASSERT_EQ(rep_->GetZitBltBtn()->GetChildCount(), 1);
  EXPECT_FALSE(Icon()->GetPixelImage()->IsGrey());
  EXPECT_EQ(Icon()->GetPixelImage()->GetPixel(0, 0), (KivRgba{220, 30, 30, 255}));
}

TEST_F(MoxZitBltRepTest, AMissingIconLeavesAnEmptyButtonOrKeepsThePresentOne) {
  Build("topmiddle", "NoSuchIcon");
  EXPECT_EQ(rep_->GetZitBltBtn()->GetChildCount(), 0);
  Build("topmiddle", "");
  EXPECT_EQ(rep_->GetZitBltBtn()->GetChildCount(), 0);
  Build("topmiddle", "Blue");
  rep_->SetIcon("NoSuchIcon");
  rep_->SetZitbltButtonGrey(1);
  ASSERT_EQ(rep_->GetZitBltBtn()->GetChildCount(), 1);
  EXPECT_FALSE(Icon()->GetPixelImage()->IsGrey());
}

TEST_F(MoxZitBltRepTest, DoesNothingBeforeItIsBuilt) {
  rep_ = KivVar<MoxZitBltRep>::Adopt(dynamic_cast<MoxZitBltRep*>(fctCreateMoxZitBltRep()));
  double x = 7, y = 9;
  rep_->SetPoDPosition(1, 1);
  rep_->TransfromPoD(1, 1);
  rep_->GetPoDPosition(x, y);
  EXPECT_EQ(x, 7);
  EXPECT_EQ(y, 9);
  rep_->SetPositioningLimits(-8, -4, 8, 4);
  double a = 1, b = 1, c = 1, d = 1;
  rep_->GetPositioningLimits(a, b, c, d);
  EXPECT_EQ(a, 0.0);
  EXPECT_EQ(d, 0.0);
  rep_->SetStatus(0);
  rep_->ExpandZitBlt();
  EXPECT_EQ(rep_->GetZitBltBtn(), nullptr);
  EXPECT_EQ(rep_->EmptyExpandedBagRep(), E_FAIL);
}

// A side button moves only up and down its side, a top one only across,
// each within its limits: a step beyond them is refused and the next one is
// measured from the last accepted point; on the limit itself is allowed.
TEST_F(MoxZitBltRepTest, AButtonIsDraggedAlongItsSideWithinItsLimits) {
  const struct {
    const char* location;
    KivMathPoint2Df at;
    std::vector<std::pair<KivMathPoint2Df, KivMathPoint2Df>> steps;  // pointer, button
  } cases[] = {
      {"rightmiddle",
       {8, 0},
       {{{9, 3}, {8, 3}}, {{9, 7}, {8, 3}}, {{9, 5}, {8, 5}}, {{9, -2}, {8, -2}},
        {{9, -2.5f}, {8, -2}}}},
      {"topmiddle", {0, 4}, {{{3, 10}, {3, 4}}, {{11, 10}, {3, 4}}, {{-10, 0}, {-10, 4}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.location);
    Build(c.location, "Red", c.at.x, c.at.y);
    rep_->GetManipulator()->BeginDrag(viewer_, c.at);
    for (const auto& [pointer, button] : c.steps) {
      DragTo(pointer.x, pointer.y);
      EXPECT_EQ(PoD(), button) << pointer.x << ", " << pointer.y;
    }
    rep_->GetManipulator()->EndDrag(viewer_, c.steps.back().first);
    // The list moves with the button.
    EXPECT_EQ(rep_->GetZitBltExpanded()->GetMatrix()->GetTranslation(),
              (KivMathVector2Df{PoD().x, PoD().y}));
  }
  EXPECT_TRUE(rep_->MovesHorizontally());
  EXPECT_FALSE(rep_->MovesVertically());
  // The next drag continues from where the pointer left the last one.
  rep_->GetManipulator()->BeginDrag(viewer_, {0, 0});
  DragTo(1, 0);
  EXPECT_EQ(PoD(), (KivMathPoint2Df{-9, 4}));
}

TEST_F(MoxZitBltRepTest, RebuildingReplacesTheBagsInTheEditorsRegistry) {
  auto document = KivProcessDocument::Create();
  KivFrmEditor* editor = KivApplicationFrame::GetFrame()->OpenEditor(document);
  ASSERT_NE(editor, nullptr);
  KivVis2DRegistry* registry = editor->GetVis2DRegistry();
  const int before = registry->GetModelCount();
  Build("lefttop");
  EXPECT_EQ(registry->GetModelCount(), before + 2);
  Kiv2DBagRep* firstBag = rep_->GetZitBltBtn();
  rep_->BuildRep(viewer_);
  EXPECT_EQ(registry->GetModelCount(), before + 2);
  EXPECT_NE(rep_->GetZitBltBtn(), firstBag);
  for (const auto& model : registry->GetModels()) EXPECT_NE(model->GetRep(), firstBag);
  rep_ = NULL_var;
  EXPECT_EQ(registry->GetModelCount(), before);
}

TEST_F(MoxZitBltRepTest, AnIconIsDecodedOnceButReadAgainWhenTheFileChanges) {
  Build("topmiddle", "Red");
  KivPixelImage* first = Icon()->GetPixelImage();
  Build("topmiddle", "Red");
  // Every button gets an image of its own (over shared pixels).
  EXPECT_NE(Icon()->GetPixelImage(), first);
  const auto file = folder_ / "icons" / "Red.bmp";
  const auto written = std::filesystem::last_write_time(file);
  WriteTestIcon(file, 30, 200, 30);
  std::filesystem::last_write_time(file, written + std::chrono::seconds(2));
  KivDelayedDestruction::Flush();  // the next user event sees the new file
  Build("topmiddle", "Red");
  EXPECT_EQ(Icon()->GetPixelImage()->GetPixel(5, 5), (KivRgba{30, 200, 30, 255}));
  std::filesystem::remove(file);
  KivDelayedDestruction::Flush();
  Build("topmiddle", "Red");
  EXPECT_EQ(rep_->GetZitBltBtn()->GetChildCount(), 0);
}
