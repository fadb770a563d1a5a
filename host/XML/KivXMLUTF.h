#pragma once
// Conversions between Xerces strings (UTF-16 XMLCh) and UTF-8, without the
// local code page: non-ASCII text survives whatever the process locale is.
#include <cstddef>
#include <string>
#include <string_view>
#include <xercesc/util/XercesDefs.hpp>

// Appends `length` UTF-16 units as UTF-8; a lone surrogate becomes U+FFFD.
void KivXMLAppendUTF8(std::string& out, const XMLCh* text, std::size_t length);
// The UTF-8 form of a null-terminated Xerces string (empty for null).
std::string KivXMLToUTF8(const XMLCh* text);
// The UTF-16 form of UTF-8 text, null-terminated through std::u16string;
// malformed bytes become U+FFFD.
std::u16string KivXMLFromUTF8(std::string_view utf8);
// Xerces' character type as a pointer into a std::u16string.
inline const XMLCh* KivXMLChars(const std::u16string& s) {
  return reinterpret_cast<const XMLCh*>(s.c_str());
}
