#include "KivXMLUTF.h"

#include "KivUTF8.h"

#include <xercesc/util/XMLString.hpp>

namespace {
constexpr char32_t kReplacement = 0xFFFD;
}  // namespace

void KivXMLAppendUTF8(std::string& out, const XMLCh* text, std::size_t length) {
  if (!text) return;
  for (std::size_t i = 0; i < length; ++i) {
    const char32_t unit = text[i];
    if (unit < 0x80) {  // the common case, kept tight
      out += static_cast<char>(unit);
    } else if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 &&
               text[i + 1] <= 0xDFFF) {
      KivAppendUTF8(out, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00u));
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      KivAppendUTF8(out, kReplacement);
    } else {
      KivAppendUTF8(out, unit);
    }
  }
}

std::string KivXMLToUTF8(const XMLCh* text) {
  std::string out;
  if (text) KivXMLAppendUTF8(out, text, XERCES_CPP_NAMESPACE::XMLString::stringLen(text));
  return out;
}

std::u16string KivXMLFromUTF8(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto b0 = static_cast<unsigned char>(utf8[i]);
    int extra = 0;
    char32_t c = 0;
    char32_t min = 0;
    if (b0 < 0x80) {
      c = b0;
    } else if ((b0 & 0xE0) == 0xC0) {
      extra = 1, c = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
      extra = 2, c = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
      extra = 3, c = b0 & 0x07, min = 0x10000;
    } else {
      out += static_cast<char16_t>(kReplacement);
      ++i;
      continue;
    }
    bool ok = i + static_cast<std::size_t>(extra) < utf8.size();
    for (int k = 1; ok && k <= extra; ++k) {
      const auto b = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
      if ((b & 0xC0) != 0x80) ok = false;
      c = (c << 6) | (b & 0x3F);
    }
    if (!ok || c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      out += static_cast<char16_t>(kReplacement);
      ++i;  // one replacement per bad byte, as KivUnicodeString does
      continue;
    }
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}
