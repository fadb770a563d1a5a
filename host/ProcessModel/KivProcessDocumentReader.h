#pragma once
// Loads process documents from XML files (docs/document-format.md).
//
// Loading checks every fact before the document is handed out: malformed XML,
// an unknown element or attribute, a missing required attribute, an invalid,
// unknown or duplicate identifier, a reference to an object of the wrong kind,
// an unknown activity type, an assembly that would be its own ancestor, a
// duplicate link or assignment, a number that is not a finite value in range.
// The first fault is reported with the file, the line and the element; the
// half-built document is thrown away, so the caller gets a whole document or
// none.
#include <cstddef>
#include <string>

#include "KivProcessDocument.h"
#include "KivTypes.h"
#include "KivUnicodeString.h"

// Where and why a load failed.
struct KivProcessDocumentError {
  std::string source;   // the file path or buffer name
  int line = 0;         // 0 when the fault has no position (a missing file)
  std::string element;  // the faulty element, e.g. <Link from="A2" to="A9">; may be empty
  std::string message;

  // "source:line: element: message", leaving out what is unknown.
  std::string ToString() const;
};

class KivProcessDocumentReader {
 public:
  // Loads the file at `path`. S_OK with `document` set (its storage name is
  // the path); E_FAIL with `document` emptied and `error` filled.
  static HRESULT LoadFile(const KivUnicodeString& path, KivVar<KivProcessDocument>& document,
                          KivProcessDocumentError& error);
  // The same from `size` bytes at `data`; `sourceName` names the input in
  // messages and becomes the storage name.
  static HRESULT LoadBuffer(const char* data, std::size_t size, const KivUnicodeString& sourceName,
                            KivVar<KivProcessDocument>& document, KivProcessDocumentError& error);
};
