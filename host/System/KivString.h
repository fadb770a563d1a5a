#pragma once
// The host's narrow string: names of classes, modules, resources, catalogues
// and settings. Plain bytes, compared exactly.
#include <compare>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

class KivString {
 public:
  KivString() = default;
  KivString(const char* text) : s_(text ? text : "") {}
  KivString(std::string text) : s_(std::move(text)) {}
  KivString(std::string_view text) : s_(text) {}

  const char* CastToCharPtr() const { return s_.c_str(); }
  const char* c_str() const { return s_.c_str(); }
  const std::string& str() const { return s_; }
  int GetLengthInChar() const { return static_cast<int>(s_.size()); }
  bool IsEmpty() const { return s_.empty(); }
  KivString& Append(std::string_view more) {
    s_.append(more);
    return *this;
  }

  friend bool operator==(const KivString&, const KivString&) = default;
  friend auto operator<=>(const KivString&, const KivString&) = default;
  friend bool operator==(const KivString& a, const char* b) { return a.s_ == (b ? b : ""); }
  friend KivString operator+(const KivString& a, std::string_view b) {
    return KivString(a.s_ + std::string(b));
  }
  friend std::ostream& operator<<(std::ostream& os, const KivString& s) { return os << s.s_; }

 private:
  std::string s_;
};

template <>
struct std::hash<KivString> {
  std::size_t operator()(const KivString& s) const noexcept {
    return std::hash<std::string>()(s.str());
  }
};
