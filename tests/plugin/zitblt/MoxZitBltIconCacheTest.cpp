// The icon cache hands out images that share their pixels, and changing one
// image leaves the others as they were.
#include <vector>

#include "MoxZitBltIconCache.h"
#include "MoxZitBltTestSupport.h"

namespace {
using MoxZitBltIconCacheTest = ZitBltFixture;

KivVar<KivPixelImage> Load(const char* icon, bool grey) {
  return KivVar<KivPixelImage>::Adopt(MoxZitBltIconCache::Load(KivUnicodeString(icon), grey));
}
}  // namespace

TEST_F(MoxZitBltIconCacheTest, ImagesOfOneIconShareOneBufferAndCopyItOnWrite) {
  std::vector<KivVar<KivPixelImage>> colour, grey;
  for (int i = 0; i < 3; ++i) {
    colour.push_back(Load("Red", false));
    grey.push_back(Load("Red", true));
    ASSERT_TRUE(colour.back() && grey.back());
  }
  for (int i = 1; i < 3; ++i) {
    EXPECT_NE(colour[i].get(), colour[0].get());
    EXPECT_EQ(colour[i]->GetPixels().data(), colour[0]->GetPixels().data());
    EXPECT_EQ(grey[i]->GetPixels().data(), grey[0]->GetPixels().data());
  }
  EXPECT_NE(grey[0]->GetPixels().data(), colour[0]->GetPixels().data());
  EXPECT_TRUE(grey[0]->IsGrey());

  const std::vector<std::uint8_t> before = colour[0]->GetPixels();
  ASSERT_EQ(colour[1]->Convert(KivPixelImage::kGrey), S_OK);
  ASSERT_EQ(colour[2]->SetTransparency(KivPixelImage::kCornerColourKey), S_OK);
  EXPECT_TRUE(colour[1]->IsGrey());
  EXPECT_EQ(colour[2]->GetPixel(0, 0).a, 0);
  EXPECT_EQ(colour[0]->GetPixels(), before);
  EXPECT_EQ(Load("Red", false)->GetPixels(), before);
}
