#include <gtest/gtest.h>

#include "KivPngDataCache.h"

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
}  // namespace
