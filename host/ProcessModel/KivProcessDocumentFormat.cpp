#include "KivProcessDocumentFormat.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace KivProcessDocumentFormat {

std::string FormatDouble(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string FormatLong(long value) { return std::to_string(value); }

std::optional<double> ParseDouble(std::string_view text) {
  double value = 0.0;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  if (text.empty() || result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
    return std::nullopt;
  return value;
}

std::optional<long> ParseLong(std::string_view text) {
  long value = 0;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  if (text.empty() || result.ec != std::errc() || result.ptr != end) return std::nullopt;
  return value;
}

std::optional<bool> ParseBoolean(std::string_view text) {
  if (text == "true") return true;
  if (text == "false") return false;
  return std::nullopt;
}

bool IsValidIdentifier(std::string_view id) {
  if (id.empty() || id.size() > 200) return false;
  for (const unsigned char c : id)
    if (c <= ' ' || c == 0x7F || c == '/' || c == '"' || c == '\'') return false;
  return true;
}

}  // namespace KivProcessDocumentFormat
