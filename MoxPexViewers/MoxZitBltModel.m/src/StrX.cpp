#include "StrX.h"

#include <xercesc/util/TransService.hpp>
#include <xercesc/util/XMLString.hpp>

StrX::StrX(const XMLCh* text) {
  const XMLSize_t length = text ? xercesc::XMLString::stringLen(text) : 0;
  xml_.assign(text, text + length);
  xml_.push_back(0);
  TranscodeToLocal();
}

StrX::StrX(const KivUnicodeString& text) {
  xml_.reserve(static_cast<std::size_t>(text.GetLengthInChar()) + 1);
  for (char32_t c : text.Characters()) {
    if (c >= 0x10000 && c <= 0x10FFFF) {
      const char32_t v = c - 0x10000;
      xml_.push_back(static_cast<XMLCh>(0xD800 + (v >> 10)));
      xml_.push_back(static_cast<XMLCh>(0xDC00 + (v & 0x3FF)));
    } else if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      xml_.push_back(0xFFFD);
    } else {
      xml_.push_back(static_cast<XMLCh>(c));
    }
  }
  xml_.push_back(0);
  TranscodeToLocal();
}

namespace {
// The host's own conversion, for when Xerces cannot transcode.
std::string Utf16ToUtf8(const std::vector<XMLCh>& text) {
  std::u32string chars;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    const char32_t c = text[i];
    const char32_t next = i + 2 < text.size() ? text[i + 1] : 0;
    if (c >= 0xD800 && c <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF) {
      chars.push_back(0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00));
      ++i;
    } else {
      chars.push_back(c >= 0xD800 && c <= 0xDFFF ? 0xFFFD : c);
    }
  }
  return KivUnicodeString(std::move(chars)).ConvertToUTF8();
}
}  // namespace

const KivXMLPlatformUse& StrX::Platform() {
  static const KivXMLPlatformUse platform;
  return platform;
}

void StrX::TranscodeToLocal() {
  if (xml_.size() <= 1) return;
  if (!Platform().IsReady()) {
    local_ = Utf16ToUtf8(xml_);
    return;
  }
  // Xerces's plain XMLString::transcode writes the locale's code page, which
  // in the "C" locale loses every character outside ASCII; names are kept as
  // UTF-8 instead, the host's narrow encoding.
  try {
    xercesc::TranscodeToStr utf8(xml_.data(), xml_.size() - 1, "UTF-8");
    local_.assign(reinterpret_cast<const char*>(utf8.str()), utf8.length());
  } catch (...) {
    // Parser text with a lone surrogate, or an exhausted platform.
    local_ = Utf16ToUtf8(xml_);
  }
}
