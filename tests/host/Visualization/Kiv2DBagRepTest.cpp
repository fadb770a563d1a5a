#include <cmath>
#include <numbers>

#include "Kiv2DBagRep.h"
#include "Kiv2DLineRep.h"
#include "Kiv2DMarkerRep.h"
#include "KivVisTestSupport.h"

namespace {
KivVar<Kiv2DLineRep> NewLine(float x0, float y0, float x1, float y1) {
  return KivMake<Kiv2DLineRep>(KivMathPoint2Df(x0, y0), KivMathPoint2Df(x1, y1));
}
}  // namespace

class BagRepTest : public KivVisTest {};

TEST_F(BagRepTest, TheBagHoldsOneReferencePerChildAndReleasesItWithItself) {
  const long before = KivBaseUnknown::LiveInstances();
  {
    auto bag = KivMake<Kiv2DBagRep>();
    auto line = NewLine(0, 0, 1, 1);
    ASSERT_EQ(bag->AddChild(line), S_OK);
    EXPECT_EQ(line->RefCount(), 2u) << "the caller's handle and the bag's reference";
    EXPECT_EQ(line->GetFather(), bag.get());
    auto inner = KivMake<Kiv2DBagRep>();
    inner->AddChild(NewLine(0, 0, 2, 2));
    bag->AddChild(inner);
    EXPECT_EQ(KivBaseUnknown::LiveInstances(), before + 4);
  }
  EXPECT_EQ(KivBaseUnknown::LiveInstances(), before);
}

TEST_F(BagRepTest, TakingAChildOutHandsItBackAndDestroyReleasesIt) {
  auto bag = KivMake<Kiv2DBagRep>();
  auto first = NewLine(0, 0, 1, 0);
  bag->AddChild(first);
  bag->AddChild(NewLine(0, 0, 0, 1));

  KivVar<Kiv2DRep> taken = bag->RemoveChild(first);
  ASSERT_EQ(taken.get(), first.get());
  EXPECT_EQ(first->GetFather(), nullptr);
  EXPECT_EQ(bag->GetChildCount(), 1);
  EXPECT_FALSE(bag->RemoveChild(first)) << "not a child any more";

  // The handed-back rep can go into another bag.
  auto other = KivMake<Kiv2DBagRep>();
  EXPECT_EQ(other->AddChild(taken), S_OK);
  EXPECT_EQ(first->GetFather(), other.get());

  const long live = KivBaseUnknown::LiveInstances();
  bag->GetChild(1)->Destroy();
  EXPECT_EQ(bag->GetChildCount(), 0);
  EXPECT_EQ(KivBaseUnknown::LiveInstances(), live - 1);
}

TEST_F(BagRepTest, RefusesChildrenThatWouldBreakTheTree) {
  auto outer = KivMake<Kiv2DBagRep>();
  auto inner = KivMake<Kiv2DBagRep>();
  ASSERT_EQ(outer->AddChild(inner), S_OK);
  EXPECT_EQ(outer->AddChild(nullptr), E_FAIL);
  EXPECT_EQ(inner->AddChild(inner), E_FAIL) << "a bag in itself";
  EXPECT_EQ(inner->AddChild(outer), E_FAIL) << "a bag in its own child";
  auto elsewhere = KivMake<Kiv2DBagRep>();
  EXPECT_EQ(elsewhere->AddChild(inner), E_FAIL) << "a rep has one bag";
  EXPECT_EQ(elsewhere->InsertChild(1, inner), E_FAIL) << "inserted or added alike";
  EXPECT_EQ(inner->GetFather(), outer.get());
  EXPECT_EQ(outer->RefCount(), 1u) << "a refused child takes no reference";
}

TEST_F(BagRepTest, ChildrenAreCountedFromOneAndInsertedBeforeTheIndex) {
  auto bag = KivMake<Kiv2DBagRep>();
  auto a = NewLine(0, 0, 1, 0);
  auto b = NewLine(0, 0, 2, 0);
  auto c = NewLine(0, 0, 3, 0);
  auto d = NewLine(0, 0, 4, 0);
  bag->AddChild(b);
  ASSERT_EQ(bag->InsertChild(1, a), S_OK);
  ASSERT_EQ(bag->InsertChild(3, d), S_OK) << "count + 1 appends";
  ASSERT_EQ(bag->InsertChild(3, c), S_OK);
  EXPECT_EQ(bag->InsertChild(0, NewLine(0, 0, 5, 0)), E_FAIL);
  EXPECT_EQ(bag->InsertChild(6, NewLine(0, 0, 5, 0)), E_FAIL);
  const Kiv2DRep* expected[] = {a.get(), b.get(), c.get(), d.get()};
  ASSERT_EQ(bag->GetChildCount(), 4);
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(bag->GetChild(i), expected[i - 1]) << i;
  EXPECT_EQ(bag->GetChild(0), nullptr);
  EXPECT_EQ(bag->GetChild(5), nullptr);
}

TEST_F(BagRepTest, MatricesComposeInnerFirst) {
  // Inner bag rotates a quarter turn, outer bag translates: (1, 0) -> (0, 1) -> (10, 21).
  auto outer = KivMake<Kiv2DBagRep>(Kiv3x3Matrix::Translation(10, 20));
  auto inner = KivMake<Kiv2DBagRep>(Kiv3x3Matrix::Rotation(std::numbers::pi / 2));
  outer->AddChild(inner);
  const KivMathPoint2Df p = inner->GetWorldMatrix().Apply(KivMathPoint2Df(1, 0));
  EXPECT_NEAR(p.x, 10.0f, 1e-5);
  EXPECT_NEAR(p.y, 21.0f, 1e-5);

  // The inverse takes it back.
  Kiv3x3Matrix inverse;
  ASSERT_TRUE(inner->GetWorldMatrix().Invert(inverse));
  const KivMathPoint2Df back = inverse.Apply(p);
  EXPECT_NEAR(back.x, 1.0f, 1e-5);
  EXPECT_NEAR(back.y, 0.0f, 1e-5);
  EXPECT_FALSE(Kiv3x3Matrix(0, 0, 0, 0, 1, 1).Invert(inverse));
}

TEST_F(BagRepTest, BoundingBoxFollowsGeometryMatrixAndShowMode) {
  auto bag = KivMake<Kiv2DBagRep>();
  EXPECT_TRUE(bag->GetBoundingElement().IsEmpty());
  auto line = NewLine(0, 0, 4, 2);
  bag->AddChild(line);
  auto marker = KivMake<Kiv2DMarkerRep>(KivMathPoint2Df(10, 10), 4, 1.0f);
  bag->AddChild(marker);
  EXPECT_EQ(bag->GetBoundingElement(), Kiv2DBoundingBox::FromCorners(0, 0, 10.5f, 10.5f));

  // Hiding a child shrinks its bag's box; the child keeps its own.
  ASSERT_EQ(marker->SetShowMode(1), S_OK);
  EXPECT_EQ(bag->GetBoundingElement(), Kiv2DBoundingBox::FromCorners(0, 0, 4, 2));
  EXPECT_EQ(marker->GetBoundingElement(), Kiv2DBoundingBox::FromCorners(9.5f, 9.5f, 10.5f, 10.5f));
  EXPECT_EQ(marker->SetShowMode(2), E_INVALIDARG);

  // Geometry changes deep in the tree reach the outer boxes.
  auto outer = KivMake<Kiv2DBagRep>(Kiv3x3Matrix::Translation(100, 0));
  outer->AddChild(bag);
  EXPECT_EQ(outer->GetBoundingElement(), Kiv2DBoundingBox::FromCorners(100, 0, 104, 2));
  line->Modify({0, 0}, {8, -1});
  EXPECT_EQ(outer->GetBoundingElement(), Kiv2DBoundingBox::FromCorners(100, -1, 108, 0));
  outer->SetMatrix(Kiv3x3Matrix::Translation(0, 0));
  EXPECT_EQ(outer->GetBoundingElement(), Kiv2DBoundingBox::FromCorners(0, -1, 8, 0));
}

TEST_F(BagRepTest, AttributesInheritFromBags) {
  auto bag = KivMake<Kiv2DBagRep>();
  bag->SetColor(2);
  bag->SetThickness(3);
  auto plain = NewLine(0, 0, 1, 0);
  auto blue = NewLine(0, 1, 1, 1);
  blue->SetColor(4);
  bag->AddChild(plain);
  bag->AddChild(blue);
  std::vector<KivDrawItem> items;
  bag->CollectDrawItems(items, Kiv3x3Matrix(), KivGraphicAttributes::Defaults());
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].attributes.color, 2);
  EXPECT_EQ(items[0].attributes.thickness, 3);
  EXPECT_EQ(items[0].attributes.lineType, 1) << "the default when nobody sets it";
  EXPECT_EQ(items[1].attributes.color, 4);
}
