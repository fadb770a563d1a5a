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

void StrX::TranscodeToLocal() {
  if (xml_.size() <= 1 || !platform_.IsReady()) return;
  // Xerces's plain XMLString::transcode writes the locale's code page, which
  // in the "C" locale loses every character outside ASCII; names are kept as
  // UTF-8 instead, the host's narrow encoding.
  try {
    xercesc::TranscodeToStr utf8(xml_.data(), xml_.size() - 1, "UTF-8");
    local_.assign(reinterpret_cast<const char*>(utf8.str()), utf8.length());
  } catch (...) {
    // A transcoder failure (lone surrogates were replaced above, so this is
    // an exhausted platform): fall back to the host's own conversion.
    std::u32string chars;
    for (std::size_t i = 0; i + 1 < xml_.size(); ++i) chars.push_back(xml_[i]);
    local_ = KivUnicodeString(std::move(chars)).ConvertToUTF8();
  }
}
