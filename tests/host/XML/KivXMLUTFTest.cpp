// Conversions between Xerces' UTF-16 strings and UTF-8.
#include <gtest/gtest.h>

#include "KivXMLUTF.h"

namespace {

std::string ToUtf8(const std::u16string& s) {
  std::string out;
  KivXMLAppendUTF8(out, reinterpret_cast<const XMLCh*>(s.data()), s.size());
  return out;
}

TEST(KivXMLUTFTest, EveryPlaneRoundTrips) {
  const std::u16string text = u"A\u00E9\u20AC\U0001F697z";
  const std::string utf8 = ToUtf8(text);
  EXPECT_EQ(utf8, "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x9A\x97z");
  EXPECT_EQ(KivXMLFromUTF8(utf8), text);
}

TEST(KivXMLUTFTest, BrokenInputBecomesReplacementCharacters) {
  EXPECT_EQ(ToUtf8(std::u16string{u'a', 0xD800, u'b'}),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(ToUtf8(std::u16string{0xDC00}), "\xEF\xBF\xBD");
  // A truncated sequence, an overlong form and an encoded surrogate.
  EXPECT_EQ(KivXMLFromUTF8("a\xE2\x82"), (std::u16string{u'a', 0xFFFD, 0xFFFD}));
  EXPECT_EQ(KivXMLFromUTF8("\xC0\xAF"), (std::u16string{0xFFFD, 0xFFFD}));
  EXPECT_EQ(KivXMLFromUTF8("\xED\xA0\x80"), (std::u16string{0xFFFD, 0xFFFD, 0xFFFD}));
}

TEST(KivXMLUTFTest, NullIsEmpty) { EXPECT_EQ(KivXMLToUTF8(nullptr), ""); }

}  // namespace
