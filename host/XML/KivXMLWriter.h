#pragma once
// Writes an XML document as pretty-printed UTF-8 text, element by element.
// Text and attribute values are escaped so that parsing the output gives the
// same strings back: &, <, > and quotes become entities, and tabs, newlines
// and carriage returns in attributes (and carriage returns in text) become
// character references, which a parser would otherwise normalise away.
// Characters that XML 1.0 cannot carry at all (most control characters),
// invalid names, a comment containing "--" or misnested calls put the
// writer in a failed state: the first error is kept, nothing more is
// written, and the text or file is refused, so a bad document never reaches
// the disk.
//
//   KivXMLWriter w;
//   w.StartElement("Process").Attribute("Name", name);
//   w.StartElement("Activity").Attribute("Id", id).EndElement();
//   w.EndElement();
//   if (FAILED(w.SaveToFile(path))) report(w.GetLastError());
#include <string>
#include <vector>

#include "KivTypes.h"
#include "KivUnicodeString.h"

class KivXMLWriter {
 public:
  // Starts the document with the XML declaration.
  KivXMLWriter();

  KivXMLWriter& StartElement(const KivUnicodeString& tag);
  // Only between StartElement and the element's first content.
  KivXMLWriter& Attribute(const KivUnicodeString& name, const KivUnicodeString& value);
  // Character data of the current element. An element that holds text is
  // written on one line, without indentation inside, so the text is kept
  // exactly.
  KivXMLWriter& Text(const KivUnicodeString& text);
  KivXMLWriter& Comment(const KivUnicodeString& text);
  KivXMLWriter& EndElement();

  // False once the document went wrong; a failed save does not count, the
  // text can still be saved elsewhere.
  bool IsOk() const { return error_.empty(); }
  // The first error of the document, else the error of the last save; empty
  // while all is fine.
  const std::string& GetLastError() const { return error_.empty() ? saveError_ : error_; }
  // Number of elements still open.
  int Depth() const { return static_cast<int>(open_.size()); }

  // The finished document. E_FAIL (and `text` untouched) after an error,
  // when no element was written or while elements are still open.
  HRESULT GetText(std::string& text);
  // Writes the finished document to `path` (UTF-8) with KivSafeFile::Replace:
  // on any failure the existing file is left as it was.
  HRESULT SaveToFile(const KivUnicodeString& path);

 private:
  struct OpenElement {
    std::string tag;
    bool hasChildren = false;  // anything written inside the start tag
    bool hasText = false;      // text inside: no indentation in it any more
  };
  void Fail(std::string message);
  void SaveFailed(std::string message);
  bool CloseStartTag();
  void NewLineAndIndent(std::size_t depth);
  bool CheckFinished();

  std::string out_;
  std::vector<OpenElement> open_;
  bool startTagOpen_ = false;
  std::vector<std::string> startTagAttributes_;  // names in the open start tag
  bool rootWritten_ = false;
  std::string error_;
  std::string saveError_;
};
