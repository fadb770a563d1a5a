// A list longer than its window: the scroll bar, dragging its thumb, hiding
// it, duplicates, and the window's size.
#include "KivDlgPushItem.h"
#include "KivISPPItem.h"
#include "MoxBaseScrollListZitBltRep.h"
#include "MoxListTestSupport.h"

namespace {
class MoxScrollListTest : public ListFixture {
 protected:
  void TearDown() override {
    list_ = NULL_var;
    ListFixture::TearDown();
  }
  // A list of `items` products at `location`, open unless said otherwise.
  MoxBaseScrollListZitBltRep* Make(const char* location, int items, bool open = true) {
    if (!line_.root) line_.Build(document_.get());
    list_ = KivVar<MoxBaseScrollListZitBltRep>::Adopt(dynamic_cast<MoxBaseScrollListZitBltRep*>(
        fctCreateMoxBaseScrollListZitBltRep(line_.s1.get())));
    list_->SetName("Resources");
    list_->SetLocation(location);
    list_->SetIcon("ZitBltResources");
    list_->BuildRep(viewer_);
    if (open) list_->ChangeBtnState();
    for (int i = 1; i <= items; ++i)
      list_->AppendItem(document_->CreateProduct(nullptr, "P" + std::to_string(i)).get(), 0);
    list_->DrawScrollList();
    return list_.get();
  }
  MoxScrollListRow Row(int index) {
    MoxScrollListRow row;
    list_->GetRow(index, row);
    return row;
  }
  std::string Visible() {
    std::string rows;
    for (int i = 1; i <= list_->GetRowCount(); ++i)
      if (Row(i).visible) rows += std::to_string(i);
    return rows;
  }
  KivBaseUnknown_var Visu(int row) { return Row(row).visu; }
  float LabelY(int row) {
    auto* rep =
        dynamic_cast<Kiv2DBagRep*>(MoxIScrollListZitBltItemVisu_var(Visu(row).get())->GiveRep());
    return dynamic_cast<Kiv2DBagRep*>(rep->GetChild(1))->GetMatrix()->GetTranslation().y;
  }
  // One drag of the thumb towards the window starting at row `first`, in
  // steps of about one row.
  void DragThumb(int first) {
    Kiv2DManipulator* thumb = list_->GetScrollManipulator();
    const KivMathVector2Df by = list_->GetThumbDragTo(first);
    const int steps = std::max(1, std::abs(first - list_->GetFirstVisible()));
    thumb->BeginDrag(viewer_, {0, 0});
    for (int i = 1; i <= steps; ++i) thumb->DragTo(viewer_, {0, by.y * i / steps});
    thumb->EndDrag(viewer_, {0, by.y});
  }
  KivVar<MoxBaseScrollListZitBltRep> list_;
};
}  // namespace

TEST_F(MoxScrollListTest, AListLongerThanItsWindowHasAScrollBarExceptAtTheMiddleOfASide) {
  Make("bottommiddle", 5);
  EXPECT_EQ(list_->GetScrollThumb(), nullptr);
  EXPECT_EQ(Visible(), "12345");
  Make("bottommiddle", 6);
  EXPECT_NE(list_->GetScrollThumb(), nullptr);
  EXPECT_EQ(Visible(), "12345");
  Make("leftmiddle", 6);
  EXPECT_EQ(list_->GetScrollThumb(), nullptr);
  EXPECT_EQ(Visible(), "12345");
  // A closed list draws its rows when it opens.
  Make("bottommiddle", 6, false);
  EXPECT_EQ(Visible(), "");
  EXPECT_EQ(list_->GetZitBltExpanded()->GetChildCount(), 0);
  list_->ChangeBtnState();
  EXPECT_EQ(Visible(), "12345");
}

TEST_F(MoxScrollListTest, TheThumbMovesTheWindowWithinTheListAndOneRowStepsMoveTheLabels) {
  for (const char* location : {"lefttop", "bottomleft"}) {
    Make(location, 8);
    const float row1 = LabelY(1), row2 = LabelY(2);
    const int children = list_->GetZitBltExpanded()->GetChildCount();
    const KivBaseUnknown_var first = Visu(3);
    DragThumb(2);
    EXPECT_EQ(list_->GetFirstVisible(), 2) << location;
    EXPECT_EQ(Visible(), "23456") << location;
    EXPECT_FLOAT_EQ(LabelY(2), row1) << location;  // the second row took the first's place
    EXPECT_EQ(list_->GetZitBltExpanded()->GetChildCount(), children) << location;
    EXPECT_TRUE(Visu(3) == first) << location;  // a one-row step rebuilds nothing
    DragThumb(10);
    EXPECT_EQ(Visible(), "45678") << location;
    EXPECT_FALSE(Visu(3) == first) << location;  // a jump rebuilds the list
    DragThumb(-20);
    EXPECT_EQ(Visible(), "12345") << location;
    EXPECT_FLOAT_EQ(LabelY(2), row2) << location;
  }
}

TEST_F(MoxScrollListTest, TheContextMenuHidesAndShowsTheScrollBarOfALongList) {
  KivVar<KivDlgContextualMenu> menu;
  const auto menuOf = [&](MoxBaseScrollListZitBltRep* list) {
    if (menu) menu->RemoveAllItems();
    menu = KivVar<KivDlgContextualMenu>::Adopt(new KivDlgContextualMenu(nullptr, "menu"));
    list->GetManipulator()->Context(viewer_, {0, 0}, menu.get());
    return menu;
  };
  menuOf(Make("topright", 5));
  EXPECT_EQ(menu->GetChildCount(), 0);
  menuOf(Make("topright", 7));
  ASSERT_EQ(menu->GetChildCount(), 1);
  EXPECT_EQ(menu->GetChild(1)->GetTitle(), KivUnicodeString("HideScrollBar"));
  ASSERT_TRUE(dynamic_cast<KivDlgPushItem*>(menu->GetChild(1))->Push());
  EXPECT_EQ(list_->GetScrollThumb(), nullptr);
  EXPECT_EQ(Visible(), "1234567");
  menuOf(list_.get());
  EXPECT_EQ(menu->GetChild(1)->GetTitle(), KivUnicodeString("ShowScrollBar"));
  menu->RemoveAllItems();
}

TEST_F(MoxScrollListTest, AnItemIsListedOnceAndAListWithoutItemsIsGrey) {
  MoxBaseScrollListZitBltRep* list = Make("topright", 0, false);
  EXPECT_TRUE(list->IsGrey());
  KivIProduct_var product(line_.panel.get());
  list->AppendItem(KivBaseUnknown_var(product.get()), 0);
  list->AppendItem(KivISPPItem_var(line_.panel.get()).get(), 1);  // the same, seen otherwise
  list->AppendItem(NULL_var, 0);
  list->DrawScrollList();
  EXPECT_EQ(list->GetRowCount(), 1);
  EXPECT_FALSE(list->IsGrey());
}

TEST_F(MoxScrollListTest, ScrollListRangeSetsTheWindowUnlessItIsNoNumberOfRows) {
  for (const auto& [value, range] : {std::pair{"3", 3}, {"abc", 5}, {"0", 5}, {"", 5}}) {
    setenv("ScrollListRange", value, 1);
    EXPECT_EQ(Make("topright", 1)->GetScrollRange(), range) << value;
  }
  unsetenv("ScrollListRange");
}

TEST_F(MoxScrollListTest, ADraggedButtonTakesItsListToTheCornerItIsNear) {
  MoxBaseScrollListZitBltRep* list = Make("topmiddle", 2);
  list->SetPoDPosition(0, 4);  // the top middle of the node box (-8, -4) .. (8, 4)
  list->SetPositioningLimits(-8, -4, 8, 4);
  Kiv2DManipulator* button = list->GetManipulator();
  button->BeginDrag(viewer_, {0, 0});
  button->DragTo(viewer_, {0, 0});  // still at the top middle: the list stays above the node
  EXPECT_EQ(list->GetLocation(), KivUnicodeString("topmiddle"));
  button->DragTo(viewer_, {-3, 0});
  EXPECT_EQ(list->GetLocation(), KivUnicodeString("topleft"));
  EXPECT_EQ(list->GetRowCount(), 2);
  button->EndDrag(viewer_, {-3, 0});
}
