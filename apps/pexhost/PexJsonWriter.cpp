#include "PexJsonWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace {
// The length of the well-formed UTF-8 sequence at the start of `text`, or 0:
// no overlong forms, no surrogates, nothing above U+10FFFF.
std::size_t Utf8SequenceLength(std::string_view text) {
  const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i)
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  return length;
}
}  // namespace

std::string PexJsonWriter::Escape(const std::string& utf8) {
  std::string out;
  AppendEscaped(out, utf8);
  return out;
}

// Appends in place: a listing of a large level writes some 100,000 keys and
// strings, and temporaries for each showed in its time.
void PexJsonWriter::AppendEscaped(std::string& out, std::string_view utf8) {
  // Most text is plain ASCII that needs no escape: it is appended at once.
  const auto plain = [](char ch) {
    const auto c = static_cast<unsigned char>(ch);
    return c >= 0x20 && c < 0x80 && c != '"' && c != '\\';
  };
  if (std::all_of(utf8.begin(), utf8.end(), plain)) {
    out.append(utf8);
    return;
  }
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c >= 0x80) {
      // A byte that does not start a well-formed sequence (a file name or
      // message in another encoding) becomes U+FFFD: the output stays JSON.
      const std::size_t length = Utf8SequenceLength(utf8.substr(i));
      if (length == 0) {
        out += "\\ufffd";
      } else {
        out.append(utf8.substr(i, length));
        i += length - 1;
      }
      continue;
    }
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        if (c < 0x20) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
          out += buffer;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
}

void PexJsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!first_.empty()) {
    if (!first_.back()) out_ += ",";
    first_.back() = false;
  }
}

void PexJsonWriter::BeginObject() {
  BeforeValue();
  out_ += "{";
  first_.push_back(true);
}

void PexJsonWriter::EndObject() {
  first_.pop_back();
  out_ += "}";
}

void PexJsonWriter::BeginArray() {
  BeforeValue();
  out_ += "[";
  first_.push_back(true);
}

void PexJsonWriter::EndArray() {
  first_.pop_back();
  out_ += "]";
}

void PexJsonWriter::Key(std::string_view key) {
  BeforeValue();
  out_ += '"';
  AppendEscaped(out_, key);
  out_ += "\":";
  afterKey_ = true;
}

void PexJsonWriter::String(std::string_view value) {
  BeforeValue();
  out_ += '"';
  AppendEscaped(out_, value);
  out_ += '"';
}

void PexJsonWriter::Number(double value) {
  BeforeValue();
  if (!std::isfinite(value)) {
    out_ += "null";
    return;
  }
  // The shortest form that reads back the same.
  char buffer[32];
  if (AppendHalves(out_, value)) return;
  const std::to_chars_result written = std::to_chars(buffer, buffer + sizeof buffer, value);
  out_.append(buffer, written.ptr);
}

// Positions and sizes in a listing are mostly whole or half units; for
// those the shortest form is found without the general search, which took
// most of a large listing's time. Writes nothing and answers false for other
// values and where the exponent form would be the shorter.
bool PexJsonWriter::AppendHalves(std::string& out, double value) {
  if (!(std::fabs(value) < 1e15) || value * 2 != std::trunc(value * 2) ||
      (value == 0 && std::signbit(value)))
    return false;
  const double whole = std::trunc(value);
  const auto n = static_cast<long long>(whole);
  char buffer[32];
  char* end = buffer;
  if (n == 0 && value < 0) *end++ = '-';  // -0.5
  end = std::to_chars(end, buffer + sizeof buffer, n).ptr;
  if (value != whole) {
    // "N.5": shorter than its exponent form, which has all its digits too.
    out.append(buffer, end).append(".5");
    return true;
  }
  // A whole number: digits, or a mantissa and "e+XX" where that is
  // shorter (100000 is "1e+05").
  const char* first = buffer + (n < 0);
  const auto digits = static_cast<int>(end - first);
  int zeros = 0;
  while (zeros < digits - 1 && end[-1 - zeros] == '0') ++zeros;
  const int significant = digits - zeros;
  if (digits > significant + (significant > 1 ? 1 : 0) + 4) return false;
  out.append(buffer, end);
  return true;
}

void PexJsonWriter::Integer(long value) {
  BeforeValue();
  out_ += std::to_string(value);
}

void PexJsonWriter::Bool(bool value) {
  BeforeValue();
  out_ += value ? "true" : "false";
}
