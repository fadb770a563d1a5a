#include "KivPngDataCache.h"

#include <gtest/gtest.h>


namespace {
KivVar<KivPixelImage> Image(int width, std::uint8_t value) {
  return KivVar<KivPixelImage>::Adopt(new KivPixelImage(
      width, 2, KivPixelImage::kRgb, std::vector<std::uint8_t>(width * 2 * 3, value)));
}

// Images equal in pixels share an encoding; a pixel, the shape or the
// transparency mode tells them apart.
TEST(KivPngDataCacheTest, KeepsOneEncodingPerPixelContent) {
  KivPngDataCache cache;
  const std::string first = cache.Base64Png(*Image(3, 10), KivPixelImage::kOpaque);
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(cache.Base64Png(*Image(3, 10), KivPixelImage::kOpaque), first);
  EXPECT_EQ(cache.Size(), 1u);
  EXPECT_NE(cache.Base64Png(*Image(3, 11), KivPixelImage::kOpaque), first);
  EXPECT_NE(cache.Base64Png(*Image(2, 10), KivPixelImage::kOpaque), first);
  cache.Base64Png(*Image(3, 10), KivPixelImage::kWhiteKey);
  EXPECT_EQ(cache.Size(), 4u);
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

TEST(KivPngDataCacheTest, StartsOverBeyondItsBoundAndStillEncodes) {
  KivPngDataCache cache(400);
  for (std::uint8_t v = 0; v < 20; ++v)
    EXPECT_FALSE(cache.Base64Png(*Image(4, v), KivPixelImage::kOpaque).empty());
  EXPECT_LT(cache.Size(), 20u);
  EXPECT_TRUE(cache.Base64Png(*Image(0, 1), KivPixelImage::kOpaque).empty());
}
}  // namespace
