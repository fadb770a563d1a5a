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
Kiv2DBoundingBox Box(float x0, float y0, float x1, float y1) {
  return Kiv2DBoundingBox::FromCorners(x0, y0, x1, y1);
}
}  // namespace

class BagRepTest : public KivVisTest {};

TEST_F(BagRepTest, HoldsOneReferencePerChildHandsChildrenBackAndReleasesThemWithItself) {
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

    // Taking a child out hands it back; it can go into another bag.
    KivVar<Kiv2DRep> taken = bag->RemoveChild(line);
    ASSERT_EQ(taken.get(), line.get());
    EXPECT_EQ(line->GetFather(), nullptr);
    EXPECT_EQ(bag->GetChildCount(), 1);
    EXPECT_FALSE(bag->RemoveChild(line)) << "not a child any more";
    auto other = KivMake<Kiv2DBagRep>();
    EXPECT_EQ(other->AddChild(taken), S_OK);
    EXPECT_EQ(line->GetFather(), other.get());
    // Destroy takes a child out and releases it.
    inner.Reset();
    bag->GetChild(1)->Destroy();
    EXPECT_EQ(bag->GetChildCount(), 0);
    EXPECT_EQ(KivBaseUnknown::LiveInstances(), before + 3);
  }
  EXPECT_EQ(KivBaseUnknown::LiveInstances(), before);
}

TEST_F(BagRepTest, ChildrenAreCountedFromOneAndChildrenThatBreakTheTreeAreRefused) {
  auto bag = KivMake<Kiv2DBagRep>();
  auto a = NewLine(0, 0, 1, 0), b = NewLine(0, 0, 2, 0), c = NewLine(0, 0, 3, 0);
  auto d = KivMake<Kiv2DBagRep>();
  bag->AddChild(b);
  ASSERT_EQ(bag->InsertChild(1, a), S_OK) << "inserted before the index";
  ASSERT_EQ(bag->InsertChild(3, d), S_OK) << "count + 1 appends";
  ASSERT_EQ(bag->InsertChild(3, c), S_OK);
  EXPECT_EQ(bag->InsertChild(0, NewLine(0, 0, 5, 0)), E_FAIL);
  EXPECT_EQ(bag->InsertChild(6, NewLine(0, 0, 5, 0)), E_FAIL);
  const Kiv2DRep* expected[] = {nullptr, a.get(), b.get(), c.get(), d.get(), nullptr};
  ASSERT_EQ(bag->GetChildCount(), 4);
  for (int i = 0; i <= 5; ++i) EXPECT_EQ(bag->GetChild(i), expected[i]) << i;

  EXPECT_EQ(bag->AddChild(nullptr), E_FAIL);
  EXPECT_EQ(d->AddChild(d), E_FAIL) << "a bag in itself";
  EXPECT_EQ(d->AddChild(bag), E_FAIL) << "a bag in its own child";
  auto elsewhere = KivMake<Kiv2DBagRep>();
  EXPECT_EQ(elsewhere->AddChild(d), E_FAIL) << "a rep has one bag";
  EXPECT_EQ(elsewhere->InsertChild(1, d), E_FAIL) << "inserted or added alike";
  EXPECT_EQ(d->GetFather(), bag.get());
  EXPECT_EQ(bag->RefCount(), 1u) << "a refused child takes no reference";
}

TEST_F(BagRepTest, MatricesComposeInnerFirstAndInvert) {
  // Inner bag rotates a quarter turn, outer bag translates: (1, 0) -> (0, 1) -> (10, 21).
  auto outer = KivMake<Kiv2DBagRep>(Kiv3x3Matrix::Translation(10, 20));
  auto inner = KivMake<Kiv2DBagRep>(Kiv3x3Matrix::Rotation(std::numbers::pi / 2));
  outer->AddChild(inner);
  const KivMathPoint2Df p = inner->GetWorldMatrix().Apply(KivMathPoint2Df(1, 0));
  EXPECT_NEAR(std::hypot(p.x - 10.0f, p.y - 21.0f), 0.0, 1e-5);
  Kiv3x3Matrix inverse;
  ASSERT_TRUE(inner->GetWorldMatrix().Invert(inverse));
  const KivMathPoint2Df back = inverse.Apply(p);
  EXPECT_NEAR(std::hypot(back.x - 1.0f, back.y), 0.0, 1e-5);
  EXPECT_FALSE(Kiv3x3Matrix(0, 0, 0, 0, 1, 1).Invert(inverse));
}

TEST_F(BagRepTest, BoundingBoxFollowsGeometryMatrixAndShowModeAndAttributesInherit) {
  auto bag = KivMake<Kiv2DBagRep>();
  EXPECT_TRUE(bag->GetBoundingElement().IsEmpty());
  auto line = NewLine(0, 0, 4, 2);
  bag->AddChild(line);
  auto marker = KivMake<Kiv2DMarkerRep>(KivMathPoint2Df(10, 10), 4, 1.0f);
  bag->AddChild(marker);
  EXPECT_EQ(bag->GetBoundingElement(), Box(0, 0, 10.5f, 10.5f));

  // Hiding a child shrinks its bag's box; the child keeps its own.
  ASSERT_EQ(marker->SetShowMode(1), S_OK);
  EXPECT_EQ(bag->GetBoundingElement(), Box(0, 0, 4, 2));
  EXPECT_EQ(marker->GetBoundingElement(), Box(9.5f, 9.5f, 10.5f, 10.5f));
  EXPECT_EQ(marker->SetShowMode(2), E_INVALIDARG);

  // Geometry changes deep in the tree reach the outer boxes.
  auto outer = KivMake<Kiv2DBagRep>(Kiv3x3Matrix::Translation(100, 0));
  outer->AddChild(bag);
  EXPECT_EQ(outer->GetBoundingElement(), Box(100, 0, 104, 2));
  line->Modify({0, 0}, {8, -1});
  EXPECT_EQ(outer->GetBoundingElement(), Box(100, -1, 108, 0));
  outer->SetMatrix(Kiv3x3Matrix::Translation(0, 0));
  EXPECT_EQ(outer->GetBoundingElement(), Box(0, -1, 8, 0));

  // Attributes inherit from bags.
  auto painted = KivMake<Kiv2DBagRep>();
  painted->SetColor(2);
  painted->SetThickness(3);
  painted->AddChild(NewLine(0, 0, 1, 0));
  auto blue = NewLine(0, 1, 1, 1);
  blue->SetColor(4);
  painted->AddChild(blue);
  std::vector<KivDrawItem> items;
  painted->CollectDrawItems(items, Kiv3x3Matrix(), KivGraphicAttributes::Defaults());
  ASSERT_EQ(items.size(), 2u);
  const KivGraphicAttributes& plain = items[0].attributes;
  EXPECT_EQ(std::tuple(plain.color, plain.thickness, plain.lineType), std::tuple(2, 3, 1))
      << "line type 1 is the default when nobody sets it";
  EXPECT_EQ(items[1].attributes.color, 4);
}
