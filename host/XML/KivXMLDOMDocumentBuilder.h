#pragma once
// The document builder over Xerces-C SAX2: each parse runs a fresh parser
// configured for safety (no network, no external entities outside
// validation, bounded entity expansion) and builds a KivXMLDocument.
#include <string>

#include "KivIXMLDOMDocumentBuilder.h"
#include "KivImplement.h"
#include "KivXMLPlatform.h"

class KivXMLDOMDocumentBuilder : public KivImplement<KivIXMLDOMDocumentBuilder> {
  KIV_CLASS(KivXMLDOMDocumentBuilder, KivBaseUnknown, "XML")
 public:
  KivXMLDOMDocumentBuilder() = default;
  bool IsReady() const { return platform_.IsReady(); }

  HRESULT Parse(const KivUnicodeString& path, KivIDOMDocument_var& document,
                const KivListValKivUnicodeString& optionNames,
                const KivListValKivUnicodeString& optionValues, KivBaseUnknown* entityResolver,
                KivBaseUnknown* errorHandler) override;
  HRESULT ParseBuffer(const char* data, std::size_t size, const KivUnicodeString& sourceName,
                      KivIDOMDocument_var& document, const KivListValKivUnicodeString& optionNames,
                      const KivListValKivUnicodeString& optionValues) override;

  KivUnicodeString GetLastError() override { return KivUnicodeString(lastError_); }
  int GetLastErrorLine() override { return lastErrorLine_; }
  int GetLastErrorColumn() override { return lastErrorColumn_; }

 protected:
  ~KivXMLDOMDocumentBuilder() override = default;

 private:
  struct Options {
    bool validate = false;
  };
  HRESULT ReadOptions(const std::string& source, const KivListValKivUnicodeString& names,
                      const KivListValKivUnicodeString& values, Options& options);
  HRESULT ParseBytes(const char* data, std::size_t size, const std::string& source,
                     const Options& options, KivIDOMDocument_var& document);
  HRESULT Fail(HRESULT code, const std::string& source, int line, int column,
               const std::string& message);

  KivXMLPlatformUse platform_;
  std::string lastError_;
  int lastErrorLine_ = 0;
  int lastErrorColumn_ = 0;
};
