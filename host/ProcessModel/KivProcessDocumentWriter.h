#pragma once
// Saves process documents as XML files (docs/document-format.md). The output
// is canonical: objects in the model's order, attributes in a fixed order,
// values at their defaults left out, doubles in their shortest exact form, so
// that saving a loaded document reproduces the file byte for byte.
#include <string>

#include "KivProcessDocument.h"
#include "KivTypes.h"
#include "KivUnicodeString.h"

class KivProcessDocumentWriter {
 public:
  // The document as UTF-8 XML text. E_FAIL (text untouched, `error` set) when
  // a value cannot be written, for instance a name with a control character.
  static HRESULT WriteText(KivProcessDocument& document, std::string& text, std::string& error);
  // Writes the file through a temporary file that replaces `path` only once
  // complete, so a failed save leaves an existing file as it was. On success
  // the document's storage name becomes `path`.
  static HRESULT SaveFile(KivProcessDocument& document, const KivUnicodeString& path,
                          std::string& error);
};
