#pragma once
// The host's text string. It counts, finds and cuts in characters (Unicode
// code points), so a cut never splits a character; text enters and leaves as
// UTF-8. Malformed UTF-8 input becomes U+FFFD, one per bad byte.
#include <compare>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

class KivUnicodeString {
 public:
  KivUnicodeString() = default;
  KivUnicodeString(const char* utf8) : KivUnicodeString(std::string_view(utf8 ? utf8 : "")) {}
  KivUnicodeString(std::string_view utf8);
  KivUnicodeString(const std::string& utf8) : KivUnicodeString(std::string_view(utf8)) {}
  explicit KivUnicodeString(std::u32string chars) : chars_(std::move(chars)) {}

  static KivUnicodeString BuildFromNum(long value);
  static KivUnicodeString BuildFromNum(double value);

  std::string ConvertToUTF8() const;
  const std::u32string& Characters() const { return chars_; }
  int GetLengthInChar() const { return static_cast<int>(chars_.size()); }
  bool IsEmpty() const { return chars_.empty(); }

  // Characters [start, start + count), clamped to the string; count < 0 means
  // to the end.
  KivUnicodeString SubString(int start, int count = -1) const;
  // The first `count` characters (all of them when the string is shorter).
  KivUnicodeString Left(int count) const { return SubString(0, count); }
  // Position in characters of the first occurrence at or after `from`, or -1.
  int FindPosition(const KivUnicodeString& what, int from = 0) const;
  bool StartsWith(const KivUnicodeString& prefix) const;
  // Whether the string is exactly `ascii` (7-bit text), compared in place:
  // keyword tests run for every button of a level and should not build a
  // string each time.
  bool EqualsAscii(std::string_view ascii) const {
    if (chars_.size() != ascii.size()) return false;
    for (std::size_t i = 0; i < ascii.size(); ++i)
      if (chars_[i] != static_cast<char32_t>(static_cast<unsigned char>(ascii[i]))) return false;
    return true;
  }
  bool Contains(const KivUnicodeString& what) const { return FindPosition(what) >= 0; }

  KivUnicodeString& Append(const KivUnicodeString& more) {
    chars_ += more.chars_;
    return *this;
  }
  KivUnicodeString& operator+=(const KivUnicodeString& more) { return Append(more); }
  friend KivUnicodeString operator+(KivUnicodeString a, const KivUnicodeString& b) {
    return a.Append(b);
  }

  friend bool operator==(const KivUnicodeString&, const KivUnicodeString&) = default;
  friend auto operator<=>(const KivUnicodeString&, const KivUnicodeString&) = default;
  friend std::ostream& operator<<(std::ostream& os, const KivUnicodeString& s) {
    return os << s.ConvertToUTF8();
  }

 private:
  std::u32string chars_;
};

template <>
struct std::hash<KivUnicodeString> {
  std::size_t operator()(const KivUnicodeString& s) const noexcept {
    return std::hash<std::u32string>()(s.Characters());
  }
};
