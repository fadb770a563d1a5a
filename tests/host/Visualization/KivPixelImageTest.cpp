#include <numbers>

#include "Kiv2DArcRep.h"
#include "Kiv2DBagRep.h"
#include "Kiv2DCustomRep.h"
#include "Kiv2DImagePixelRep.h"
#include "KivPngDataCache.h"
#include "KivTextMetric.h"
#include "KivVisTestSupport.h"

namespace {
KivVar<KivPixelImage> FromBytes(const std::vector<std::uint8_t>& bytes) {
  return KivVar<KivPixelImage>::Adopt(KivPixelImage::CreateFromMemory(bytes.data(), bytes.size()));
}
}  // namespace

class PixelImageTest : public KivVisTest {};

TEST_F(PixelImageTest, LoadsBottomUpAndTopDownBmpsWithTheirPixelsTopRowFirst) {
  const std::string path = WriteTempFile("vis_icon.bmp", MakeColourIcon());
  auto image = KivVar<KivPixelImage>::Adopt(KivPixelImage::CreateFromFile(path, 0));
  ASSERT_TRUE(image) << KivPixelImage::LastLoadError();
  EXPECT_EQ(image->GetWidth(), 16);
  EXPECT_EQ(image->GetHeight(), 16);
  EXPECT_EQ(image->GetFormat(), KivPixelImage::kRgb);
  EXPECT_EQ(image->GetPixel(0, 0), (KivRgba{0, 0, 255, 255})) << "BMP rows are stored bottom-up";
  EXPECT_EQ(image->GetPixel(5, 5), (KivRgba{220, 20, 20, 255}));
  EXPECT_EQ(image->GetPixel(15, 15), (KivRgba{255, 255, 255, 255}));

  // A negative height stores the rows from the top.
  std::vector<std::uint8_t> bytes = MakeBmp(2, 2, [](int x, int y) -> KivRgba {
    return {static_cast<std::uint8_t>(x * 100), static_cast<std::uint8_t>(y * 100), 0, 255};
  });
  bytes[22] = 0xfe;
  bytes[23] = bytes[24] = bytes[25] = 0xff;
  image = FromBytes(bytes);
  ASSERT_TRUE(image) << KivPixelImage::LastLoadError();
  EXPECT_EQ(image->GetPixel(0, 0), (KivRgba{0, 100, 0, 255})) << "first stored row is the top";
  bytes.resize(bytes.size() - 1);
  EXPECT_FALSE(FromBytes(bytes));
  EXPECT_EQ(KivPixelImage::LastLoadError(), "truncated pixel data");
}

TEST_F(PixelImageTest, MissingOrBrokenFilesGiveNoImageAndAReason) {
  EXPECT_EQ(KivPixelImage::CreateFromFile(::testing::TempDir() + "no_such_icon.bmp"), nullptr);
  EXPECT_NE(KivPixelImage::LastLoadError().find("no_such_icon.bmp"), std::string::npos);

  std::vector<std::uint8_t> truncated = MakeColourIcon();
  truncated.resize(60);
  const std::string path = WriteTempFile("vis_truncated.bmp", truncated);
  EXPECT_EQ(KivPixelImage::CreateFromFile(path), nullptr);
  EXPECT_NE(KivPixelImage::LastLoadError().find("vis_truncated.bmp"), std::string::npos);

  const std::string text = WriteTempFile("vis_text.bmp", {'h', 'e', 'l', 'l', 'o'});
  EXPECT_EQ(KivPixelImage::CreateFromFile(text), nullptr);
  EXPECT_EQ(KivPixelImage::CreateFromMemory(nullptr, 0), nullptr);
}

TEST_F(PixelImageTest, GreyConversionKeepsLuminanceAndTransparencyModesKeyPixels) {
  auto image = FromBytes(MakeColourIcon());
  ASSERT_TRUE(image);
  EXPECT_FALSE(image->IsGrey());
  ASSERT_EQ(image->Convert(KivPixelImage::kGrey), S_OK);
  EXPECT_EQ(image->GetPixels().size(), 256u);
  ASSERT_EQ(image->Convert(KivPixelImage::kRgba), S_OK);
  EXPECT_TRUE(image->IsGrey());
  // 0.299 * 220 + 0.587 * 20 + 0.114 * 20 = 79.8
  EXPECT_EQ(image->GetPixel(5, 5), (KivRgba{80, 80, 80, 255}));
  EXPECT_EQ(image->Convert(7), E_INVALIDARG);
  EXPECT_EQ(image->GetFormat(), KivPixelImage::kRgba);

  auto keyed = KivMake<KivPixelImage>(2, 1, KivPixelImage::kRgb,
                                      std::vector<std::uint8_t>{255, 255, 255, 10, 20, 30});
  ASSERT_EQ(keyed->SetTransparency(KivPixelImage::kCornerColourKey), S_OK);
  EXPECT_EQ(keyed->GetFormat(), KivPixelImage::kRgba) << "transparency needs an alpha channel";
  EXPECT_EQ(keyed->GetPixel(0, 0).a, 0);
  EXPECT_EQ(keyed->GetPixel(1, 0).a, 255);
  ASSERT_EQ(keyed->SetTransparency(KivPixelImage::kOpaque), S_OK);
  EXPECT_EQ(keyed->GetPixel(0, 0).a, 255);
  EXPECT_EQ(keyed->SetTransparency(9), E_INVALIDARG);
}

TEST_F(PixelImageTest, ImageRepIsAQuarterUnitPerPixelAndMovesWithModify) {
  auto image = KivMake<KivPixelImage>(16, 8, KivPixelImage::kRgba);
  auto rep = KivMake<Kiv2DImagePixelRep>(KivMathPoint2Df(-2, -2), image.get());
  EXPECT_EQ(rep->GetBoundingElement(), Kiv2DBoundingBox::FromCorners(-2, -2, 2, 0));
  EXPECT_EQ(image->RefCount(), 2u) << "the rep holds its image";

  auto bag = KivMake<Kiv2DBagRep>(Kiv3x3Matrix::Translation(10, 0));
  bag->AddChild(rep);
  rep->Modify({-4, -2});
  EXPECT_EQ(rep->GetBoundingElement(), Kiv2DBoundingBox::FromCorners(-4, -2, 0, 0));
  EXPECT_EQ(bag->GetBoundingElement(), Kiv2DBoundingBox::FromCorners(6, -2, 10, 0));
  EXPECT_EQ(rep->SetAlphaMode(1), S_OK);
  EXPECT_EQ(rep->SetAlphaMode(5), E_INVALIDARG);
  EXPECT_EQ(rep->GetAlphaMode(), 1);
}

TEST_F(PixelImageTest, TextBoxesFollowTheHostMetricAndArcBoxesHoldOnlyTheSweptPart) {
  // "Body side" is 9 characters: 9 x 0.6 x 1.5 = 8.1 units.
  Kiv2DTextPrimitive text({2, 1}, KivUnicodeString("Body side"), 1.5f);
  EXPECT_FLOAT_EQ(text.GetWidth(), 8.1f);
  const Kiv2DBoundingBox box = text.GetBoundingBox();
  EXPECT_FLOAT_EQ(box.xmin, 2.0f);
  EXPECT_FLOAT_EQ(box.xmax, 10.1f);
  EXPECT_FLOAT_EQ(box.ymin, 1.0f - 0.3f);
  EXPECT_FLOAT_EQ(box.ymax, 1.0f + 1.2f);
  // Characters, not bytes: "Tür" is three characters.
  EXPECT_FLOAT_EQ(KivTextMetric::Width(KivUnicodeString("T\xC3\xBCr"), 1.0f), 1.8f);

  const KivMathPoint2Df c(1, 1);
  auto full = KivMake<Kiv2DArcRep>(c, 0.5f, 0.0f, 6.2831855f);
  EXPECT_TRUE(full->IsFullCircle());
  EXPECT_EQ(full->GetBoundingElement(), Kiv2DBoundingBox::FromCorners(0.5f, 0.5f, 1.5f, 1.5f));
  // A quarter from 45 to 135 degrees crosses the top only.
  auto top = KivMake<Kiv2DArcRep>(c, 2.0f, std::numbers::pi / 4, 3 * std::numbers::pi / 4);
  const Kiv2DBoundingBox arc = top->GetBoundingElement();
  const float r = std::sqrt(2.0f);
  EXPECT_NEAR(arc.ymax, 3.0f, 1e-5);
  EXPECT_NEAR(arc.ymin, 1.0f + r, 1e-5);
  EXPECT_NEAR(arc.xmin, 1.0f - r, 1e-5);
  EXPECT_NEAR(arc.xmax, 1.0f + r, 1e-5);
}

namespace {
KivVar<KivPixelImage> Image(int width, std::uint8_t value) {
  return KivVar<KivPixelImage>::Adopt(new KivPixelImage(
      width, 2, KivPixelImage::kRgb, std::vector<std::uint8_t>(width * 2 * 3, value)));
}

// Images equal in pixels share an encoding; a pixel, the shape or the
// transparency mode tells them apart. Beyond its bound the cache starts over
// and still encodes.
TEST(KivPngDataCacheTest, KeepsOneEncodingPerPixelContentWithinItsBound) {
  KivPngDataCache cache;
  const std::string first = cache.Base64Png(*Image(3, 10), KivPixelImage::kOpaque);
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(cache.Base64Png(*Image(3, 10), KivPixelImage::kOpaque), first);
  EXPECT_EQ(cache.Size(), 1u);
  EXPECT_NE(cache.Base64Png(*Image(3, 11), KivPixelImage::kOpaque), first);
  EXPECT_NE(cache.Base64Png(*Image(2, 10), KivPixelImage::kOpaque), first);
  cache.Base64Png(*Image(3, 10), KivPixelImage::kWhiteKey);
  EXPECT_EQ(cache.Size(), 4u);

  KivPngDataCache bounded(400);
  for (std::uint8_t v = 0; v < 20; ++v)
    EXPECT_FALSE(bounded.Base64Png(*Image(4, v), KivPixelImage::kOpaque).empty());
  EXPECT_LT(bounded.Size(), 20u);
  EXPECT_TRUE(bounded.Base64Png(*Image(0, 1), KivPixelImage::kOpaque).empty());
}

// An image over a buffer seen before gets its icon without the pixels being
// read; a buffer let go and another made in its place is not taken for it.
TEST(KivPngDataCacheTest, FindsImagesByTheirSharedBufferAndNamesIconsByContent) {
  KivPngDataCache cache;
  const KivVar<KivPixelImage> first = Image(3, 10);
  const auto icon = cache.Encode(*first, KivPixelImage::kOpaque);
  ASSERT_TRUE(icon);
  EXPECT_EQ(icon->id.rfind("icon-", 0), 0u);
  const KivVar<KivPixelImage> sharing = KivVar<KivPixelImage>::Adopt(
      new KivPixelImage(3, 2, KivPixelImage::kRgb, first->GetSharedPixels()));
  EXPECT_EQ(cache.Encode(*sharing, KivPixelImage::kOpaque), icon);
  EXPECT_EQ(cache.Encode(*Image(3, 10), KivPixelImage::kOpaque)->id, icon->id);
  for (std::uint8_t v = 11; v < 16; ++v) {
    const std::string base64 = cache.Base64Png(*Image(3, v), KivPixelImage::kOpaque);
    EXPECT_EQ(base64, KivPngDataCache().Base64Png(*Image(3, v), KivPixelImage::kOpaque)) << int(v);
  }
  EXPECT_EQ(cache.Size(), 6u);
}
}  // namespace
