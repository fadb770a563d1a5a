#include "KivUnicodeString.h"

#include "KivUTF8.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr char32_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence at `i`; on a malformed sequence yields U+FFFD
// and consumes a single byte so decoding resynchronises.
char32_t DecodeOne(std::string_view s, std::size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  int extra = 0;
  char32_t cp = 0;
  char32_t min = 0;
  if ((b0 & 0xE0) == 0xC0) {
    extra = 1, cp = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    extra = 2, cp = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    extra = 3, cp = b0 & 0x07, min = 0x10000;
  } else {
    ++i;
    return kReplacement;
  }
  if (i + static_cast<std::size_t>(extra) >= s.size()) {  // truncated sequence
    ++i;
    return kReplacement;
  }
  for (int k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return kReplacement;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return kReplacement;
  }
  i += static_cast<std::size_t>(extra) + 1;
  return cp;
}

}  // namespace

KivUnicodeString::KivUnicodeString(std::string_view utf8) {
  chars_.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) chars_ += DecodeOne(utf8, i);
}

KivUnicodeString KivUnicodeString::BuildFromNum(long value) {
  return KivUnicodeString(std::to_string(value));
}

KivUnicodeString KivUnicodeString::BuildFromNum(double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%g", value);
  return KivUnicodeString(std::string_view(buf));
}

std::string KivUnicodeString::ConvertToUTF8() const {
  std::string out;
  out.reserve(chars_.size());
  for (char32_t cp : chars_) KivAppendUTF8(out, cp);
  return out;
}

KivUnicodeString KivUnicodeString::SubString(int start, int count) const {
  const int size = GetLengthInChar();
  start = std::clamp(start, 0, size);
  const int available = size - start;
  if (count < 0 || count > available) count = available;
  return KivUnicodeString(chars_.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(count)));
}

int KivUnicodeString::FindPosition(const KivUnicodeString& what, int from) const {
  if (from < 0) from = 0;
  if (from > GetLengthInChar()) return -1;
  const auto pos = chars_.find(what.chars_, static_cast<std::size_t>(from));
  return pos == std::u32string::npos ? -1 : static_cast<int>(pos);
}

bool KivUnicodeString::StartsWith(const KivUnicodeString& prefix) const {
  return chars_.compare(0, prefix.chars_.size(), prefix.chars_) == 0 &&
         chars_.size() >= prefix.chars_.size();
}
