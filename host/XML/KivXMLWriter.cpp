#include "KivXMLWriter.h"

#include "KivSafeFile.h"
#include "KivUTF8.h"

namespace {
// Characters XML 1.0 can carry.
bool IsXMLChar(char32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
         (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

bool IsNameStart(char32_t c) {
  return c == ':' || c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
         (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
         (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) ||
         (c >= 0x200C && c <= 0x200D) || (c >= 0x2070 && c <= 0x218F) ||
         (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) ||
         (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0xEFFFF);
}

bool IsNameChar(char32_t c) {
  return IsNameStart(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7 ||
         (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

bool IsName(const std::u32string& s) {
  if (s.empty() || !IsNameStart(s.front())) return false;
  for (char32_t c : s)
    if (!IsNameChar(c)) return false;
  return true;
}

std::string Describe(char32_t c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(c));
  return buf;
}

// Escapes `text` into `out`; false (with `bad` set) on a character XML
// cannot carry. Attribute values also protect quotes and the white space a
// parser would normalise; text protects carriage returns, which a parser
// would turn into line feeds.
bool AppendEscaped(std::string& out, const std::u32string& text, bool attribute, char32_t& bad) {
  for (char32_t c : text) {
    if (!IsXMLChar(c)) {
      bad = c;
      return false;
    }
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += attribute ? "&quot;" : "\"";
        break;
      case '\r':
        out += "&#13;";
        break;
      case '\n':
        out += attribute ? "&#10;" : "\n";
        break;
      case '\t':
        out += attribute ? "&#9;" : "\t";
        break;
      default:
        KivAppendUTF8(out, c);
    }
  }
  return true;
}
}  // namespace

KivXMLWriter::KivXMLWriter() { out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"; }

void KivXMLWriter::Fail(std::string message) {
  if (error_.empty()) error_ = std::move(message);
}

void KivXMLWriter::SaveFailed(std::string message) { saveError_ = std::move(message); }

void KivXMLWriter::NewLineAndIndent(std::size_t depth) {
  out_ += '\n';
  out_.append(2 * depth, ' ');
}

bool KivXMLWriter::CloseStartTag() {
  if (startTagOpen_) {
    out_ += '>';
    startTagOpen_ = false;
  }
  return true;
}

KivXMLWriter& KivXMLWriter::StartElement(const KivUnicodeString& tag) {
  if (!IsOk()) return *this;
  if (!IsName(tag.Characters())) {
    Fail("invalid element name \"" + tag.ConvertToUTF8() + "\"");
    return *this;
  }
  if (open_.empty() && rootWritten_) {
    Fail("a second root element \"" + tag.ConvertToUTF8() + "\"");
    return *this;
  }
  CloseStartTag();
  if (!open_.empty()) {
    OpenElement& parent = open_.back();
    parent.hasChildren = true;
    if (!parent.hasText) NewLineAndIndent(open_.size());
  }
  rootWritten_ = true;
  startTagAttributes_.clear();
  out_ += '<';
  out_ += tag.ConvertToUTF8();
  open_.push_back({tag.ConvertToUTF8()});
  startTagOpen_ = true;
  return *this;
}

KivXMLWriter& KivXMLWriter::Attribute(const KivUnicodeString& name, const KivUnicodeString& value) {
  if (!IsOk()) return *this;
  if (!startTagOpen_) {
    Fail("attribute \"" + name.ConvertToUTF8() + "\" written outside a start tag");
    return *this;
  }
  if (!IsName(name.Characters())) {
    Fail("invalid attribute name \"" + name.ConvertToUTF8() + "\"");
    return *this;
  }
  const std::string attributeName = name.ConvertToUTF8();
  for (const std::string& written : startTagAttributes_) {
    if (written == attributeName) {
      Fail("attribute \"" + attributeName + "\" written twice");
      return *this;
    }
  }
  startTagAttributes_.push_back(attributeName);
  const std::size_t mark = out_.size();
  out_ += ' ';
  out_ += attributeName;
  out_ += "=\"";
  char32_t bad = 0;
  if (!AppendEscaped(out_, value.Characters(), true, bad)) {
    out_.resize(mark);
    Fail("attribute \"" + name.ConvertToUTF8() + "\" holds " + Describe(bad) +
         ", which XML cannot carry");
    return *this;
  }
  out_ += '"';
  return *this;
}

KivXMLWriter& KivXMLWriter::Text(const KivUnicodeString& text) {
  if (!IsOk()) return *this;
  if (open_.empty()) {
    Fail("text written outside the root element");
    return *this;
  }
  if (text.IsEmpty()) return *this;
  CloseStartTag();
  const std::size_t mark = out_.size();
  char32_t bad = 0;
  if (!AppendEscaped(out_, text.Characters(), false, bad)) {
    out_.resize(mark);
    Fail("text holds " + Describe(bad) + ", which XML cannot carry");
    return *this;
  }
  open_.back().hasChildren = true;
  open_.back().hasText = true;
  return *this;
}

KivXMLWriter& KivXMLWriter::Comment(const KivUnicodeString& text) {
  if (!IsOk()) return *this;
  const std::string body = text.ConvertToUTF8();
  if (body.find("--") != std::string::npos || (!body.empty() && body.back() == '-')) {
    Fail("a comment may not contain \"--\" nor end with \"-\"");
    return *this;
  }
  for (char32_t c : text.Characters()) {
    if (!IsXMLChar(c)) {
      Fail("comment holds " + Describe(c) + ", which XML cannot carry");
      return *this;
    }
  }
  CloseStartTag();
  if (open_.empty()) {  // before or after the root element: a line of its own
    out_ += "<!--" + body + "-->\n";
    return *this;
  }
  open_.back().hasChildren = true;
  if (!open_.back().hasText) NewLineAndIndent(open_.size());
  out_ += "<!--" + body + "-->";
  return *this;
}

KivXMLWriter& KivXMLWriter::EndElement() {
  if (!IsOk()) return *this;
  if (open_.empty()) {
    Fail("EndElement without an open element");
    return *this;
  }
  const OpenElement element = std::move(open_.back());
  open_.pop_back();
  if (startTagOpen_) {
    out_ += "/>";
    startTagOpen_ = false;
  } else {
    if (element.hasChildren && !element.hasText) NewLineAndIndent(open_.size());
    out_ += "</" + element.tag + ">";
  }
  if (open_.empty()) out_ += '\n';
  return *this;
}

bool KivXMLWriter::CheckFinished() {
  if (!IsOk()) return false;
  if (!rootWritten_) {
    Fail("the document has no element");
    return false;
  }
  if (!open_.empty()) {
    Fail("element \"" + open_.back().tag + "\" is still open");
    return false;
  }
  return true;
}

HRESULT KivXMLWriter::GetText(std::string& text) {
  if (!CheckFinished()) return E_FAIL;
  text = out_;
  return S_OK;
}

HRESULT KivXMLWriter::SaveToFile(const KivUnicodeString& path) {
  saveError_.clear();
  if (!CheckFinished()) return E_FAIL;
  const std::string target = path.ConvertToUTF8();
  std::string reason;
  if (!KivSafeFile::Replace(target, out_, reason)) {
    SaveFailed(target.empty() ? reason : "cannot write " + target + ": " + reason);
    return E_FAIL;
  }
  return S_OK;
}
