#pragma once
// The host's XML document builder. It parses a file or a buffer into a
// KivIDOMDocument. A missing or malformed input makes the parse fail: the
// result is E_FAIL, the output handle is left empty, the parser's message with
// the source, line and column goes to the trace module "KivXMLTrace" and
// stays readable through GetLastError() until the next parse.
//
// Options come as two parallel lists of names and values:
//   "KivDoValidation" = "false" (default): no validation, no external DTD;
//   "KivDoValidation" = "true": validate against the DTD or schema the
//     document declares, if any; local grammar files are read, nothing is
//     fetched from a network.
// Unknown option names are traced and ignored. External entities are never
// resolved outside validation, and entity expansion is bounded.
#include <cstddef>

#include "KivIDOMDocument.h"

inline constexpr IID IID_KivIXMLDOMDocumentBuilder = KivGUID::FromName("KivIXMLDOMDocumentBuilder");
// The one builder class this host provides, over Xerces-C.
inline constexpr CLSID CLSID_XML4C_DOM = KivGUID::Literal("{6F1C2A40-9B3E-4D7A-8E21-5C0D3B9A7F12}");

inline constexpr const char* kKivXMLOptionDoValidation = "KivDoValidation";

class KivIXMLDOMDocumentBuilder : public virtual KivBaseUnknown {
  KIV_INTERFACE(KivIXMLDOMDocumentBuilder)
 public:
  // Parses the file at `path` (UTF-8). S_OK with `document` set, or E_FAIL
  // (bad input) / E_INVALIDARG (bad options) with `document` emptied.
  // Custom entity resolvers and error handlers are not supported: pass null.
  virtual HRESULT Parse(const KivUnicodeString& path, KivIDOMDocument_var& document,
                        const KivListValKivUnicodeString& optionNames,
                        const KivListValKivUnicodeString& optionValues,
                        KivBaseUnknown* entityResolver, KivBaseUnknown* errorHandler) = 0;
  // Parses `size` bytes at `data`; `sourceName` names the input in messages
  // and is the base for relative grammar paths when validating.
  virtual HRESULT ParseBuffer(const char* data, std::size_t size,
                              const KivUnicodeString& sourceName, KivIDOMDocument_var& document,
                              const KivListValKivUnicodeString& optionNames,
                              const KivListValKivUnicodeString& optionValues) = 0;

  // "source:line:column: message" of the last failed parse; empty after a
  // successful one.
  virtual KivUnicodeString GetLastError() = 0;
  // Position of the last failure; 0 when it has none (a missing file).
  virtual int GetLastErrorLine() = 0;
  virtual int GetLastErrorColumn() = 0;
};
KIV_DECLARE_VAR(KivIXMLDOMDocumentBuilder);

// Creates a builder of class `clsid`. S_OK with `builder` set; E_FAIL with
// `builder` emptied when the class is unknown.
HRESULT CreateKivIXMLDOMDocumentBuilder(const CLSID& clsid, KivIXMLDOMDocumentBuilder_var& builder);
