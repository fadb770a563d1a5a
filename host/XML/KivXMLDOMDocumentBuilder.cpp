#include "KivXMLDOMDocumentBuilder.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string_view>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/parsers/SAX2XMLReaderImpl.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLUni.hpp>

#include "KivSafeFile.h"
#include "KivXMLBudgetMemory.h"
#include "KivXMLDocument.h"
#include "KivXMLEntityReferences.h"
#include "KivXMLTrace.h"
#include "KivXMLTreeBuilder.h"
#include "KivXMLUTF.h"

XERCES_CPP_NAMESPACE_USE

namespace {
// Entity references a document may expand; ample for hand-written files,
// far below what an expansion bomb needs.
constexpr XMLSize_t kEntityExpansionLimit = 50000;
// Text a document may hold beyond sixteen times its own size: documents
// without entities never come near it; a few large entities referenced many
// times ("quadratic blow-up") are stopped by it.
constexpr std::size_t kTextAllowance = 64u << 20;

// Whether every 0x00 byte of the document is U+0000 and ASCII is itself:
// not so for UTF-16 or UTF-32 (a byte order mark, or "<" as two or four
// bytes), which are left to the parser.
bool IsByteEncoded(const char* data, std::size_t size) {
  const std::string_view start = std::string_view(data, size).substr(0, 2);
  return !(start == std::string_view("\xFE\xFF", 2) || start == std::string_view("\xFF\xFE", 2) ||
           start == std::string_view("\0<", 2) || start == std::string_view("<\0", 2) ||
           start == std::string_view("\0\0", 2));
}

struct Position {
  int line;
  int column;
};

// Line and column (from 1, in bytes) of a byte offset.
Position PositionOf(const char* data, std::size_t offset) {
  const std::string_view before(data, offset);
  const std::size_t lineStart = before.rfind('\n');
  return {static_cast<int>(std::count(before.begin(), before.end(), '\n')) + 1,
          static_cast<int>(lineStart == std::string_view::npos ? offset + 1 : offset - lineStart)};
}

// A document is validated against a schema when it names one through
// xsi:schemaLocation or xsi:noNamespaceSchemaLocation (in an ASCII-compatible
// encoding); otherwise only its DTD counts.
bool NamesASchema(const char* data, std::size_t size) {
  return std::string_view(data, size).find("chemaLocation") != std::string_view::npos;
}
}  // namespace

HRESULT KivXMLDOMDocumentBuilder::Fail(HRESULT code, const std::string& source, int line,
                                       int column, const std::string& message) {
  lastError_ = source.empty() ? std::string("(no source)") : source;
  if (line > 0) lastError_ += ":" + std::to_string(line) + ":" + std::to_string(column);
  lastError_ += ": " + message;
  lastErrorLine_ = line;
  lastErrorColumn_ = column;
  KivXMLTrace().Write("XML parse failed: " + lastError_);
  return code;
}

HRESULT KivXMLDOMDocumentBuilder::ReadOptions(const std::string& source,
                                              const KivListValKivUnicodeString& names,
                                              const KivListValKivUnicodeString& values,
                                              Options& options) {
  if (names.Size() != values.Size())
    return Fail(E_INVALIDARG, source, 0, 0,
                "the option names and values differ in number (" + std::to_string(names.Size()) +
                    " names, " + std::to_string(values.Size()) + " values)");
  for (int i = 1; i <= names.Size(); ++i) {
    const std::string name = names[i].ConvertToUTF8();
    const std::string value = values[i].ConvertToUTF8();
    if (name == kKivXMLOptionDoValidation) {
      if (value == "true")
        options.validate = true;
      else if (value == "false")
        options.validate = false;
      else
        return Fail(E_INVALIDARG, source, 0, 0,
                    "option \"" + name + "\" must be \"true\" or \"false\", not \"" + value + "\"");
    } else {
      KivXMLTrace().Write("XML parse of " + source + ": unknown option \"" + name + "\" ignored");
    }
  }
  return S_OK;
}

HRESULT KivXMLDOMDocumentBuilder::Parse(const KivUnicodeString& path, KivIDOMDocument_var& document,
                                        const KivListValKivUnicodeString& optionNames,
                                        const KivListValKivUnicodeString& optionValues,
                                        KivBaseUnknown* entityResolver,
                                        KivBaseUnknown* errorHandler) {
  document = NULL_var;
  const std::string source = path.ConvertToUTF8();
  if (entityResolver || errorHandler)
    return Fail(E_INVALIDARG, source, 0, 0,
                "custom entity resolvers and error handlers are not supported");
  Options options;
  if (HRESULT hr = ReadOptions(source, optionNames, optionValues, options); FAILED(hr)) return hr;
  std::string bytes;
  std::string failure;
  if (!KivSafeFile::Read(source, bytes, failure)) return Fail(E_FAIL, source, 0, 0, failure);
  return ParseBytes(bytes.data(), bytes.size(), source, options, document);
}

HRESULT KivXMLDOMDocumentBuilder::ParseBuffer(const char* data, std::size_t size,
                                              const KivUnicodeString& sourceName,
                                              KivIDOMDocument_var& document,
                                              const KivListValKivUnicodeString& optionNames,
                                              const KivListValKivUnicodeString& optionValues) {
  document = NULL_var;
  const std::string source = sourceName.ConvertToUTF8();
  if (!data && size > 0) return Fail(E_INVALIDARG, source, 0, 0, "no data given");
  Options options;
  if (HRESULT hr = ReadOptions(source, optionNames, optionValues, options); FAILED(hr)) return hr;
  return ParseBytes(data ? data : "", size, source, options, document);
}

HRESULT KivXMLDOMDocumentBuilder::ParseBytes(const char* data, std::size_t size,
                                             const std::string& source, const Options& options,
                                             KivIDOMDocument_var& document) {
  lastError_.clear();
  lastErrorLine_ = lastErrorColumn_ = 0;
  if (!platform_.IsReady()) return Fail(E_FAIL, source, 0, 0, "the XML parser is not available");

  // Parsers stop at a NUL after the root element as if the document ended
  // there; no XML document may hold one anywhere.
  if (const std::size_t nul = std::string_view(data, size).find('\0');
      nul != std::string_view::npos && IsByteEncoded(data, size)) {
    const Position at = PositionOf(data, nul);
    return Fail(E_FAIL, source, at.line, at.column,
                "a NUL character (byte 0); an XML document cannot contain one");
  }
  const std::size_t allowance = kTextAllowance + 16 * size;
  KivXMLTreeBuilder handler(options.validate, allowance);
  // Declared before the reader, which allocates through it until destroyed.
  KivXMLBudgetMemory memory(allowance);
  std::string message;
  int line = 0;
  int column = 0;
  std::string where = source;
  try {
    SecurityManager security;
    security.setEntityExpansionLimit(kEntityExpansionLimit);
    // The reader class itself: only it takes a resolver that sees the base URI.
    auto reader = std::make_unique<SAX2XMLReaderImpl>(&memory);
    // Namespaces play no part in the tree (a prefixed name is a name); schema
    // validation needs them, so they are processed only for schemas.
    const bool schema = options.validate && NamesASchema(data, size);
    if (options.validate && !schema) {
      // DTD validation goes through the DTD-only scanner: the general one
      // leaks a little memory on every external DTD it reads.
      reader->setProperty(XMLUni::fgXercesScannerName, const_cast<XMLCh*>(XMLUni::fgDGXMLScanner));
    }
    reader->setFeature(XMLUni::fgSAX2CoreNameSpaces, schema);
    reader->setFeature(XMLUni::fgSAX2CoreNameSpacePrefixes, true);
    reader->setFeature(XMLUni::fgSAX2CoreValidation, options.validate);
    reader->setFeature(XMLUni::fgXercesDynamic, true);  // validate only what declares a grammar
    reader->setFeature(XMLUni::fgXercesSchema, schema);
    reader->setFeature(XMLUni::fgXercesLoadExternalDTD, options.validate);
    reader->setFeature(XMLUni::fgXercesDisableDefaultEntityResolution, true);
    reader->setProperty(XMLUni::fgXercesSecurityManager, &security);
    reader->setContentHandler(&handler);
    reader->setLexicalHandler(&handler);
    reader->setDeclarationHandler(&handler);
    reader->setErrorHandler(&handler);
    reader->setXMLEntityResolver(&handler);

    const std::u16string id = KivXMLFromUTF8(source);
    MemBufInputSource input(reinterpret_cast<const XMLByte*>(data), size, KivXMLChars(id), false);
    reader->parse(input);
  } catch (const SAXParseException& e) {
    message = KivXMLToUTF8(e.getMessage());
    line = static_cast<int>(e.getLineNumber());
    column = static_cast<int>(e.getColumnNumber());
    if (e.getSystemId() && *e.getSystemId()) where = KivXMLToUTF8(e.getSystemId());
  } catch (const SAXException& e) {
    message = KivXMLToUTF8(e.getMessage());
  } catch (const OutOfMemoryException&) {
    message = memory.Exceeded()
                  ? "the parser would hold more than " + std::to_string(memory.Budget()) +
                        " bytes at once; entity expansion refused"
                  : "out of memory";
  } catch (const XMLException& e) {
    message = KivXMLToUTF8(e.getMessage());
  } catch (const std::bad_alloc&) {
    message = "out of memory";
  }
  if (handler.Failed()) {  // the first error reported outranks what followed it
    const KivXMLTreeBuilder::Error& error = handler.FirstError();
    message = error.message;
    line = error.line;
    column = error.column;
    if (!error.source.empty()) where = error.source;
  }
  if (!handler.Warnings().empty())
    KivXMLTrace().Write("XML parse of " + source + " warned:\n" + handler.Warnings());
  if (!message.empty() || line > 0) {
    if (message.empty()) message = "the parser gave no message";
    return Fail(E_FAIL, where, line, column, message);
  }
  // Without validation the external DTD is not read, and references to the
  // entities it declares would silently read as nothing.
  if (!options.validate && handler.HasExternalSubset() && IsByteEncoded(data, size)) {
    if (const auto undeclared = KivXMLFindUndeclaredReference(std::string_view(data, size),
                                                              handler.DeclaredEntities())) {
      const Position at = PositionOf(data, undeclared->offset);
      return Fail(E_FAIL, source, at.line, at.column,
                  "entity '" + undeclared->name +
                      "' is not declared in the document (external DTDs are read only when "
                      "validating)");
    }
  }
  document = KivIDOMDocument_var::Adopt(new KivXMLDocument(handler.TakeTree(), source));
  return S_OK;
}
